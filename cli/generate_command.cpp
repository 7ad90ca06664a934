// ngm-cli generate: new puzzles with one solution, of a size and difficulty, one file each.
#include <QDir>
#include <QFileInfo>
#include <charconv>
#include <set>

#include "cli/commands.h"
#include "cli/drawing_app.h"
#include "cli/make_options.h"
#include "formats/puzzle_export.h"
#include "image/native_name.h"
#include "maker/puzzle_generator.h"
#include "session/verdict_text.h"
#include "solver/solver.h"

namespace {

const char kGenerateHelp[] = QT_TRANSLATE_NOOP(
    "NgmCli",
    "使い方: ngm-cli generate --size 幅x高さ --difficulty 難易度 --count 数 --out フォルダ\n"
    "                         [--format non|xml|pdf] [--seed 数]\n"
    "\n"
    "答えが一つに決まる新しいパズルを作り、一つずつファイルに書きます。すべて違うパズルです。\n"
    "  --size 幅x高さ     1 から 99 まで(既定 20x20)\n"
    "  --difficulty 難易度 1 から 5 まで(既定 3)\n"
    "  --count 数         1 から 10000 まで(既定 1)\n"
    "  --out フォルダ     書く場所(なければ作ります。既定は今のフォルダ)\n"
    "  --format 形式      non、xml、pdf(既定 non)\n"
    "  --seed 数          同じ数なら同じパズルを作ります\n"
    "ファイル名は generated-幅x高さ-d難易度-番号.拡張子 で、あるファイルは上書きせず\n"
    "次の番号にします。\n"
    "終了コード: 0 すべて書けた、2 作れない・書けないものがあった、1 引数の誤り。\n");

struct GenerateArgs {
    int width = 20, height = 20, difficulty = 3, count = 1;
    QString out = QStringLiteral(".");
    PuzzleFileFormat format = PuzzleFileFormat::kNon;
    std::optional<unsigned> seed;
};

bool ParseInt(const std::string& text, int low, int high, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

// The words after the command; an error text for the first that is wrong.
std::string Parse(const std::vector<std::string>& args, GenerateArgs& g) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (i + 1 >= args.size())
            return NgmCli::tr("値がありません: ").toStdString() + option;
        const std::string& value = args[++i];
        int seed = 0;
        bool ok = true;
        if (option == "--size") {
            BlockChoice size;
            ok = ParseBlocks(value, size);
            g.width = size.columns;
            g.height = size.rows;
        } else if (option == "--difficulty") {
            ok = ParseInt(value, 1, 5, g.difficulty);
        } else if (option == "--count") {
            ok = ParseInt(value, 1, 10000, g.count);
        } else if (option == "--out") {
            g.out = NameFromNative(value);
        } else if (option == "--seed") {
            ok = ParseInt(value, 0, 2147483647, seed);
            g.seed = static_cast<unsigned>(seed);
        } else if (option == "--format") {
            const std::optional<PuzzleFileFormat> f = PuzzleFormatOfPath("." + value);
            ok = f && *f != PuzzleFileFormat::kPng;
            g.format = f.value_or(g.format);
        } else {
            return NgmCli::tr("知らないオプションです: ").toStdString() + option;
        }
        if (!ok)
            return NgmCli::tr("値が正しくありません: ").toStdString() + option + " " + value;
    }
    return {};
}

// The first free name of the series from `number` on.
QString FreeName(const QDir& dir, const GenerateArgs& g, int& number) {
    for (;; ++number) {
        const QString name = QStringLiteral("generated-%1x%2-d%3-%4.%5")
                                 .arg(g.width)
                                 .arg(g.height)
                                 .arg(g.difficulty)
                                 .arg(number, 3, 10, QLatin1Char('0'))
                                 .arg(QLatin1String(PuzzleFormatExtension(g.format)));
        if (!QFileInfo::exists(dir.filePath(name)))
            return dir.filePath(name);
    }
}

}  // namespace

int RunGenerate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << NgmCli::tr(kGenerateHelp).toStdString();
        return 0;
    }
    GenerateArgs g;
    if (const std::string wrong = Parse(args, g); !wrong.empty()) {
        err << "ngm-cli generate: " << wrong << "\n"
            << NgmCli::tr("ngm-cli generate --help で使い方を表示します。\n").toStdString();
        return 1;
    }
    const QDir dir(g.out);
    if (!QDir().mkpath(g.out)) {
        err << g.out.toStdString() << NgmCli::tr(": フォルダを作れません。").toStdString() << "\n";
        return 2;
    }
    if (g.format == PuzzleFileFormat::kPdf)
        EnsureDrawingApplication();
    std::mt19937 rng(g.seed ? *g.seed : std::random_device{}());
    std::set<std::vector<std::uint8_t>> made;
    int number = 1, failures = 0;
    for (int k = 0; k < g.count; ++k) {
        std::optional<Puzzle> puzzle;
        SolveResult solved;
        for (int tries = 0; tries < 20 && (!puzzle || made.count(puzzle->answer)); ++tries)
            puzzle = GeneratePuzzle({g.width, g.height, g.difficulty, 30.0, nullptr}, rng, &solved);
        if (!puzzle || made.count(puzzle->answer)) {
            err << NgmCli::tr("ngm-cli generate: 時間内にパズルを作れませんでした").toStdString()
                << "\n";
            ++failures;
            continue;
        }
        made.insert(puzzle->answer);
        const QString path = FreeName(dir, g, number);
        puzzle->title = NgmCli::tr("新しいパズル %1").arg(number).toStdString();
        const QString verdict = DescribeVerdict(solved).text;
        const QString failed = WriteExportFiles(ExportFiles(*puzzle, g.format, path, verdict));
        if (!failed.isEmpty()) {
            err << failed.toStdString() << "\n";
            ++failures;
            continue;
        }
        out << DisplayName(path).toStdString() << "\n";
    }
    return failures > 0 ? 2 : 0;
}
