#include "platform/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include "image/native_name.h"

namespace {

FileDialogHook& DialogHook() {
    static FileDialogHook hook;
    return hook;
}

ShellOpenHook& OpenHook() {
    static ShellOpenHook hook;
    return hook;
}

}  // namespace

FileDialogHook SetFileDialogHook(FileDialogHook hook) {
    FileDialogHook previous = std::move(DialogHook());
    DialogHook() = std::move(hook);
    return previous;
}

ShellOpenHook SetShellOpenHook(ShellOpenHook hook) {
    ShellOpenHook previous = std::move(OpenHook());
    OpenHook() = std::move(hook);
    return previous;
}

namespace {

QString RunQtFileDialog(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent, request.caption, QString(), request.filter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    // In a save dialog the file type chosen gives a name typed without an extension its own.
    if (request.save) {
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
                static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
                const QRegularExpressionMatch match = pattern.match(filter);
                if (match.hasMatch())
                    dialog.setDefaultSuffix(match.captured(1));
            });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

}  // namespace

QString RunFileDialog(QWidget* parent, const FileDialogRequest& request) {
    const QString chosen = DialogHook() ? DialogHook()(request) : RunQtFileDialog(parent, request);
    // Qt lists a name that is not UTF-8 with replacement marks: the file chosen is found by
    // what was shown.
    return request.save ? chosen : ExistingName(chosen);
}

bool ShellOpenFile(const QString& relativePath) {
    const QString path = QDir::current().absoluteFilePath(relativePath);
    if (OpenHook())
        return OpenHook()(path);
    if (!QFileInfo(path).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
