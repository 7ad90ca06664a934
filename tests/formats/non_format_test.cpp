// The .non reader and writer: every reference puzzle survives a round trip, a known puzzle is
// written exactly, and broken or hostile files give an error on a sensible line, never a crash.
#include "formats/non_format.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

const std::string kData = std::string(NGM_TEST_DATA) + "/puzzles/";

// A small valid file: a heart, with the keys in an unusual order, unknown keys, blank lines,
// an unquoted goal and Windows line ends.
const char kHeart[] =
    "catalogue \"x-1\"\r\n"
    "width 5\r\n"
    "height 5\r\n"
    "\r\n"
    "rows\r\n1,1\r\n5\r\n5\r\n3\r\n1\r\n"
    "columns\r\n2\r\n4\r\n4\r\n4\r\n2\r\n"
    "goal 0101011111111110111000100\r\n"
    "title \"Heart \\\"5\\\"\"\r\n";

std::vector<std::string> ReferenceFiles() {
    std::ifstream list(kData + "verdicts.tsv");
    std::vector<std::string> files;
    std::string line;
    std::getline(list, line);
    while (std::getline(list, line))
        files.push_back(line.substr(0, line.find('\t')));
    return files;
}

TEST(NonFormat, ReferencePuzzlesSurviveARoundTrip) {
    const std::vector<std::string> files = ReferenceFiles();
    ASSERT_EQ(files.size(), 600u);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const PuzzleReadResult first = ReadNonFile(kData + file);
        ASSERT_TRUE(first.ok) << first.line << ": " << first.error;
        ASSERT_TRUE(first.puzzle.HasAnswer());
        ASSERT_TRUE(GridMatchesClues(first.puzzle, first.puzzle.answer));
        const std::string written = WriteNon(first.puzzle, first.author);
        const PuzzleReadResult second = ReadNon(written);
        ASSERT_TRUE(second.ok) << second.line << ": " << second.error;
        EXPECT_EQ(second.puzzle.rows, first.puzzle.rows);
        EXPECT_EQ(second.puzzle.columns, first.puzzle.columns);
        EXPECT_EQ(second.puzzle.answer, first.puzzle.answer);
        EXPECT_EQ(second.puzzle.title, first.puzzle.title);
        EXPECT_EQ(WriteNon(second.puzzle, second.author), written);
    }
}

TEST(NonFormat, WritesAKnownPuzzleLineForLine) {
    const PuzzleReadResult heart = ReadNon(kHeart);
    ASSERT_TRUE(heart.ok) << heart.line << ": " << heart.error;
    EXPECT_EQ(heart.puzzle.rows, (std::vector<LineClue>{{1, 1}, {5}, {5}, {3}, {1}}));
    EXPECT_EQ(heart.puzzle.columns, (std::vector<LineClue>{{2}, {4}, {4}, {4}, {2}}));
    EXPECT_EQ(heart.puzzle.title, "Heart \"5\"");
    Puzzle p = heart.puzzle;
    p.title = "ハート \\ \"5\"";
    const std::string expected =
        "title \"ハート \\\\ \\\"5\\\"\"\n"
        "by \"NGM\"\n"
        "width 5\nheight 5\n"
        "rows\n1,1\n5\n5\n3\n1\n"
        "columns\n2\n4\n4\n4\n2\n"
        "goal \"0101011111111110111000100\"\n";
    std::istringstream got(WriteNon(p, "NGM")), want(expected);
    std::string gotLine, wantLine;
    for (int line = 1; std::getline(want, wantLine); ++line) {
        ASSERT_TRUE(std::getline(got, gotLine)) << "line " << line;
        EXPECT_EQ(gotLine, wantLine) << "line " << line;
    }
    EXPECT_FALSE(std::getline(got, gotLine));
    EXPECT_EQ(ReadNon(WriteNon(p, "NGM")).puzzle.title, p.title);
    // Without an answer there is no goal; an empty line is written as 0.
    p = Puzzle::FromGrid(2, 1, {0, 0});
    p.answer.clear();
    EXPECT_EQ(WriteNon(p), "title \"\"\nby \"\"\nwidth 2\nheight 1\nrows\n0\ncolumns\n0\n0\n");
}

