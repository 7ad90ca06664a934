// The look of the program's windows.
#pragma once

// The program's look: the classic style and the face colour RGB(236, 233, 216) as the
// background of windows, dialogs and buttons.  Call once after the application object exists.
void InstallAppearance();
