// ngm-cli make: pictures become puzzle files by the window's loading, band, block and clue
// rules, on all cores, one line per picture in the order given.
#include <unistd.h>
#if defined(__linux__)
#include <sys/prctl.h>
#endif

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>
#include <variant>

#include "analysis/analysis.h"
#include "cli/commands.h"
#include "cli/drawing_app.h"
#include "cli/make_unique.h"
#include "cli/memory_budget.h"
#include "cli/output_check.h"
#include "cli/picture_file.h"
#include "formats/puzzle_export.h"
#include "image/native_name.h"
#include "session/puzzle_session.h"
#include "solver/solver.h"

namespace {

const char kMakeHelp[] = QT_TRANSLATE_NOOP(
    "NgmCli",
    "使い方: ngm-cli make [--blocks N|横x縦] [--fit] [--band 下限,上限]\n"
    "                     [--format non|xml|png|pdf] [--out フォルダ] [--unique] 画像...\n"
    "\n"
    "画像(P6 の PPM、24 ビットのビットマップなど、ウィンドウで開けるもの)を一つずつ、\n"
    "ウィンドウの解析と同じ規則で白黒にしてブロックに分け、パズルのファイルにします。\n"
    "ファイル名は画像の名前の拡張子を形式のものに替えたものです(png では答えの\n"
    "名前-solution.png も書きます)。一つの画像につき一行をタブ区切りで書きます:\n"
    "  画像(与えたとおり)  書いたファイル  判定  難易度  決まらないマス数\n"
    "(--unique では  結果  ブロック数  下限,上限  が続きます)\n"
    "判定と難易度の意味は ngm-cli solve --help にあります。\n"
    "\n"
    "  --blocks N        一辺のブロック数 1 から 99(既定は 20)、または 横x縦(30x17 など)\n"
    "  --fit             白い余白を付けた正方形でなく画像そのものの幅と高さを分けます。\n"
    "                    N では長い辺が N ブロック、短い辺はブロックが正方形に近くなる数\n"
    "                    (16:9 の画像に 30 で 30x17)。ブロックが画素より小さくなる画像は\n"
    "                    飛ばします\n"
    "  --band 下限,上限  黒にする明るさの範囲 0 から 255、下限 <= 明るさ < 上限\n"
    "                    (既定は 0,250)\n"
    "  --format 形式     non、xml、png、pdf のどれか(既定は non)\n"
    "  --out フォルダ    書く場所(既定は画像と同じフォルダ、なければ作ります)\n"
    "  --unique          解が一つのパズルを探して書きます。与えた(なければ既定の)下限・\n"
    "                    上限とブロック数から始めて、ウィンドウの「一意なパズルを探す」と\n"
    "                    同じく閾値とブロック数を探し、いちばん良いものにします。行の終わりに\n"
    "                    結果(kept 与えたままで一意、found 見つけた、none 見つからない)、\n"
    "                    書いたパズルのブロック数、下限,上限 が続きます。none のときは\n"
    "                    与えた設定のパズルを書き、判定はそのパズルのものです。\n"
    "  --help            この説明を表示する\n"
    "\n"
    "画像は全部のコアで並べて処理します。端末では進み具合を標準エラーに表示します。\n"
    "読めない画像や書けないファイルは、標準エラーに「画像: 理由」を書いて飛ばします。\n"
    "終了コード: 0 すべて作れた、2 作れなかった画像があった、1 引数の誤り。\n");

struct MakeOptions {
    BlockChoice blocks = BlockChoice::Square(20);
    int lower = 0;
    int upper = 250;
    PuzzleFileFormat format = PuzzleFileFormat::kNon;
    QString outDir;       // empty: beside each picture
    bool unique = false;  // search for settings whose puzzle has one solution
};

// What became of one picture: its line for standard output, or its line for standard error.
struct MakeResult {
    std::string out;
    std::string err;
};

// N, or W x H written "WxH" (also with "X" or "×"), each 1..99.
bool ParseBlocks(const std::string& text, BlockChoice& choice) {
    QString value = QString::fromStdString(text);
    value.replace(QChar(0x00d7), QLatin1Char('x')).replace(QLatin1Char('X'), QLatin1Char('x'));
    const QStringList parts = value.split(QLatin1Char('x'));
    if (parts.size() > 2)
        return false;
    bool okColumns = false, okRows = true;
    const int columns = parts[0].toInt(&okColumns);
    const int rows = parts.size() == 2 ? parts[1].toInt(&okRows) : columns;
    if (!okColumns || !okRows || columns < 1 || rows < 1 || columns > kMaxPuzzleSide ||
        rows > kMaxPuzzleSide)
        return false;
    choice.columns = columns;
    choice.rows = rows;
    choice.custom = parts.size() == 2;
    return true;
}

bool ParseBand(const std::string& text, int& lower, int& upper) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    bool okLower = false, okUpper = false;
    lower = QString::fromStdString(text.substr(0, comma)).toInt(&okLower);
    upper = QString::fromStdString(text.substr(comma + 1)).toInt(&okUpper);
    return okLower && okUpper && lower >= 0 && upper <= 255 && lower < upper;
}

