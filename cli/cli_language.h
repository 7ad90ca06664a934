// The language of ngm-cli's texts, chosen from its words, NGM_LANG and the locale.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "platform/ui_language.h"

// Takes `--lang VALUE` and `--lang=VALUE` (anywhere before "--") out of the words and chooses
// the language as ChooseUiLanguage does, with `forced` the NGM_LANG value and `preferred` the
// locale's languages.  The other words stay as they were, byte for byte: file names need not
// be valid in the locale's encoding.
UiLanguage TakeCliLanguage(std::vector<std::string>& words, const QString& forced,
                           const QStringList& preferred);
