#include "cli/commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&, std::ostream&, std::ostream&);
    const char* summary;
};

const Command kCommands[] = {
    {"solve", RunSolve,
     QT_TRANSLATE_NOOP("NgmCli", "パズルを解き、答えが一つか、線の論理だけで解けるかを調べる")},
    {"make", RunMake,
     QT_TRANSLATE_NOOP("NgmCli",
                       "画像をウィンドウと同じ規則でパズルのファイルにする(まとめて、全コアで)")},
    {"generate", RunGenerate,
     QT_TRANSLATE_NOOP("NgmCli", "答えが一つに決まる新しいパズルを、大きさと難易度を決めて作る")},
    {"convert", RunConvert,
     QT_TRANSLATE_NOOP("NgmCli", "パズルのファイルを .non、.xml、.png、.pdf のあいだで変換する")},
};

void PrintHelp(std::ostream& out) {
    out << NgmCli::tr("使い方: ngm-cli コマンド [引数...]\n\nコマンド:\n").toStdString();
    for (const Command& c : kCommands)
        out << "  " << c.name << "\t" << NgmCli::tr(c.summary).toStdString() << "\n";
    out << NgmCli::tr("\n各コマンドの説明は ngm-cli コマンド --help で表示します。\n")
               .toStdString();
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        PrintHelp(args.empty() ? err : out);
        return args.empty() ? 1 : 0;
    }
    for (const Command& c : kCommands)
        if (args[0] == c.name)
            return c.run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    err << NgmCli::tr("ngm-cli: 知らないコマンドです: ").toStdString() << args[0] << "\n";
    PrintHelp(err);
    return 1;
}