QString OutputPath(const std::string& picture, const MakeOptions& options) {
    const QFileInfo info(NameFromNative(picture));
    const QString dir = options.outDir.isEmpty() ? info.path() : options.outDir;
    return QDir(dir).filePath(info.completeBaseName() + QStringLiteral(".") +
                              QString::fromLatin1(PuzzleFormatExtension(options.format)));
}

// Memory the pictures of a batch being made at the same time may take together.  A picture
// needing more (up to about 2 GB for the largest canvas with --unique) is made alone.
constexpr std::int64_t kBatchMemoryBytes = std::int64_t{1} << 30;
// A worker's binary image larger than this is given back after its picture.
constexpr int kKeptScratchPixels = 2048 * 2048;

// Gives up the session's picture when a picture is done, so that a worker holds no picture
// beyond the memory it has taken from the budget, nor size lines of every picture it read.
struct PictureDone {
    PuzzleSession& session;
    ~PictureDone() {
        session.DropPicture();
        session.Info().clear();
    }
};

MakeResult MakeOne(const std::string& picture, const QString& output, const MakeOptions& options,
                   MemoryBudget& budget, PuzzleSession& session) {
    MakeResult result;
    // The puzzle needs the gray sums alone; the search for a unique one reads the planes.
    MemoryBudget::Lease lease;
    const PictureDone done{session};
    const QString reason =
        ReadPictureFile(session, NameFromNative(picture), !options.unique, &budget, &lease);
    if (!reason.isEmpty()) {
        result.err = picture + ": " + reason.toStdString();
        return result;
    }
    session.SetPictureName(DisplayName(QFileInfo(NameFromNative(picture)).completeBaseName()));
    if (session.Analyze({options.lower, options.upper, options.blocks}) != AnalysisEnd::kPuzzle) {
        result.err =
            picture + ": " + BlockRefusalText(session.GetPicture(), options.blocks).toStdString();
        std::replace(result.err.begin(), result.err.end(), '\n', ' ');
        return result;
    }
    UniqueSettings unique{UniqueSettings::Outcome::None, options.lower, options.upper,
                          options.blocks.columns};
    if (options.unique)
        unique = ChooseUniqueSettings(session);
    ColumnBuffer& binary = session.BinaryBuffer();
    if (std::int64_t{binary.Columns()} * binary.Length() > kKeptScratchPixels)
        binary.Free();
    const SolveResult& solved = session.Verdict() ? *session.Verdict() : session.Judge();
    const QString verdict = session.VerdictText().text;
    const QString written =
        WriteExportFiles(ExportFiles(session.GetPuzzle(), options.format, output, verdict));
    if (!written.isEmpty()) {
        result.err = picture + NgmCli::tr(": ファイルに書き込めませんでした。").toStdString() +
                     written.toStdString();
        return result;
    }
    result.out = picture + '\t' + Printed(output) + '\t' + VerdictWord(solved.verdict) + '\t' +
                 std::to_string(solved.difficulty) + '\t' + std::to_string(solved.undecidedCount);
    if (options.unique)
        result.out += std::string("\t") + UniqueOutcomeWord(unique.outcome) + '\t' +
                      std::to_string(unique.n) + '\t' + std::to_string(unique.lower) + ',' +
                      std::to_string(unique.upper);
    return result;
}

