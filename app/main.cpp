#include <QApplication>

#include "app/ngm_app.h"
#include "platform/appearance.h"
#include "platform/qt_texts.h"
#include "platform/ui_language.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallAppearance();
    // Japanese is the program's own language; everyone else gets English, Qt's own dialogs
    // included (Qt speaks English unless given its Japanese texts).
    QStringList arguments = QApplication::arguments().mid(1);
    if (ChooseUiLanguageFromEnvironment(arguments) == UiLanguage::Japanese) {
        InstallQtJapaneseTexts();
    } else {
        InstallEnglishTexts();
    }
    CNGMApp theApp;
    if (!theApp.InitInstance(arguments))
        return 1;
    return app.exec();
}
