// Colour puzzles in both file formats: written and read back the same, files written by hand
// read as their colour lines and elements say, and broken colour definitions refused with
// their line.
#include <gtest/gtest.h>

#include "formats/non_format.h"
#include "formats/xml_format.h"

namespace {

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
