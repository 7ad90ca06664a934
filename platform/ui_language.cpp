#include "platform/ui_language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace {

bool IsJapanese(const QString& value) {
    return value.startsWith(QLatin1String("ja"), Qt::CaseInsensitive);
}

bool IsEnglish(const QString& value) {
    return value.startsWith(QLatin1String("en"), Qt::CaseInsensitive);
}

// Takes `--lang VALUE` or `--lang=VALUE` out of the arguments; the last one given counts.
// Nothing after "--" is an option.
QString TakeLanguageOption(QStringList& arguments) {
    QString value;
    for (int i = 0; i < arguments.size();) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--"))
            break;
        if (a == QLatin1String("--lang") && i + 1 < arguments.size()) {
            value = arguments.at(i + 1);
            arguments.remove(i, 2);
        } else if (a.startsWith(QLatin1String("--lang="))) {
            value = a.mid(7);
            arguments.remove(i);
        } else {
            ++i;
        }
    }
    return value;
}

}  // namespace

UiLanguage ChooseUiLanguage(QStringList& arguments, const QString& forced,
                            const QStringList& preferred) {
    QString choice = TakeLanguageOption(arguments);
    if (choice.isEmpty())
        choice = forced;
    if (!choice.isEmpty())
        return IsJapanese(choice) ? UiLanguage::Japanese : UiLanguage::English;
    for (const QString& language : preferred) {
        if (IsJapanese(language))
            return UiLanguage::Japanese;
        if (IsEnglish(language))
            return UiLanguage::English;
    }
    return UiLanguage::English;
}

UiLanguage ChooseUiLanguageFromEnvironment(QStringList& arguments) {
    return ChooseUiLanguage(arguments, qEnvironmentVariable("NGM_LANG"),
                            QLocale::system().uiLanguages());
}

bool InstallEnglishTexts() {
    bool all = true;
    for (const char* name : {"ngm_core_en", "ngm_ui_en"}) {
        // The translators live as long as the application that owns them.
        auto* texts = new QTranslator(QCoreApplication::instance());
        if (texts->load(QString::fromLatin1(name), QStringLiteral(":/i18n")) &&
            QCoreApplication::installTranslator(texts)) {
            continue;
        }
        delete texts;
        all = false;
    }
    return all;
}
