// Japanese texts for the dialogs that Qt itself draws (file, print, colour dialogs).
#pragma once

// Loads Qt's own Japanese translation, so that the open and save dialogs and the print dialog
// speak the same language as the rest of the program.  Returns false (and changes nothing)
// when the translation files are not installed.  Call once after the application object exists.
bool InstallQtJapaneseTexts();
