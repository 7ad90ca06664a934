#include "app/about_dlg.h"

#include <QAbstractButton>

#include "res/dialog_template.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const DialogTemplate& t = AboutDialogTemplate();
    setWindowTitle(QString::fromUtf8(t.caption));
    m_controls = BuildControls(this, t);
    setFixedSize(TemplateClientSize(t));
    if (auto* ok = m_controls.Get<QAbstractButton>(1)) {
        connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    }
}
