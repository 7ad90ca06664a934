// Test entry: a QApplication on the offscreen platform, the program's font substitutions, and
// guards that turn any modal window a test did not script into a failure instead of a hang.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/appearance.h"
#include "platform/message_box.h"
#include "platform/print_dialog.h"
#include "platform/shell.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's saved games and settings go to folders of the run's own, not the user's.
    QTemporaryDir data, config;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    InstallAppearance();
    SetMessageBoxHook([](const QString& text, unsigned) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return IDOK;
    });
    SetFileDialogHook([](const FileDialogRequest&) {
        ADD_FAILURE() << "unexpected file dialog";
        return QString();
    });
    SetPrintDialogHook([](QPrinter&) {
        ADD_FAILURE() << "unexpected print dialog";
        return false;
    });
    SetShellOpenHook([](const QString& path) {
        ADD_FAILURE() << "unexpected shell open: " << path.toStdString();
        return false;
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
