// ngm-cli: the puzzle tools of NGM on the command line.
#include <unistd.h>

#include <QLocale>
#include <ext/stdio_filebuf.h>
#include <iostream>

#include "cli/cli_language.h"
#include "cli/commands.h"
#include "cli/drawing_app.h"
#include "image/library_messages.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // The program's own messages go to the terminal by a descriptor of their own: the standard
    // error is silenced while the picture libraries decode, on any thread.
    // (A copy: the buffer closes its descriptor at the end, the shared one stays open.)
    __gnu_cxx::stdio_filebuf<char> terminal(::dup(TerminalErrorDescriptor()), std::ios::out, 1);
    std::cerr.rdbuf(&terminal);
    std::vector<std::string> words(argv + 1, argv + argc);
    // Japanese is the program's own language and needs nothing.  The English texts need an
    // application object; the one that drawing needs serves, so that a command drawing
    // pictures or pages later finds it made.
    if (TakeCliLanguage(words, qEnvironmentVariable("NGM_LANG"), QLocale::system().uiLanguages()) ==
        UiLanguage::English) {
        EnsureDrawingApplication();
        InstallEnglishTexts();
    }
    const int status = RunCli(words, std::cout, std::cerr);
    std::cerr.flush();
    std::cerr.rdbuf(nullptr);
    return status;
}
