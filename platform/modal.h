// Runs a dialog modally.  Tests replace the run through the hook (for example to click inside
// the shown dialog and then accept it) so that no modal loop blocks them.
#pragma once

#include <functional>

class QDialog;

// Returns the dialog's result (QDialog::Accepted = 1, QDialog::Rejected = 0).
int RunModal(QDialog& dialog);
using ModalHook = std::function<int(QDialog& dialog)>;
ModalHook SetModalHook(ModalHook hook);
