// The language of the user interface: Japanese, the program's own, or English for everyone
// else.  Japanese texts are the source texts in the code; English comes from the translation
// files built into the program.
#pragma once

#include <QString>
#include <QStringList>

enum class UiLanguage { Japanese, English };

// Chooses the language: `--lang VALUE` or `--lang=VALUE` among the arguments (taken out of
// them) wins, then the NGM_LANG value, then the first of the system's preferred languages that
// the program speaks.  A forced value that starts with "ja" gives Japanese and any other value
// English; with nothing forced and no Japanese or English among the preferred languages, the
// choice is English.
UiLanguage ChooseUiLanguage(QStringList& arguments, const QString& forced,
                            const QStringList& preferred);

// ChooseUiLanguage with NGM_LANG and the system's preferred languages.
UiLanguage ChooseUiLanguageFromEnvironment(QStringList& arguments);

// Loads the program's English texts into the running application (a QCoreApplication must
// exist).  Returns false when they cannot be loaded.  Japanese needs nothing: it is the
// program's source language.
bool InstallEnglishTexts();