TEST(NonFormat, BrokenFilesGiveTheLineAndTheReason) {
    const std::string good = "width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n1\ngoal \"1110\"\n";
    auto ones = [](int n) {
        std::string s = "1";
        while (--n > 0)
            s += ",1";
        return s;
    };
    const struct {
        std::string text;
        int line;
        const char* reason;
    } cases[] = {
        {"", 1, "幅がありません"},
        {"width 2\n", 1, "高さがありません"},
        {"width 2\nheight 2\n", 2, "行のヒントがありません"},
        {"width 2\nheight 2\nrows\n2\n1\n", 5, "列のヒントがありません"},
        {"width 0\n", 1, "幅は1から99までです"},
        {"height 100\n", 1, "高さは1から99までです"},
        {"width 99999999999999999999\n", 1, "数字が正しくありません"},
        {"width 1000000\n", 1, "幅は1から99までです"},
        {"width two\n", 1, "数字が正しくありません"},
        {"width 2\nwidth 3\n", 2, "幅が二度あります"},
        {"rows\n1\n", 1, "行の前に高さがありません"},
        {"height 2\ncolumns\n", 2, "列の前に幅がありません"},
        {"width 2\nheight 2\nrows\n2\ncolumns\n2\n1\n", 5, "行のヒントが足りません"},
        {"width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n", 7, "列のヒントが足りません"},
        {"width 2\nheight 2\nrows\n\n1\n", 5, "行のヒントが足りません"},  // blanks skipped
        {"rows 2\ncolumns 2\nheight 3\n", 3, "高さが二度あります"},
        {"width 2\nheight 2\nrows\n-1\n1\n", 4, "数字が正しくありません"},
        {"width 2\nheight 2\nrows\n1,x\n1\n", 4, "数字が正しくありません"},
        {"width 2\nheight 2\nrows\n1,0\n1\n", 4, "数字が正しくありません"},
        {"width 2\nheight 2\nrows\n1,1\n1\n", 4, "ヒントが行に収まりません"},
        {"width 2\nheight 2\nrows\n3\n1\n", 4, "ヒントが行に収まりません"},
        {"height 2\nrows\n1\n1\nwidth 1\ncolumns\n1,1\n", 7, "ヒントが列に収まりません"},
        {"height 2\nrows\n1,1\n1\nwidth 2\ncolumns\n2\n1\n", 3, "ヒントが行に収まりません"},
        {"width 2\nheight 1\nrows\n2\ncolumns\n1\n0\n", 5, "行と列のヒントの合計が合いません"},
        {"width 99\nheight 1\nrows\n" + ones(50) + "\n", 0, nullptr},  // fits exactly
        {"width 99\nheight 1\nrows\n" + ones(51) + "\n", 4, "ヒントの数字が多すぎます"},
        {good + "goal \"1110\"\n", 10, "答えが二度あります"},
        {"width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n1\ngoal \"111\"\n", 9,
         "答えの長さが合いません"},
        {"width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n1\ngoal \"1101\"\n", 9,
         "答えがヒントと合いません"},
        {"width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n1\ngoal \"1110\n", 9,
         "引用符が閉じていません"},
        {"title \"open\n", 1, "引用符が閉じていません"},
        {"width 2\n" + std::string(100000, 'x') + "\n", 2, "行が長すぎます"},
        {std::string(10 << 20, '7'), 1, "行が長すぎます"},
        {"width 99\nheight 99\nrows\n" + std::string(10 << 20, '7') + "\n", 4, "行が長すぎます"},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        const PuzzleReadResult r = ReadNon(c.text);
        if (!c.reason) {  // not broken where the clues are, but no columns follow
            EXPECT_EQ(r.error, "列のヒントがありません");
            continue;
        }
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.line, c.line);
        EXPECT_EQ(r.error, c.reason);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));  // 20 MB
    EXPECT_TRUE(ReadNon(good).ok);
    // Sizes given by "columns N" and "rows N", blank lines among the clues.
    const PuzzleReadResult sized = ReadNon("columns 2\nrows 2\nrows\n2\n\n1\n\ncolumns\n\n2\n1\n");
    EXPECT_TRUE(sized.ok) << sized.line << ": " << sized.error;
    EXPECT_EQ(sized.puzzle.rows, (std::vector<LineClue>{{2}, {1}}));
    EXPECT_EQ(sized.puzzle.columns, (std::vector<LineClue>{{2}, {1}}));
}

// A valid file cut at every byte, and randomly damaged copies: no crash, and whatever is
// accepted is a puzzle whose clues fit and whose goal, if any, matches them.
TEST(NonFormat, CutAndDamagedFilesNeverGiveABrokenPuzzle) {
    const std::string text = WriteNon(ReadNon(kHeart).puzzle, "by");
    const Puzzle full = ReadNon(text).puzzle;
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
        const std::string prefix = text.substr(0, cut);
        const PuzzleReadResult r = ReadNon(prefix);
        const int lines = static_cast<int>(std::count(prefix.begin(), prefix.end(), '\n')) + 1;
        if (r.ok) {
            EXPECT_EQ(r.puzzle.rows, full.rows) << cut;
            EXPECT_EQ(r.puzzle.columns, full.columns) << cut;
        } else {
            EXPECT_GE(r.line, 1) << cut;
            EXPECT_LE(r.line, lines) << cut;
            EXPECT_FALSE(r.error.empty()) << cut;
        }
    }
    std::mt19937 rng(99);
    const std::string alphabet = "0123456789,\n \"x-";
    for (int trial = 0; trial < 3000; ++trial) {
        std::string damaged = text;
        for (int k = 1 + static_cast<int>(rng() % 3); k > 0; --k)
            damaged[rng() % damaged.size()] = alphabet[rng() % alphabet.size()];
        const PuzzleReadResult r = ReadNon(damaged);
        if (r.ok) {
            EXPECT_EQ(ClueFitProblem(r.puzzle), "") << damaged;
            EXPECT_TRUE(!r.puzzle.HasAnswer() || GridMatchesClues(r.puzzle, r.puzzle.answer));
        } else {
            EXPECT_GE(r.line, 1);
        }
    }
}

TEST(NonFormat, FilesTooBigOrMissingAreRefused) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::string big = (dir / "ngm_format_test_big.non").string();
    std::ofstream(big) << std::string(kMaxNonFileBytes + 1, '\n');
    PuzzleReadResult r = ReadNonFile(big);
    std::filesystem::remove(big);
    EXPECT_EQ(r.error, "ファイルが大きすぎます");
    EXPECT_EQ(r.line, 0);
    r = ReadNonFile((dir / "ngm_format_test_missing.non").string());
    EXPECT_EQ(r.error, "ファイルを開けません");
    EXPECT_EQ(r.line, 0);
}

}  // namespace
