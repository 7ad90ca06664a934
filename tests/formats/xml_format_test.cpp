// The XML reader: files as other programs and collections write them are read, broken and
// hostile ones give the line and the reason, and nothing crashes, hangs or grows without bound.
#include "formats/xml_format.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

std::string Clues(const char* type, const std::vector<std::string>& lines) {
    std::string out = std::string("<clues type=\"") + type + "\">\n";
    for (const std::string& line : lines)
        out += "<line>" + line + "</line>\n";
    return out + "</clues>\n";
}

// A 2 x 2 puzzle: rows 2 / 1, columns 2 / 1 (the clue texts can be changed per case).
std::string Small(const std::string& rows = "<count>2</count>\n<count>1</count>",
                  const std::string& extra = "") {
    std::string text = "<puzzleset>\n<puzzle type=\"grid\" defaultcolor=\"black\">\n";
    text +=
        "<clues type=\"columns\">\n<line><count>2</count></line>\n"
        "<line><count>1</count></line>\n</clues>\n";
    text += "<clues type=\"rows\">\n";
    std::size_t start = 0;
    for (std::size_t end; (end = rows.find('\n', start)) != std::string::npos; start = end + 1)
        text += "<line>" + rows.substr(start, end - start) + "</line>\n";
    text += "<line>" + rows.substr(start) + "</line>\n</clues>\n";
    return text + extra + "</puzzle>\n</puzzleset>\n";
}

