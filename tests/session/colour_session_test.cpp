// Colour puzzles in the session: an analysis with colours gives the picture's palette and the
// colour of each block (of the crop when there is one), and hand edits, tools and undo keep
// the cells' colours and the colour clues.
#include <gtest/gtest.h>

#include "../support/painted.h"
#include "session/fill_warning.h"
#include "session/puzzle_session.h"

namespace {

using Cells = std::vector<std::uint8_t>;

// 60 x 40 on white, in blocks of 10 pixels: red over three blocks, green over two, blue one.
Picture ThreeAreas() {
    return painted::Filling(60, 40, [](int x, int y) -> painted::Samples {
        if (x >= 10 && x < 40 && y >= 10 && y < 20)
            return {220, 20, 30};
        if (x >= 30 && x < 50 && y >= 20 && y < 30)
            return {20, 150, 40};
        if (x >= 10 && x < 20 && y >= 30)
            return {20, 40, 210};
        return painted::Gray(255);
    });
}

TEST(ColourSessionTest, AnAnalysisWithColoursGivesThePaletteAndTheBlocksOfTheCrop) {
    PuzzleSession session;
    session.GetPicture() = ThreeAreas();
    session.PictureChanged();
    AnalysisSettings settings{0, 250, BlockChoice{6, 4, true, true}};
    settings.colours = 3;
    for (const BinaryImage binary : {BinaryImage::kIfNeeded, BinaryImage::kAlways}) {
        ASSERT_EQ(session.Analyze(settings, binary), AnalysisEnd::kPuzzle);
        const Puzzle& puzzle = session.GetPuzzle();
        ASSERT_TRUE(puzzle.IsColour());
        EXPECT_EQ(puzzle.palette,
                  (std::vector<std::uint32_t>{0xffffff, 0xdc141e, 0x149628, 0x1428d2}));
        EXPECT_EQ(session.Answer(), (Cells{0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0,  //
                                           0, 0, 0, 2, 2, 0, 0, 3, 0, 0, 0, 0}));
        EXPECT_EQ(puzzle.columns[3], (LineClue{1, 1}));
        EXPECT_EQ(puzzle.columnColours[3], (LineColours{1, 2}));
        EXPECT_EQ(session.LastAnalysis().blocks[3][2], 1);
    }
    // A locked colour comes first; the crop is analysed alone, its border giving the
    // background.
    settings.locked = {0x149628};
    settings.crop = PixelRect{0, 10, 60, 30};
    settings.blocks = BlockChoice{6, 3, true, true};
    ASSERT_EQ(session.Analyze(settings), AnalysisEnd::kPuzzle);
    EXPECT_EQ(session.GetPuzzle().palette,
              (std::vector<std::uint32_t>{0xffffff, 0x149628, 0xdc141e, 0x1428d2}));
    EXPECT_EQ(session.Answer(), (Cells{0, 2, 2, 2, 0, 0, 0, 0, 0, 1, 1, 0, 0, 3, 0, 0, 0, 0}));
    // Colours 1 is black and white by the band.
    settings.colours = 1;
    ASSERT_EQ(session.Analyze(settings), AnalysisEnd::kPuzzle);
    EXPECT_FALSE(session.GetPuzzle().IsColour());
    // The colours locked were that picture's: a new one starts without them.
    ASSERT_FALSE(session.Settings().locked.empty());
    session.PictureChanged();
    EXPECT_TRUE(session.Settings().locked.empty());
}

TEST(ColourSessionTest, EditsToolsAndUndoKeepTheColours) {
    const std::vector<std::uint32_t> palette{0xffffff, 0xff0000, 0x00ff00};
    PuzzleSession session;
    session.SetPuzzle(Puzzle::FromColourGrid(3, 2, {1, 2, 0, 0, 2, 1}, palette));

    session.BeginStroke();
    EXPECT_TRUE(session.StrokeColour({2, 0}, 2));
    EXPECT_FALSE(session.StrokeColour({0, 0}, 1));
    EXPECT_FALSE(session.StrokeColour({1, 1}, 3));
    EXPECT_TRUE(session.StrokeCell({0, 1}, true));
    session.EndStroke();
    EXPECT_EQ(session.Answer(), (Cells{1, 2, 2, 1, 2, 1}));
    EXPECT_EQ(session.GetPuzzle().palette, palette);
    EXPECT_EQ(session.GetPuzzle().rows[0], (LineClue{1, 2}));
    EXPECT_EQ(session.GetPuzzle().rowColours[0], (LineColours{1, 2}));
    EXPECT_EQ(session.GetPuzzle().columns[1], (LineClue{2}));
    EXPECT_EQ(FillProblemOf(session.GetPuzzle()), FillProblem::kFull);

    ASSERT_TRUE(session.ApplyTool(GridTool::kMirror));
    EXPECT_EQ(session.Answer(), (Cells{2, 2, 1, 1, 2, 1}));
    // Inverting swaps the background and colour 1; the other colours stay.
    ASSERT_TRUE(session.ApplyTool(GridTool::kInvert));
    EXPECT_EQ(session.Answer(), (Cells{2, 2, 0, 0, 2, 0}));
    EXPECT_EQ(session.GetPuzzle().columnColours[0], (LineColours{2}));
    ASSERT_TRUE(session.ChangeAnswer({0, 1, 1, 2, 2, 0}));
    EXPECT_EQ(session.GetPuzzle().rowColours[1], (LineColours{2}));
    EXPECT_EQ(session.GetPuzzle().rows[1], (LineClue{2}));

    EXPECT_EQ(session.Undo(), AnswerRestore::kCells);
    EXPECT_EQ(session.Undo(), AnswerRestore::kCells);
    EXPECT_EQ(session.Undo(), AnswerRestore::kCells);
    EXPECT_EQ(session.Answer(), (Cells{1, 2, 2, 1, 2, 1}));
    EXPECT_EQ(session.Undo(), AnswerRestore::kCells);
    EXPECT_EQ(session.Answer(), (Cells{1, 2, 0, 0, 2, 1}));
    EXPECT_EQ(session.GetPuzzle().rows[1], (LineClue{1, 1}));
    EXPECT_EQ(session.GetPuzzle().palette, palette);
}

}  // namespace
