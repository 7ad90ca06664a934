#include "platform/print_dialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {

PrintDialogHook& Hook() {
    static PrintDialogHook hook;
    return hook;
}

}  // namespace

PrintDialogHook SetPrintDialogHook(PrintDialogHook hook) {
    PrintDialogHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

bool RunPrintDialog(QWidget* parent, QPrinter& printer) {
    if (Hook())
        return Hook()(printer);
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
