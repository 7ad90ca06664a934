// ngm-cli convert: a puzzle file in another format, chosen by the extensions of the two names.
#include <QFileInfo>

#include "cli/commands.h"
#include "cli/drawing_app.h"
#include "cli/output_check.h"
#include "session/verdict_text.h"
#include "formats/puzzle_export.h"
#include "image/native_name.h"
#include "solver/solver.h"

namespace {

const char kConvertHelp[] = QT_TRANSLATE_NOOP(
    "NgmCli",
    "使い方: ngm-cli convert 入力 出力\n"
    "\n"
    "パズルのファイルを別の形式にします。形式は名前の拡張子で決まります:\n"
    "  入力  .non、.xml(ほかの名前は中身で見分けます)\n"
    "  出力  .non、.xml、.png(答えの 名前-solution.png も)、.pdf(問題と答えの 2 ページ)\n"
    "答えのないファイルは、答えが一つに決まるときだけ .png と .pdf に答えを描きます。\n"
    "\n"
    "終了コード: 0 書けた、2 読めない・書けない、1 引数の誤り。\n");

}  // namespace

int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << NgmCli::tr(kConvertHelp).toStdString();
        return 0;
    }
    if (args.size() != 2) {
        err << NgmCli::tr("ngm-cli convert: 入力と出力のファイル名を一つずつ与えてください\n")
                   .toStdString()
            << NgmCli::tr("ngm-cli convert --help で使い方を表示します。\n").toStdString();
        return 1;
    }
    const std::string& in = args[0];
    const std::optional<PuzzleFileFormat> format = PuzzleFormatOfPath(args[1]);
    if (!format) {
        err << NgmCli::tr("ngm-cli convert: 出力の拡張子は .non、.xml、.png、.pdf のどれかです: ")
                   .toStdString()
            << args[1] << "\n";
        return 1;
    }
    PuzzleReadResult read = ReadPuzzleFile(in);
    if (!read.ok) {
        err << in << ":";
        if (read.line > 0)
            err << read.line << ":";
        err << " " << read.error << "\n";
        return 2;
    }
    Puzzle& puzzle = read.puzzle;
    if (puzzle.title.empty())
        puzzle.title = DisplayName(QFileInfo(NameFromNative(in)).completeBaseName()).toStdString();
    // The input is never written over, whatever name leads to it.
    const QString output = NameFromNative(args[1]);
    std::vector<QString> outputs{output};
    if (*format == PuzzleFileFormat::kPng)
        outputs.push_back(SolutionPicturePath(output));
    const std::string refusal = CheckOutputs({NameFromNative(in)}, {outputs})[0];
    if (!refusal.empty()) {
        err << in << refusal << "\n";
        return 2;
    }
    QString verdict;
    if (!IsPuzzleTextFormat(*format)) {
        // The pictures and pages show the verdict and, when it is known, the answer.
        EnsureDrawingApplication();
        const SolveResult solved = Solve(puzzle);
        verdict = DescribeVerdict(solved).text;
        if (!puzzle.HasAnswer() &&
            (solved.verdict == Verdict::Line || solved.verdict == Verdict::Unique))
            puzzle.answer = solved.solution;
    }
    const QString failed =
        WriteExportFiles(ExportFiles(puzzle, *format, output, verdict, read.author));
    if (!failed.isEmpty()) {
        err << args[1] << NgmCli::tr(": ファイルに書き込めませんでした。").toStdString()
            << failed.toStdString() << "\n";
        return 2;
    }
    return 0;
}
