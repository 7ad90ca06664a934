// ngm-cli solve: one line per puzzle file with its verdict, difficulty, undecided cells and
// solving time.
#include <algorithm>
#include <charconv>

#include "cli/commands.h"
#include "formats/puzzle_file.h"
#include "solver/solver.h"

namespace {

const char kSolveHelp[] = QT_TRANSLATE_NOOP(
    "NgmCli",
    "使い方: ngm-cli solve [--timeout 秒] ファイル...\n"
    "\n"
    "パズルのファイル(.non、.xml)を一つずつ解き、一つのファイルにつき一行をタブ区切りで\n"
    "書きます:\n"
    "  ファイル名(与えたとおり)  判定  難易度  決まらないマス数  解いた時間(マイクロ秒)\n"
    "判定は次のどれかです:\n"
    "  line      答えは一つで、行と列の論理だけで解ける\n"
    "  unique    答えは一つだが、行と列の論理だけでは解けない\n"
    "  multiple  答えが二つ以上ある\n"
    "  none      ヒントが矛盾していて答えがない\n"
    "  timeout   制限時間内に判定できなかった\n"
    "難易度は line と unique で 1 から 5、それ以外は 0 です。決まらないマス数は、行と列の\n"
    "論理とマスを両方に試す推論でも決まらないマス(プレイヤーが推測するしかないマス)の数\n"
    "です。時間にファイルの読み込みは含みません。\n"
    "\n"
    "  --timeout 秒  一つのパズルにかける時間の上限、0 より大きく 86400 までの十進数\n"
    "                (2.5 のような小数も。既定は 2 秒)\n"
    "  --help        この説明を表示する\n"
    "\n"
    "読めないファイルや、ヒントが大きさに収まらないファイルは、標準エラーに\n"
    "「ファイル:行: 理由」を書いて飛ばし、残りのファイルを続けます。\n"
    "終了コード: 0 すべてのファイルを読めた、2 読めないファイルがあった、1 引数の誤り。\n");

// The longest time a puzzle may be given: a day.
constexpr double kMaxTimeoutSeconds = 86400;

// Seconds written as decimal digits with an optional fraction ("2", "0.5"), above 0 and at
// most kMaxTimeoutSeconds; a negative value for any other text (hexadecimal, exponents, signs,
// blanks).
double ParseSeconds(const std::string& text) {
    const std::size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "0" : text.substr(point + 1);
    const auto digits = [](const std::string& s) {
        return !s.empty() && s.size() <= 12 &&
               std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if ((!digits(whole) && !(whole.empty() && point != std::string::npos)) || !digits(fraction))
        return -1;
    double value = 0;  // read the same whatever the locale's decimal mark
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value > 0 && value <= kMaxTimeoutSeconds ? value : -1;
}

}  // namespace

int RunSolve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    SolveOptions options;
    std::vector<std::string> files;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnd || a.empty() || a[0] != '-' || a == "-") {
            files.push_back(a);
        } else if (a == "--") {
            optionsEnd = true;
        } else if (a == "--help" || a == "-h") {
            out << NgmCli::tr(kSolveHelp).toStdString();
            return 0;
        } else if (a == "--timeout" || a.rfind("--timeout=", 0) == 0) {
            const bool joined = a != "--timeout";
            if (!joined && i + 1 >= args.size()) {
                err << NgmCli::tr("ngm-cli solve: --timeout に秒数がありません\n").toStdString();
                return 1;
            }
            const std::string value = joined ? a.substr(10) : args[++i];
            options.timeoutSeconds = ParseSeconds(value);
            if (options.timeoutSeconds < 0) {
                err << NgmCli::tr("ngm-cli solve: --timeout の秒数が正しくありません: ")
                           .toStdString()
                    << value << "\n";
                return 1;
            }
        } else {
            err << NgmCli::tr("ngm-cli solve: 知らないオプションです: ").toStdString() << a << "\n"
                << NgmCli::tr("ngm-cli solve --help で使い方を表示します。\n").toStdString();
            return 1;
        }
    }
    if (files.empty()) {
        err << NgmCli::tr("ngm-cli solve: ファイルがありません\n").toStdString()
            << NgmCli::tr("ngm-cli solve --help で使い方を表示します。\n").toStdString();
        return 1;
    }
    int status = 0;
    for (const std::string& file : files) {
        const PuzzleReadResult read = ReadPuzzleFile(file);
        if (!read.ok && !read.totalsDisagree) {  // unequal totals are judged: none
            err << file << ":";
            if (read.line > 0)
                err << read.line << ":";
            err << " " << read.error << "\n";
            status = 2;
            continue;
        }
        const SolveResult r = Solve(read.puzzle, options);
        out << file << '\t' << VerdictWord(r.verdict) << '\t' << r.difficulty << '\t'
            << r.undecidedCount << '\t' << r.micros << '\n';
    }
    return status;
}
