#include "cli/drawing_app.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

void EnsureDrawingApplication() {
    if (QCoreApplication::instance())
        return;
    // The command line never shows a window: the offscreen platform needs no display.
    static int argc = 3;
    static char name[] = "ngm-cli";
    static char platform[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {name, platform, offscreen, nullptr};
    // The platform's remarks while it starts (no runtime folder and the like) concern windows
    // the command line never opens.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(text));
        });
    // Kept until the process ends; taking it apart among the other exit handlers gains nothing.
    static QGuiApplication* const app = new QGuiApplication(argc, argv);
    (void)app;
    qInstallMessageHandler(previous);
}