// Sets the option `name` (--blocks, --band, --format or --out) to `value`; false, with the
// reason on err, when the value is wrong or --out's folder cannot be made.
bool TakeValue(const std::string& name, const std::string& value, MakeOptions& options,
               std::ostream& err) {
    bool ok = true;
    if (name == "--blocks") {
        const bool fit = options.blocks.fit;
        ok = ParseBlocks(value, options.blocks);
        options.blocks.fit = fit;
    } else if (name == "--band") {
        ok = ParseBand(value, options.lower, options.upper);
    } else if (name == "--format") {
        const std::optional<PuzzleFileFormat> f = PuzzleFormatOfPath("." + value);
        ok = f.has_value() && value.find('.') == std::string::npos;
        options.format = f.value_or(PuzzleFileFormat::kNon);
    } else {
        options.outDir = NameFromNative(value);
        ok = !value.empty();
        const QString reason = ok ? MakeFolder(options.outDir) : QString();
        if (!reason.isEmpty()) {
            err << NgmCli::tr("ngm-cli make: --out のフォルダを作れません: ").toStdString() << value
                << ": " << reason.toStdString() << "\n";
            return false;
        }
    }
    if (!ok)
        err << "ngm-cli make: " << name << NgmCli::tr(" の値が正しくありません: ").toStdString()
            << value << "\n";
    return ok;
}

// The puzzle file of each picture, into outputs, and for each picture why its files may not
// be written, or nothing.  No picture is written over, and two pictures never write the same
// file: a picture whose files would be one of the pictures or another picture's is refused.
std::vector<std::string> OutputRefusals(const std::vector<std::string>& pictures,
                                        const MakeOptions& options, std::vector<QString>& outputs) {
    std::vector<QString> inputs;
    std::vector<std::vector<QString>> files;
    for (const std::string& picture : pictures) {
        inputs.push_back(NameFromNative(picture));
        outputs.push_back(OutputPath(picture, options));
        files.push_back({outputs.back()});
        if (options.format == PuzzleFileFormat::kPng)
            files.back().push_back(SolutionPicturePath(outputs.back()));
    }
    return CheckOutputs(inputs, files);
}

// A bar on the terminal: how many of the pictures are done.
class ProgressBar {
public:
    ProgressBar(std::ostream& err, bool shown, std::size_t total)
        : m_err(err), m_shown(shown), m_total(total) {}
    void Show(std::size_t done) {
        if (!m_shown)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (done != m_total && now - m_last < std::chrono::milliseconds(100))
            return;
        m_last = now;
        constexpr int kWidth = 40;
        const int filled = static_cast<int>(kWidth * done / std::max<std::size_t>(1, m_total));
        m_err << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '-') << "] "
              << done << "/" << m_total << std::flush;
    }
    void Clear() {
        if (m_shown)
            m_err << "\r\033[K" << std::flush;
    }

private:
    std::ostream& m_err;
    bool m_shown;
    std::size_t m_total;
    std::chrono::steady_clock::time_point m_last{};
};

