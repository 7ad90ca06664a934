#include "app/about_dlg.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPixmap>

#include "platform/dialog_units.h"
#include "res/dialog_template.h"
#include "res/images.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const DialogTemplate& t = AboutDialogTemplate();
    setWindowTitle(TemplateText(t.caption));
    m_controls = BuildControls(this, t);
    setFixedSize(TemplateClientSize(t));
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(kIconXpm));
    icon->setGeometry(DluRectToPixels(11, 10, 21, 20));
    if (auto* ok = m_controls.Get<QAbstractButton>(1)) {
        connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    }
}
