// Puzzle files in both text formats: every reference puzzle survives a round trip through each,
// files are read by their extension or by what they hold, and files too big or not files are
// refused, and a file cut at any byte never gives another puzzle.  (The exact text written is
// checked against the hand-written heart files by the command line's convert tests.)  Exported
// files are written through a temporary file that leaves the old file whole when the write fails
// (the PDF's two A4 pages are checked through the window's export and print).
#include "formats/puzzle_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "formats/file_writing.h"
#include "formats/non_format.h"

namespace {

const std::string kData = std::string(NGM_TEST_DATA) + "/";
constexpr PuzzleFileFormat kTextFormats[] = {PuzzleFileFormat::kNon, PuzzleFileFormat::kXml};

Puzzle Heart() {
    Puzzle p = Puzzle::FromGrid(
        5, 5, {0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 0, 0, 1, 0, 0});
    p.title = "Heart";
    return p;
}

// Each puzzle is written with its answer and with clues only, read back, and written again to
// the same text.
TEST(PuzzleFile, ReferencePuzzlesSurviveARoundTripInEachTextFormat) {
    std::ifstream list(kData + "puzzles/verdicts.tsv");
    std::string line;
    std::getline(list, line);
    int files = 0;
    for (; std::getline(list, line); ++files) {
        const std::string file = line.substr(0, line.find('\t'));
        SCOPED_TRACE(file);
        const PuzzleReadResult first = ReadPuzzleFile(kData + "puzzles/" + file);
        ASSERT_TRUE(first.ok) << first.line << ": " << first.error;
        ASSERT_TRUE(first.puzzle.HasAnswer());
        ASSERT_TRUE(GridMatchesClues(first.puzzle, first.puzzle.answer));
        for (PuzzleFileFormat format : kTextFormats) {
            Puzzle puzzle = first.puzzle;
            puzzle.title = "Pic " + file + " <&\"'\\>";
            for (bool answer : {true, false}) {
                if (!answer)
                    puzzle.answer.clear();
                const std::string text = WritePuzzleText(puzzle, format, "NGM & co");
                const PuzzleReadResult back = ReadPuzzleText(text, std::nullopt);
                ASSERT_TRUE(back.ok) << back.line << ": " << back.error << "\n" << text;
                EXPECT_EQ(back.puzzle.rows, puzzle.rows);
                EXPECT_EQ(back.puzzle.columns, puzzle.columns);
                EXPECT_EQ(back.puzzle.answer, puzzle.answer);
                EXPECT_EQ(back.puzzle.title, puzzle.title);
                EXPECT_EQ(back.author, "NGM & co");
                EXPECT_EQ(WritePuzzleText(back.puzzle, format, back.author), text);
            }
        }
    }
    EXPECT_EQ(files, 600);
}

// The heart cut at every byte: what is accepted has the heart's clues and, if any, its answer
// (an XML file only once it is closed); what is refused names a line.
TEST(PuzzleFile, CutFilesNeverGiveAnotherPuzzle) {
    for (PuzzleFileFormat format : kTextFormats) {
        const std::string text = WritePuzzleText(Heart(), format, "by");
        for (std::size_t cut = 0; cut < text.size(); ++cut) {
            const PuzzleReadResult r = ReadPuzzleText(text.substr(0, cut), format);
            SCOPED_TRACE(text.substr(0, cut));
            if (!r.ok) {
                EXPECT_GE(r.line, 1);
                continue;
            }
            EXPECT_EQ(r.puzzle.rows, Heart().rows);
            EXPECT_EQ(r.puzzle.columns, Heart().columns);
            EXPECT_TRUE(r.puzzle.answer.empty() || r.puzzle.answer == Heart().answer);
            EXPECT_TRUE(format == PuzzleFileFormat::kNon ||
                        text.substr(0, cut).find("</puzzle>") != std::string::npos);
        }
    }
}

TEST(PuzzleFile, FilesAreReadByTheirNameOrWhatTheyHoldAndOnlyWhenSafe) {
    EXPECT_EQ(PuzzleFormatOfPath("a.non"), PuzzleFileFormat::kNon);
    EXPECT_EQ(PuzzleFormatOfPath("dir.x/B.XML"), PuzzleFileFormat::kXml);
    EXPECT_EQ(PuzzleFormatOfPath("non"), std::nullopt);

    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("ngm_file_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    for (PuzzleFileFormat format : kTextFormats) {
        const std::string path = (dir / "heart.txt").string();
        // XML allows nothing before its declaration but a byte-order mark.
        std::ofstream(path, std::ios::binary)
            << "\xEF\xBB\xBF" << (format == PuzzleFileFormat::kNon ? "\n  " : "")
            << WritePuzzleText(Heart(), format);
        const PuzzleReadResult r = ReadPuzzleFile(path);
        EXPECT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.puzzle.answer, Heart().answer);
    }
    // A file too big is refused before it is read whole; a named pipe at once instead of
    // waiting for a writer; a folder and a missing file too.
    const std::string big = (dir / "big.non").string();
    std::ofstream(big) << std::string(kMaxNonFileBytes + 1, '\n');
    const PuzzleReadResult tooBig = ReadPuzzleFile(big);
    EXPECT_EQ(std::pair(tooBig.line, tooBig.error),
              std::pair(0, std::string("ファイルが大きすぎます")));
    const std::string fifo = (dir / "pipe.non").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadPuzzleFile(fifo).error, "ファイルではありません");
    EXPECT_EQ(ReadPuzzleFile(dir.string()).error, "ファイルではありません");
    EXPECT_EQ(ReadPuzzleFile((dir / "missing.non").string()).error, "ファイルを開けません");
    std::filesystem::remove_all(dir);
}

TEST(FileWriting, AFailedWriteLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.pdf"));
    ASSERT_EQ(SaveFileAtomically(path, "old"), QString());
    // A file size limit makes the system refuse the write part way, as a full disk would.
    struct sigaction ignore = {}, before = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &before);
    rlimit limit{}, saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    limit = saved;
    limit.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &limit);
    const QString reason = SaveFileAtomically(path, QByteArray(5000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &before, nullptr);
    EXPECT_FALSE(reason.isEmpty());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.pdf")});
}

}  // namespace