// The words of the command read into options and pictures: an exit status when the command ends
// here (its help, or a word that is wrong), nothing when the pictures are to be made.
std::optional<int> ParseMake(const std::vector<std::string>& args, MakeOptions& options,
                             std::vector<std::string>& pictures, std::ostream& out,
                             std::ostream& err) {
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnd || a.empty() || a[0] != '-' || a == "-") {
            pictures.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnd = true;
            continue;
        }
        if (a == "--unique") {
            options.unique = true;
            continue;
        }
        if (a == "--fit") {
            options.blocks.fit = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            out << NgmCli::tr(kMakeHelp).toStdString();
            return 0;
        }
        const std::size_t eq = a.find('=');
        const std::string name = a.substr(0, eq);
        if (name != "--blocks" && name != "--band" && name != "--format" && name != "--out") {
            err << NgmCli::tr("ngm-cli make: 知らないオプションです: ").toStdString() << a << "\n"
                << NgmCli::tr("ngm-cli make --help で使い方を表示します。\n").toStdString();
            return 1;
        }
        if (eq == std::string::npos && i + 1 >= args.size()) {
            err << "ngm-cli make: " << name << NgmCli::tr(" に値がありません\n").toStdString();
            return 1;
        }
        const std::string value = eq != std::string::npos ? a.substr(eq + 1) : args[++i];
        if (!TakeValue(name, value, options, err))
            return 1;
    }
    // The search cuts the square canvas into N x N blocks.
    if (options.unique && (options.blocks.fit || options.blocks.columns != options.blocks.rows)) {
        err << NgmCli::tr(
                   "ngm-cli make: --unique は正方形のブロック数だけで使えます(--fit や "
                   "横x縦 とは一緒に使えません)\n")
                   .toStdString();
        return 1;
    }
    if (pictures.empty()) {
        err << NgmCli::tr("ngm-cli make: 画像がありません\n").toStdString()
            << NgmCli::tr("ngm-cli make --help で使い方を表示します。\n").toStdString();
        return 1;
    }
    return std::nullopt;
}

// The pictures made on all cores, one line each in the order given; the exit status.
int MakeAll(const std::vector<std::string>& pictures, const MakeOptions& options, std::ostream& out,
            std::ostream& err) {
    if (options.format == PuzzleFileFormat::kPng || options.format == PuzzleFileFormat::kPdf)
        EnsureDrawingApplication();

    std::vector<QString> outputs;
    const std::vector<std::string> refusals = OutputRefusals(pictures, options, outputs);
    std::vector<MakeResult> results(pictures.size());
    std::vector<char> done(pictures.size(), 0);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (!refusals[i].empty()) {
            results[i].err = pictures[i] + refusals[i];
            done[i] = 1;
        }
    }

#if defined(PR_SET_THP_DISABLE)
    // Read as gray sums, a picture takes a few tens of megabytes, touched once by a process
    // that soon ends: small pages come faster then than huge pages, which the system may first
    // have to gather and clear (on a virtual machine, several times the whole run).
    if (!options.unique)
        prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0);
#endif
    std::mutex mutex;
    std::condition_variable finished;
    std::atomic<std::size_t> next{0};
    MemoryBudget budget(kBatchMemoryBytes);
    auto work = [&] {
        // The worker's session keeps its binary image from picture to picture.
        PuzzleSession session;
        for (std::size_t i; (i = next.fetch_add(1)) < pictures.size();) {
            if (done[i])
                continue;
            MakeResult r = MakeOne(pictures[i], outputs[i], options, budget, session);
            std::lock_guard<std::mutex> lock(mutex);
            results[i] = std::move(r);
            done[i] = 1;
            finished.notify_one();
        }
    };
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (std::size_t k = 0; k < std::min(cores, pictures.size()); ++k)
        workers.emplace_back(work);

    // Lines go out in the order of the pictures, as soon as each one's turn has come.
    ProgressBar bar(err, &err == &std::cerr && isatty(STDERR_FILENO), pictures.size());
    int status = 0;
    std::size_t printed = 0;
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (printed < pictures.size()) {
            finished.wait_for(lock, std::chrono::milliseconds(100),
                              [&] { return done[printed] != 0; });
            std::size_t count = 0;
            for (char d : done)
                count += d != 0;
            while (printed < pictures.size() && done[printed]) {
                const MakeResult& r = results[printed++];
                bar.Clear();
                if (!r.err.empty()) {
                    err << r.err << "\n";
                    status = 2;
                } else {
                    out << r.out << "\n";
                }
            }
            bar.Show(count);
        }
    }
    for (std::thread& t : workers)
        t.join();
    bar.Clear();
    out.flush();
    return status;
}

}  // namespace

int RunMake(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    MakeOptions options;
    std::vector<std::string> pictures;
    if (const std::optional<int> status = ParseMake(args, options, pictures, out, err))
        return *status;
    return MakeAll(pictures, options, out, err);
}
