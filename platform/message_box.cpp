#include "platform/message_box.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

QMessageBox::Icon IconFor(unsigned flags) {
    switch (flags & MB_ICONMASK) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::Warning;  // no icon flag: the default warning icon
    }
}

}  // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
    MessageBoxHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

int AppMessageBox(const QString& text, unsigned flags) {
    if (Hook())
        return Hook()(text, flags);

    QMessageBox box(IconFor(flags), QStringLiteral("NGM"), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    if ((flags & MB_TYPEMASK) == MB_YESNO) {
        QPushButton* yes = box.addButton(QCoreApplication::translate("MessageBox", "はい(&Y)"),
                                         QMessageBox::YesRole);
        QPushButton* no = box.addButton(QCoreApplication::translate("MessageBox", "いいえ(&N)"),
                                        QMessageBox::NoRole);
        box.setDefaultButton((flags & MB_DEFBUTTON2) ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? IDYES : IDNO;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return IDOK;
}
