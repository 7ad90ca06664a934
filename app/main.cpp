#include <QApplication>

#include "app/ngm_app.h"
#include "platform/fonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The classic style draws group-box titles on their frames, as the form's layout expects.
    QApplication::setStyle(QStringLiteral("Windows"));
    InstallFontSubstitutions();
    CNGMApp theApp;
    if (!theApp.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    return app.exec();
}
