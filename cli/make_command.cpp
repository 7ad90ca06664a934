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
#include "analysis/auto_band.h"
#include "analysis/crop.h"
#include "analysis/palette.h"
#include "cli/commands.h"
#include "cli/drawing_app.h"
#include "cli/make_options.h"
#include "cli/make_unique.h"
#include "cli/memory_budget.h"
#include "cli/output_check.h"
#include "cli/picture_file.h"
#include "formats/puzzle_export.h"
#include "image/native_name.h"
#include "session/fill_warning.h"
#include "session/puzzle_session.h"
#include "solver/solver.h"

namespace {

// What became of one picture: its line for standard output, or its line for standard error;
// and a note for standard error that goes with a puzzle made.
struct MakeResult {
    std::string out;
    std::string err;
    std::string note;
};

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

// The band (given, or the picture's own), the crop (given, trimmed to the band) and the
// blocks of the options, analysed into the session's puzzle; why there is no puzzle otherwise.
QString AnalyseWithOptions(PuzzleSession& session, const MakeOptions& options) {
    const Picture& picture = session.GetPicture();
    AnalysisSettings settings{options.lower, options.upper, options.blocks, options.crop};
    settings.colours = options.colours;
    settings.locked = options.palette;
    if (options.autoBand) {
        const Band band = AutoBand(picture, options.invert, options.crop);
        settings.lower = band.lower;
        settings.upper = band.upper;
    }
    // Nothing in the band leaves the crop as it was: the puzzle is empty, and says so.  A
    // colour puzzle is trimmed to what is not its background instead.
    if (options.trim && settings.IsColour()) {
        if (const std::optional<PixelRect> trimmed =
                ColourTrimRect(picture, PaletteOf(picture, settings), options.crop))
            settings.crop = trimmed;
    } else if (options.trim) {
        if (const std::optional<PixelRect> trimmed =
                TrimRect(picture, settings.lower, settings.upper, options.crop))
            settings.crop = trimmed;
    }
    switch (session.Analyze(settings)) {
        case AnalysisEnd::kPuzzle:
            return {};
        case AnalysisEnd::kEmptyCrop:
            return NgmCli::tr("切り抜く部分が画像の外にあります(画像は %1×%2 画素)。")
                .arg(picture.width)
                .arg(picture.height);
        case AnalysisEnd::kRefused:
        case AnalysisEnd::kRefusedAgain:
            break;
    }
    return BlockRefusalText(session.AnalysedPicture(), options.blocks);
}

// The note of a search that made a puzzle of another block count than the one asked for.
std::string BlockCountNote(int made, int asked) {
    return NgmCli::tr("一意なパズルはブロック数 %1 で作りました(%2 ではありません)。")
        .arg(made)
        .arg(asked)
        .toStdString();
}

// The same for a colour puzzle, whose colour count may differ too.
std::string ColourCountNote(int colours, int made, int askedColours, int asked) {
    return NgmCli::tr(
               "一意なパズルは %1 色・ブロック数 %2 で作りました(%3 色・ブロック数 %4 "
               "ではありません)。")
        .arg(colours)
        .arg(made)
        .arg(askedColours)
        .arg(asked)
        .toStdString();
}

MakeResult MakeOne(const std::string& picture, const QString& output, const MakeOptions& options,
                   MemoryBudget& budget, PuzzleSession& session) {
    MakeResult result;
    // A black-and-white puzzle needs the gray sums alone; the search for a unique one and the
    // colours read the planes.
    MemoryBudget::Lease lease;
    const PictureDone done{session};
    const bool colour = options.colours >= 2;
    const QString reason = ReadPictureFile(session, NameFromNative(picture),
                                           !options.unique && !colour, &budget, &lease);
    if (!reason.isEmpty()) {
        result.err = picture + ": " + reason.toStdString();
        return result;
    }
    session.SetPictureName(DisplayName(QFileInfo(NameFromNative(picture)).completeBaseName()));
    const QString refusal = AnalyseWithOptions(session, options);
    if (!refusal.isEmpty()) {
        result.err = picture + ": " + refusal.toStdString();
        std::replace(result.err.begin(), result.err.end(), '\n', ' ');
        return result;
    }
    const AnalysisSettings given = session.Settings();
    UniqueSettings unique{UniqueSettings::Outcome::None, given.lower, given.upper,
                          options.blocks.columns};
    if (options.unique && colour) {
        unique = ChooseUniqueColours(session);
        if (unique.n != options.blocks.columns || unique.colours != given.colours)
            result.note =
                picture + ": " +
                ColourCountNote(unique.colours, unique.n, given.colours, options.blocks.columns);
    } else if (options.unique) {
        unique = ChooseUniqueSettings(session);
        if (unique.n != options.blocks.columns)
            result.note = picture + ": " + BlockCountNote(unique.n, options.blocks.columns);
    }
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
    if (const FillProblem problem = FillProblemOf(session.GetPuzzle());
        problem != FillProblem::kNone)
        result.out += std::string("\t") + FillProblemWord(problem);
    return result;
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
                if (!r.note.empty())
                    err << r.note << "\n" << std::flush;
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
    std::vector<std::string> names;
    if (const std::optional<int> status = ParseMake(args, options, names, out, err))
        return *status;
    const std::vector<std::string> pictures = ExpandFolders(names, options.recursive);
    if (pictures.empty())
        return 0;
    return MakeAll(pictures, options, out, err);
}
