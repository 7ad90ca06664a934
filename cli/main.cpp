// ngm-cli: the puzzle tools of NGM on the command line.
#include <QLocale>
#include <iostream>

#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/drawing_app.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> words(argv + 1, argv + argc);
    // Japanese is the program's own language and needs nothing.  The English texts need an
    // application object; the one that drawing needs serves, so that a command drawing
    // pictures or pages later finds it made.
    if (TakeCliLanguage(words, qEnvironmentVariable("NGM_LANG"), QLocale::system().uiLanguages()) ==
        UiLanguage::English) {
        EnsureDrawingApplication();
        InstallEnglishTexts();
    }
    return RunCli(words, std::cout, std::cerr);
}