TEST(XmlFormat, ReadsFilesAsOthersWriteThem) {
    const struct {
        const char* name;
        std::string text;
        std::vector<LineClue> rows, columns;
        std::vector<std::uint8_t> answer;
        const char* title;
    } cases[] = {
        {"a DOCTYPE, an entity the DTD would define, comments and notes",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE pbn SYSTEM \"https://example.org/pbn-0.3.dtd\">\n"
         "<!-- made by hand -->\n<puzzleset>\n<source>somewhere</source>\n"
         "<puzzle type=\"grid\" defaultcolor=\"black\">\n<id>#1</id>\n"
         "<title>Cup &amp; <![CDATA[<saucer>]]></title>\n<copyright>&copy; 2004</copyright>\n"
         "<color name=\"white\" char=\".\">fff</color><color name=\"black\" "
         "char=\"X\">000</color>\n"
         "<clues type=\"rows\"><line><count color=\"black\">2</count></line><line/></clues>\n"
         "<clues type=\"columns\"><line><count>1</count></line>\n"
         "<line>\n  <count> 1 </count>\n</line></clues>\n"
         "<solution type=\"saved\"><image>|??|\n|??|</image></solution>\n"
         "<solution type=\"goal\"><image>\n  |XX|\n  |..|\n</image></solution>\n"
         "<note>anything <b>at all</b></note>\n</puzzle>\n<puzzle>second, ignored</puzzle>\n"
         "</puzzleset>\n",
         {{2}, {}},
         {{1}, {1}},
         {1, 1, 0, 0},
         "Cup & <saucer>"},
        {"a lone puzzle, its own colour letters, a zero for an empty line",
         "<puzzle defaultcolor=\"ink\" backgroundcolor=\"paper\">"
         "<color name=\"ink\" char=\"#\"/><color name=\"paper\" char=\"-\"/>"
         "<clues type=\"columns\"><line><count>0</count></line><line><count>1</count></line>"
         "</clues><clues type=\"rows\"><line></line><line><count>1</count></line></clues>"
         "<solution><image>|--|\n|-#|</image></solution></puzzle>",
         {{}, {1}},
         {{}, {1}},
         {0, 0, 0, 1},
         ""},
        {"the picture only: the clues are read off it",
         "<puzzleset><puzzle><title>  two\n words </title><solution type=\"goal\"><image>\n"
         "|X.X|\n|XXX|\n</image></solution></puzzle></puzzleset>",
         {{1, 1}, {3}},
         {{2}, {1}, {2}},
         {1, 0, 1, 1, 1, 1},
         "two words"},
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
    auto lines = [](int n, const std::string& line) {
        std::vector<std::string> v(n, line);
        return v;
    };
    auto counts = [](int n, int value) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += "<count>" + std::to_string(value) + "</count>";
        return s;
    };
    const std::string goal = "<solution type=\"goal\"><image>\n|XX|\n|X.|\n</image></solution>\n";
    std::string deep;
    for (int i = 0; i < 40; ++i)
        deep += "<a>";
    const struct {
        std::string text;
        int line;
        const char* reason;
    } cases[] = {
        {"", 1, "ファイルが途中で切れています"},
        {"width 2\nheight 2\n", 1, "XML の書式が正しくありません"},
        {"<?xml version=\"1.0\"?>\n<html><body/></html>", 2, "パズルのファイルではありません"},
        {"<puzzleset>\n<title>none</title>\n</puzzleset>\n", 4, "パズルがありません"},
        {Small().substr(0, 120), 5, "ファイルが途中で切れています"},
        {Small("<count>2</count>\n<count>1</count></line>"), 9, "XML の書式が正しくありません"},
        {"<puzzle type=\"triddler\"/>", 1, "格子のパズルではありません"},
        {Small("<count>-1</count>\n<count>1</count>"), 8, "数字が正しくありません"},
        {Small("<count>100</count>\n<count>1</count>"), 8, "数字が正しくありません"},
        {Small("<count>" + std::string(1000, '9') + "</count>\n<count>1</count>"), 8,
         "数字が正しくありません"},
        {Small("<count>1</count><count>0</count>\n<count>1</count>"), 8, "数字が正しくありません"},
        {Small("<count>1</count><count>1</count>\n<count>1</count>"), 8,
         "ヒントが行に収まりません"},
        {Small("<count>1</count>\n<count>1</count>"), 7, "行と列のヒントの合計が合いません"},
        {Small("<count color=\"red\">2</count>\n<count>1</count>"), 8,
         "白黒のパズルではありません"},
        {"<puzzle>\n" + Clues("rows", lines(100, "<count>1</count>")) + "</puzzle>", 102,
         "高さは1から99までです"},
        {"<puzzle>\n" + Clues("columns", {counts(51, 1)}) + "</puzzle>", 3,
         "ヒントの数字が多すぎます"},
        {"<puzzle>\n" + Clues("columns", {"<count>1</count>"}) + "</puzzle>", 5,
         "行のヒントがありません"},
        {"<puzzle>\n" + Clues("rows", {"<count>1</count>"}) + "</puzzle>", 5,
         "列のヒントがありません"},
        {"<puzzle>\n" + Clues("rows", {}) + Clues("columns", {}) + "</puzzle>", 4,
         "幅は1から99までです"},
        {"<puzzle>\n" + Clues("rows", {}) + Clues("rows", {}) + "</puzzle>", 4,
         "行のヒントが二度あります"},
        {"<puzzle>\n<clues type=\"diagonal\"/></puzzle>", 2,
         "ヒントの種類が rows でも columns でもありません"},
        {Small("<count>2</count>\n<count>1</count>", goal + goal), 15, "答えが二度あります"},
        {Small("<count>2</count>\n<count>1</count>",
               "<solution><image>\n|XX|\n|.X|\n</image></solution>\n"),
         11, "答えがヒントと合いません"},
        {Small("<count>2</count>\n<count>1</count>",
               "<solution><image>\n|XX|\n|X..|\n</image></solution>\n"),
         13, "答えの大きさが合いません"},
        {Small("<count>2</count>\n<count>1</count>",
               "<solution><image>\n|XX|\n|X?|\n</image></solution>\n"),
         13, "答えに白でも黒でもないマスがあります"},
        {"<puzzle><solution><image>\n\n</image></solution></puzzle>", 1, "答えが空です"},
        {"<puzzle>\n" + deep, 2, "要素の入れ子が深すぎます"},
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

}  // namespace
