// The XML reader: files as other programs and collections write them are read, broken and
// hostile ones give the line and the reason, and nothing crashes, hangs or grows without bound.
// The .non reader: files written by hand or by other programs are read, and broken or hostile
// files give the line and the reason, never a crash or a hang.
#include "formats/xml_format.h"

#include <gtest/gtest.h>

#include <QString>
#include <chrono>

#include "formats/non_format.h"

namespace {

std::string Repeat(const std::string& text, int n) {
    std::string out;
    while (n-- > 0)
        out += text;
    return out;
}

// A 2 x 2 puzzle: columns 2 / 1, rows `row0` / 1 on lines 8 and 9, and `extra` from line 11.
std::string Small(const std::string& row0 = "<count>2</count>", const std::string& extra = "") {
    return "<puzzleset>\n<puzzle type=\"grid\">\n<clues type=\"columns\">\n"
           "<line><count>2</count></line>\n<line><count>1</count></line>\n</clues>\n"
           "<clues type=\"rows\">\n<line>" +
           row0 + "</line>\n<line><count>1</count></line>\n</clues>\n" + extra +
           "</puzzle>\n</puzzleset>\n";
}

TEST(XmlFormat, ReadsFilesAsOthersWriteThem) {
    const struct {
        const char* name;
        std::string text;
        std::vector<LineClue> rows, columns;
        std::vector<std::uint8_t> answer;
        const char* title;
    } cases[] = {
        {"a DOCTYPE, an entity the DTD would define, comments, notes, its own colour letters",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE pbn SYSTEM \"https://example.org/pbn-0.3.dtd\">\n"
         "<!-- made by hand -->\n<puzzleset>\n<source>somewhere</source>\n"
         "<puzzle type=\"grid\" defaultcolor=\"ink\" backgroundcolor=\"paper\">\n<id>#1</id>\n"
         "<title>Cup &amp; <![CDATA[<saucer>]]></title>\n<copyright>&copy; 2004</copyright>\n"
         "<color name=\"ink\" char=\"#\"/><color name=\"paper\" char=\"-\"/>\n"
         "<clues type=\"rows\"><line><count color=\"ink\">2</count></line>"
         "<line><count>0</count></line></clues>\n"
         "<clues type=\"columns\"><line><count>1</count></line>\n"
         "<line>\n  <count> 1 </count>\n</line></clues>\n"
         "<solution type=\"saved\"><image>|??|\n|??|</image></solution>\n"
         "<solution type=\"goal\"><image>\n  |##|\n  |--|\n</image></solution>\n"
         "<note>anything <b>at all</b></note>\n</puzzle>\n<puzzle>second, ignored</puzzle>\n"
         "</puzzleset>\n",
         {{2}, {}},
         {{1}, {1}},
         {1, 1, 0, 0},
         "Cup & <saucer>"},
        {"a lone puzzle of the picture only: the clues are read off it",
         "<puzzle><title>  two\n words </title><solution type=\"goal\"><image>\n"
         "|X.X|\n|XXX|\n</image></solution></puzzle>",
         {{1, 1}, {3}},
         {{2}, {1}, {2}},
         {1, 0, 1, 1, 1, 1},
         "two words"},
        {"the answer written as a solution of type \"solution\", after the clues",
         Small("<count>2</count>",
               "<solution type=\"solution\"><image>|XX|\n|X.|</image></solution>\n"),
         {{2}, {1}},
         {{2}, {1}},
         {1, 1, 1, 0},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PuzzleReadResult r = ReadPuzzleXml(c.text);
        ASSERT_TRUE(r.ok) << r.line << ": " << r.error;
        EXPECT_EQ(r.puzzle.rows, c.rows);
        EXPECT_EQ(r.puzzle.columns, c.columns);
        EXPECT_EQ(r.puzzle.answer, c.answer);
        EXPECT_EQ(r.puzzle.title, c.title);
        EXPECT_EQ(r.puzzle.width, static_cast<int>(c.columns.size()));
        EXPECT_EQ(r.puzzle.height, static_cast<int>(c.rows.size()));
    }
}

TEST(XmlFormat, BrokenFilesGiveTheLineAndTheReason) {
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += " a" + std::to_string(i) + "=\"1\"";
    auto goal = [](const char* rows) {
        return std::string("<solution><image>\n") + rows + "</image></solution>\n";
    };
    const struct {
        std::string text;
        int line;
        const char* reason;
    } cases[] = {
        {"", 1, "ファイルが途中で切れています"},
        {"<?xml version=\"1.0\"?>\n<html><body/></html>", 2, "パズルのファイルではありません"},
        {"<puzzleset>\n<title>none</title>\n</puzzleset>\n", 4, "パズルがありません"},
        {"<puzzle type=\"triddler\"/>", 1, "格子のパズルではありません"},
        {Small("<count>100</count>"), 8, "数字が正しくありません"},
        {Small("<count>" + std::string(1000, '9') + "</count>"), 8, "数字が正しくありません"},
        {Small("<count>1</count><count>0</count>"), 8, "数字が正しくありません"},
        {Small("<count color=\"red\">2</count>"), 8, "白黒のパズルではありません"},
        {"<puzzle>\n<clues type=\"rows\">\n" + Repeat("<line><count>1</count></line>\n", 100) +
             "</clues></puzzle>",
         102, "高さは1から99までです"},
        {"<puzzle>\n<clues type=\"columns\">\n<line>" + Repeat("<count>1</count>", 51) +
             "</line></clues></puzzle>",
         3, "ヒントの数字が多すぎます"},
        {"<puzzle>\n<clues type=\"columns\"><line/></clues>\n</puzzle>", 3,
         "行のヒントがありません"},
        {"<puzzle>\n<clues type=\"rows\"/><clues type=\"columns\"/></puzzle>", 2,
         "幅は1から99までです"},
        {"<puzzle>\n<clues type=\"rows\"/><clues type=\"rows\"/></puzzle>", 2,
         "行のヒントが二度あります"},
        {"<puzzle>\n<clues type=\"diagonal\"/></puzzle>", 2,
         "ヒントの種類が rows でも columns でもありません"},
        {Small("<count>2</count>", goal("|XX|\n|.X|\n")), 11, "答えがヒントと合いません"},
        {Small("<count>2</count>", goal("|XX|\n|X..|\n")), 13, "答えの大きさが合いません"},
        {Small("<count>2</count>", goal("|XX|\n|X?|\n")), 13,
         "答えに白でも黒でもないマスがあります"},
        {"<puzzle>" + goal("\n") + "</puzzle>", 1, "答えが空です"},
        {"<puzzle>\n" + Repeat("<a>", 40), 2, "要素の入れ子が深すぎます"},
        {"<puzzleset>\n\n<puzzle" + many + ">\n</puzzle></puzzleset>\n", 3,
         "要素の属性が多すぎます"},
        {"<puzzleset>\n<puzzle>\n<author>x</author>\n<title>\x83\x65</title>\n", 4,
         "UTF-8 でない文字があります"},
        {"<puzzle><title>" + std::string(kMaxXmlFileBytes, '7') + "</title></puzzle>", 0,
         "ファイルが大きすぎます"},
        // Entities that expand a thousandfold at each level stop at the reader's limit.
        {"<!DOCTYPE p [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
         "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;"
         "&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>\n<puzzle><title>&e;&e;&e;&e;"
         "</title></puzzle>",
         2, "XML の書式が正しくありません"},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 200));
        const PuzzleReadResult r = ReadPuzzleXml(c.text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, c.reason);
        EXPECT_EQ(r.line, c.line);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(ReadPuzzleXml(Small()).ok);
}

// U+FFFE and U+FFFF are valid UTF-8 but no XML characters: a title holding them is written
// with spaces in their places, so that the file reads back; so is a title of a .non file in
// another encoding.
TEST(XmlFormat, TitlesWithCharactersXmlForbidsStillReadBack) {
    PuzzleReadResult read = ReadPuzzleXml(Small());
    ASSERT_TRUE(read.ok);
    read.puzzle.title = "S\xEF\xBF\xBFYS\xEF\xBF\xBE \xEF\xBF\xBD";  // U+FFFD stays
    const PuzzleReadResult back = ReadPuzzleXml(WritePuzzleXml(read.puzzle, "by"));
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.puzzle.title, "S YS \xEF\xBF\xBD");  // spaces folded
    EXPECT_EQ(back.puzzle.rows, read.puzzle.rows);
    read = ReadNon("width 1\nheight 1\ntitle \"\x83\x65\x83\x58\"\nrows\n1\ncolumns\n1\n");
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_TRUE(ReadPuzzleXml(WritePuzzleXml(read.puzzle, "by")).ok);
}

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
