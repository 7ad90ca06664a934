// Puzzle files in both text formats: every reference puzzle survives a round trip through each,
// files are read by their extension or by what they hold, and files too big or not files are
// refused, and a file cut at any byte never gives another puzzle.  (The exact text written is
// checked against the hand-written heart files by the command line's convert tests.)  Exported
// files are written through a temporary file that leaves the old file whole when the write fails
// (the PDF's two A4 pages are checked through the window's export and print).
// Colour puzzles in both file formats: written and read back the same, files written by hand
// read as their colour lines and elements say, and broken colour definitions refused with
// their line.
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
#include "formats/xml_format.h"

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

// 4 x 3 with three colours; red and green runs touch in the first row:
//   R R G .
//   . B B .
//   R . . R
Puzzle ThreeColours() {
    Puzzle p = Puzzle::FromColourGrid(4, 3, {1, 1, 2, 0, 0, 3, 3, 0, 1, 0, 0, 1},
                                      {0xfffff0, 0xd01020, 0x10a040, 0x2040c0});
    p.title = "Flags & \"stripes\"";
    return p;
}

void ExpectSamePuzzle(const Puzzle& read, const Puzzle& written) {
    EXPECT_EQ(read.width, written.width);
    EXPECT_EQ(read.height, written.height);
    EXPECT_EQ(read.rows, written.rows);
    EXPECT_EQ(read.columns, written.columns);
    EXPECT_EQ(read.rowColours, written.rowColours);
    EXPECT_EQ(read.columnColours, written.columnColours);
    EXPECT_EQ(read.palette, written.palette);
    EXPECT_EQ(read.answer, written.answer);
    EXPECT_EQ(read.title, written.title);
}

TEST(ColourFiles, WrittenAndReadBackTheSame) {
    Puzzle clueOnly = ThreeColours();
    clueOnly.answer.clear();
    for (const Puzzle& p : {ThreeColours(), clueOnly}) {
        const std::string non = WriteNon(p);
        const PuzzleReadResult fromNon = ReadNon(non);
        ASSERT_TRUE(fromNon.ok) << fromNon.error << " line " << fromNon.line << "\n" << non;
        ExpectSamePuzzle(fromNon.puzzle, p);
        const std::string xml = WritePuzzleXml(p);
        const PuzzleReadResult fromXml = ReadPuzzleXml(xml);
        ASSERT_TRUE(fromXml.ok) << fromXml.error << " line " << fromXml.line << "\n" << xml;
        ExpectSamePuzzle(fromXml.puzzle, p);
    }
    const std::string non = WriteNon(ThreeColours());
    EXPECT_NE(non.find("color 0 #fffff0\ncolor a #d01020\n"), std::string::npos) << non;
    EXPECT_NE(non.find("rows\n2a,1b\n2c\n1a,1a\n"), std::string::npos) << non;
    EXPECT_NE(non.find("goal \"aab00cc0a00a\""), std::string::npos) << non;
    // Black and white stays without colour lines.
    EXPECT_EQ(WriteNon(Puzzle::FromGrid(2, 1, {1, 0})).find("color"), std::string::npos);
}

TEST(ColourFiles, HandWrittenFilesOfBothFormats) {
    const PuzzleReadResult non = ReadNon(
        "title Stripes\nwidth 3\nheight 2\ncolor r #FF0000\ncolor g 00ff00\nrows\n1r,2g\n0\n"
        "columns\n1r\n1g\n1g\ngoal \"rgg000\"\n");
    ASSERT_TRUE(non.ok) << non.error << " line " << non.line;
    EXPECT_EQ(non.puzzle.palette, (std::vector<std::uint32_t>{0xffffff, 0xff0000, 0x00ff00}));
    EXPECT_EQ(non.puzzle.rowColours[0], (LineColours{1, 2}));
    EXPECT_EQ(non.puzzle.answer, (std::vector<std::uint8_t>{1, 2, 2, 0, 0, 0}));

    const PuzzleReadResult xml = ReadPuzzleXml(
        "<puzzleset><puzzle type=\"grid\" defaultcolor=\"red\" backgroundcolor=\"white\">\n"
        "<color name=\"white\" char=\".\">fff</color>\n<color name=\"red\" char=\"r\">f00</color>\n"
        "<color name=\"green\" char=\"g\">#00c000</color>\n"
        "<clues type=\"columns\"><line><count>1</count></line>\n"
        "<line><count color=\"green\">1</count></line></clues>\n"
        "<clues type=\"rows\"><line><count>1</count><count color=\"green\">1</count></line>\n"
        "<line></line></clues>\n"
        "<solution type=\"goal\"><image>|rg|\n|..|</image></solution></puzzle></puzzleset>\n");
    ASSERT_TRUE(xml.ok) << xml.error << " line " << xml.line;
    EXPECT_EQ(xml.puzzle.palette, (std::vector<std::uint32_t>{0xffffff, 0xff0000, 0x00c000}));
    EXPECT_EQ(xml.puzzle.rows[0], (LineClue{1, 1}));
    EXPECT_EQ(xml.puzzle.rowColours[0], (LineColours{1, 2}));
    EXPECT_EQ(xml.puzzle.columnColours[1], (LineColours{2}));
    EXPECT_EQ(xml.puzzle.answer, (std::vector<std::uint8_t>{1, 2, 0, 0}));
}

TEST(ColourFiles, BrokenColoursAreRefusedWithTheirLine) {
    const std::string head = "width 2\nheight 1\n";
    const struct {
        std::string text;
        int line;
    } cases[] = {
        {head + "color r #ff00\nrows\n1r\ncolumns\n1r\n0\n", 3},        // short RGB
        {head + "color r #ff0000\ncolor r #00ff00\nrows\n0\n", 4},      // defined twice
        {head + "color r #ff0000\nrows\n1x\ncolumns\n1r\n0\n", 5},      // undefined colour
        {head + "color r #ff0000\nrows\n1\ncolumns\n1r\n0\n", 5},       // no colour
        {head + "rows\n1r\ncolumns\n1r\n0\n", 4},                       // colour in black & white
        {head + "color r #f00000\nrows\n1r,1r\ncolumns\n1r\n1r\n", 5},  // same colour needs a gap
    };
    for (const auto& c : cases) {
        const PuzzleReadResult r = ReadNon(c.text);
        EXPECT_FALSE(r.ok) << c.text;
        EXPECT_EQ(r.line, c.line) << c.text << r.error;
    }
    // Touching runs of two colours fit.
    EXPECT_TRUE(
        ReadNon(head + "color r #f00000\ncolor g #00f000\nrows\n1r,1g\ncolumns\n1r\n1g\n").ok);
}

}  // namespace
