// The system print dialog, with a hook that tests replace so that no modal window blocks them.
#pragma once

#include <functional>

class QPrinter;
class QWidget;

// Lets the user choose the printer and its settings; false when the user cancelled.
bool RunPrintDialog(QWidget* parent, QPrinter& printer);
using PrintDialogHook = std::function<bool(QPrinter& printer)>;
// Replaces the dialog; an empty hook restores it.  Returns the previous hook.
PrintDialogHook SetPrintDialogHook(PrintDialogHook hook);
