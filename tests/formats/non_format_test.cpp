// The .non reader: files written by hand or by other programs are read, and broken or hostile
// files give the line and the reason, never a crash or a hang.
#include "formats/non_format.h"

#include <gtest/gtest.h>

#include <QString>
#include <chrono>

namespace {

TEST(NonFormat, ReadsFilesAsOthersWriteThem) {
    // Windows line ends, an unknown key, a blank line, an unquoted goal, the title last; and
    // sizes given as "columns N" / "rows N" with blank lines among the clues.
    const std::string texts[] = {
        "catalogue \"x-1\"\r\nwidth 2\r\nheight 2\r\n\r\nrows\r\n2\r\n1\r\ncolumns\r\n2\r\n1\r\n"
        "goal 1110\r\ntitle \"Cup \\\"5\\\"\"\r\n",
        "columns 2\nrows 2\nrows\n2\n\n1\n\ncolumns\n\n2\n1\n",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const PuzzleReadResult r = ReadNon(text);
        ASSERT_TRUE(r.ok) << r.line << ": " << r.error;
        EXPECT_EQ(r.puzzle.rows, (std::vector<LineClue>{{2}, {1}}));
        EXPECT_EQ(r.puzzle.columns, (std::vector<LineClue>{{2}, {1}}));
    }
    EXPECT_EQ(ReadNon(texts[0]).puzzle.answer, (std::vector<std::uint8_t>{1, 1, 1, 0}));
    EXPECT_EQ(ReadNon(texts[0]).puzzle.title, "Cup \"5\"");
}

TEST(NonFormat, BrokenFilesGiveTheLineAndTheReason) {
    const std::string good = "width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n1\n";
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
        {"width 2\nwidth 3\n", 2, "幅が二度あります"},
        {"rows 2\ncolumns 2\nheight 3\n", 3, "高さが二度あります"},
        {"rows\n1\n", 1, "行の前に高さがありません"},
        {"height 2\ncolumns\n", 2, "列の前に幅がありません"},
        {"width 2\nheight 2\nrows\n2\ncolumns\n2\n1\n", 5, "行のヒントが足りません"},
        {"width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n", 7, "列のヒントが足りません"},
        {"width 2\nheight 2\nrows\n1,0\n1\n", 4, "数字が正しくありません"},
        {"height 2\nrows\n1\n1\nwidth 1\ncolumns\n1,1\n", 7, "ヒントが列に収まりません"},
        // The rows are checked once the width comes, and the row is named.
        {"height 2\nrows\n1,1\n1\nwidth 2\ncolumns\n2\n1\n", 3, "ヒントが行に収まりません"},
        {"width 2\nheight 1\nrows\n2\ncolumns\n1\n0\n", 5, "行と列のヒントの合計が合いません"},
        {"width 99\nheight 1\nrows\n" + ones(50) + "\n", 4, "列のヒントがありません"},
        {"width 99\nheight 1\nrows\n" + ones(51) + "\n", 4, "ヒントの数字が多すぎます"},
        {good + "7,7\n", 9, "列のヒントが幅より多くあります"},
        {good + "goal \"1110\"\ngoal \"1110\"\n", 10, "答えが二度あります"},
        {good + "goal \"111\"\n", 9, "答えの長さが合いません"},
        {good + "goal \"1101\"\n", 9, "答えがヒントと合いません"},
        {"title \"open\n", 1, "引用符が閉じていません"},
        {"width 99\nheight 99\nrows\n" + std::string(10 << 20, '7') + "\n", 4, "行が長すぎます"},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        const PuzzleReadResult r = ReadNon(c.text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.line, c.line);
        EXPECT_EQ(r.error, c.reason);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(ReadNon(good).ok);
}

// Titles and authors of any length are written so that they read back: cut to what a line
// holds, at the start of a character.
TEST(NonFormat, LongTextsAreWrittenSoThatTheyReadBack) {
    Puzzle p = Puzzle::FromGrid(1, 1, {1});
    for (const std::string& text : {std::string(20000, '"'), [] {
                                        std::string s;
                                        for (int i = 0; i < 9000; ++i)
                                            s += "\xE3\x81\x82";  // あ
                                        return s;
                                    }()}) {
        p.title = text;
        const PuzzleReadResult r = ReadNon(WriteNon(p, text));
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(text.rfind(r.puzzle.title, 0), 0u);
        EXPECT_GT(r.puzzle.title.size(), 4000u);
        EXPECT_EQ(QString::fromStdString(r.author).toStdString(), r.author);
    }
}

}  // namespace
