#include <QApplication>

#include "app/ngm_app.h"
#include "image/native_name.h"
#include "platform/appearance.h"
#include "platform/qt_texts.h"
#include "platform/ui_language.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallAppearance();
    // Japanese is the program's own language; everyone else gets English, Qt's own dialogs
    // included (Qt speaks English unless given its Japanese texts).
    // The words Qt left (it takes its own options out of argv), file names with every byte
    // kept: arguments() would decode them as UTF-8 and lose a name that is not.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << NameFromNative(QByteArray(argv[i]));
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
