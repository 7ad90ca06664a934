// Maps the font faces the program names onto the IPA fonts installed on Linux.
#pragma once

// Installs the substitutions "MS P明朝" -> IPAPMincho, "MS UI Gothic" / "MS Shell Dlg" /
// "System" -> IPAPGothic.  Call once after the application object exists.
void InstallFontSubstitutions();
