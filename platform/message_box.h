// The application message box: caption "NGM", an icon and a button set chosen by flags.
// A box asked for with no icon flag shows the warning icon.  Tests replace the box through
// the hook so that nothing blocks: the hook sees every text and flag set and gives the answer.
#pragma once

#include <QString>
#include <functional>

constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_ICONASTERISK = MB_ICONINFORMATION;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_TYPEMASK = 0xF;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows text and returns IDOK, IDYES or IDNO.
int AppMessageBox(const QString& text, unsigned flags = MB_OK);

using MessageBoxHook = std::function<int(const QString& text, unsigned flags)>;
// Replaces the real box; an empty hook restores it.  Returns the previous hook.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);
