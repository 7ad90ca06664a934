#include "cli/cli_language.h"

UiLanguage TakeCliLanguage(std::vector<std::string>& words, const QString& forced,
                           const QStringList& preferred) {
    QStringList option;
    for (std::size_t i = 0; i < words.size();) {
        const std::string& w = words[i];
        if (w == "--")
            break;
        const bool separate = w == "--lang" && i + 1 < words.size();
        if (separate || w.rfind("--lang=", 0) == 0) {
            const std::size_t n = separate ? 2 : 1;
            for (std::size_t k = 0; k < n; ++k)
                option << QString::fromLocal8Bit(words[i + k]);
            words.erase(words.begin() + static_cast<std::ptrdiff_t>(i),
                        words.begin() + static_cast<std::ptrdiff_t>(i + n));
        } else {
            ++i;
        }
    }
    return ChooseUiLanguage(option, forced, preferred);
}
