#include <QApplication>

#include "app/ngm_app.h"
#include "platform/appearance.h"
#include "platform/qt_texts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallAppearance();
    InstallQtJapaneseTexts();
    CNGMApp theApp;
    if (!theApp.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    return app.exec();
}
