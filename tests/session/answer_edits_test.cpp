// Hand edits of the answer through the session: strokes, tools and suggestions as undoable
// steps, the clues, the title and the verdict following every one, an answer found for clues
// alone, a bounded history, and an analysis that throws edits away undone with its settings.
// Colour puzzles in the session: an analysis with colours gives the picture's palette and the
// colour of each block (of the crop when there is one), and hand edits, tools and undo keep
// the cells' colours and the colour clues.
#include <gtest/gtest.h>

#include "../support/painted.h"
#include "../support/picture_files.h"
#include "session/fill_warning.h"
#include "session/puzzle_session.h"

namespace {

using Cells = std::vector<std::uint8_t>;

TEST(AnswerEditsTest, ToolsMoveAndTurnTheWholeGrid) {
    // 3 x 2:  X X .
    //         X . .
    const Cells grid{1, 1, 0, 1, 0, 0};
    const struct {
        GridTool tool;
        Cells out;
    } cases[] = {
        {GridTool::kInvert, {0, 0, 1, 0, 1, 1}},     {GridTool::kMirror, {0, 1, 1, 0, 0, 1}},
        {GridTool::kFlip, {1, 0, 0, 1, 1, 0}},       {GridTool::kShiftLeft, {1, 0, 0, 0, 0, 0}},
        {GridTool::kShiftRight, {0, 1, 1, 0, 1, 0}}, {GridTool::kShiftUp, {1, 0, 0, 0, 0, 0}},
        {GridTool::kShiftDown, {0, 0, 0, 1, 1, 0}},  {GridTool::kClear, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplyGridTool(c.tool, 3, 2, grid), c.out) << static_cast<int>(c.tool);
}

// Cells changed by hand give the puzzle new clues under the same title and a blank board, and
// those of a suggestion a line counting them; the verdict goes with the puzzle it judged.  An
// answer found for a puzzle of clues only is taken when it forms those clues.
TEST(AnswerEditsTest, StrokesAndToolsAreStepsThatUndoRedoAndTheVerdictFollows) {
    PuzzleSession session;
    Puzzle puzzle = Puzzle::FromGrid(3, 2, {1, 1, 0, 1, 0, 0});
    puzzle.title = "two";
    session.SetPuzzle(puzzle);
    EXPECT_FALSE(session.HandEdited());
    EXPECT_EQ(session.Judge().verdict, Verdict::Line);
    EXPECT_FALSE(session.VerdictText().text.isEmpty());
    session.Board().Apply(StrokeKind::Fill, {0, 0});
    EXPECT_FALSE(session.ChangeAnswer({1, 0, 0, 1}));  // another size
    EXPECT_TRUE(session.Verdict().has_value());

    // One stroke over three cells, one of them already filled: one step.
    session.BeginStroke();
    EXPECT_TRUE(session.StrokeCell({2, 0}, true));
    EXPECT_FALSE(session.StrokeCell({0, 0}, true));
    EXPECT_TRUE(session.StrokeCell({2, 1}, true));
    EXPECT_FALSE(session.StrokeCell({3, 1}, true));
    session.EndStroke();
    EXPECT_EQ(session.Answer(), (Cells{1, 1, 1, 1, 0, 1}));
    EXPECT_EQ(session.GetPuzzle().columns[2], (LineClue{2}));
    EXPECT_EQ(session.GetPuzzle().title, "two");
    EXPECT_EQ(session.Board().At({0, 0}), Mark::Blank);
    EXPECT_TRUE(session.HandEdited());
    EXPECT_FALSE(session.Verdict().has_value());
    EXPECT_TRUE(session.VerdictText().text.isEmpty());
    // The judge sees the new puzzle.
    EXPECT_EQ(session.Judge().verdict, Verdict::Line);

    ASSERT_TRUE(session.ApplyTool(GridTool::kInvert));
    EXPECT_EQ(session.Answer(), (Cells{0, 0, 0, 0, 1, 0}));
    // An empty stroke is no step.
    session.BeginStroke();
    session.EndStroke();

    EXPECT_EQ(session.Undo(), AnswerRestore::kCells);
    EXPECT_EQ(session.Answer(), (Cells{1, 1, 1, 1, 0, 1}));
    EXPECT_EQ(session.Undo(), AnswerRestore::kCells);
    EXPECT_EQ(session.Answer(), (Cells{1, 1, 0, 1, 0, 0}));
    EXPECT_FALSE(session.HandEdited());
    EXPECT_EQ(session.Undo(), AnswerRestore::kNothing);
    EXPECT_EQ(session.Redo(), AnswerRestore::kCells);
    EXPECT_EQ(session.Answer(), (Cells{1, 1, 1, 1, 0, 1}));
    // A new edit drops what was left to redo; the cells a suggestion changed are counted.
    EXPECT_FALSE(session.ChangeCells({1, 0}, 1));
    EXPECT_TRUE(session.Info().isEmpty());
    ASSERT_TRUE(session.ChangeCells({0, 0, 0, 0, 0, 0}, 5));
    EXPECT_FALSE(session.CanRedo());
    EXPECT_EQ(session.GetPuzzle().rows[0], LineClue{});
    EXPECT_EQ(session.Info(), QStringLiteral("変更マス : 5\r\n"));
    EXPECT_EQ(session.GetPuzzle().title, "two");

    puzzle.answer.clear();
    session.SetPuzzle(puzzle);
    EXPECT_FALSE(session.SetAnswer({1, 1, 0, 0, 1, 0}));
    EXPECT_TRUE(session.Answer().empty());
    EXPECT_TRUE(session.SetAnswer({1, 1, 0, 1, 0, 0}));
    EXPECT_EQ(session.Answer(), (Cells{1, 1, 0, 1, 0, 0}));
}

TEST(AnswerEditsTest, TheHistoryKeepsItsNewestSteps) {
    AnswerHistory history(3);
    for (int i = 0; i < 5; ++i)
        history.Record({{}, 1, 1, {static_cast<std::uint8_t>(i)}});
    EXPECT_EQ(history.UndoCount(), 3u);
    std::optional<AnswerState> back;
    for (int expected : {4, 3, 2}) {
        back = history.Undo({});
        ASSERT_TRUE(back);
        EXPECT_EQ(back->cells[0], expected);
    }
    EXPECT_FALSE(history.Undo({}));
}

TEST(AnswerEditsTest, AnAnalysisThatThrowsEditsAwayIsUndoneWithItsSettings) {
    PuzzleSession session;
    session.GetPicture() = painted::Filling(40, 40, picture_files::Pattern);
    session.PictureChanged();
    const AnalysisSettings first{60, 200, BlockChoice::Square(10)};
    const AnalysisSettings second{0, 250, BlockChoice::Square(5)};
    ASSERT_EQ(session.Analyze(first, BinaryImage::kAlways), AnalysisEnd::kPuzzle);
    // Analyses without edits leave nothing to undo.
    ASSERT_EQ(session.Analyze(first, BinaryImage::kAlways), AnalysisEnd::kPuzzle);
    EXPECT_FALSE(session.CanUndo());
    ASSERT_TRUE(session.ApplyTool(GridTool::kClear));
    const Cells edited = session.Answer();
    // The window sets the settings before it analyses.
    session.Settings() = second;
    ASSERT_EQ(session.Analyze(second, BinaryImage::kAlways), AnalysisEnd::kPuzzle);
    EXPECT_EQ(session.GetPuzzle().width, 5);

    EXPECT_EQ(session.Undo(), AnswerRestore::kAnalysed);
    EXPECT_EQ(session.Settings(), first);
    EXPECT_EQ(session.Division().columns, 10);
    EXPECT_EQ(session.Answer(), edited);
    EXPECT_TRUE(session.HandEdited());
    EXPECT_EQ(session.Redo(), AnswerRestore::kAnalysed);
    EXPECT_EQ(session.Settings(), second);
    EXPECT_FALSE(session.HandEdited());
    // A new picture starts a history of its own.
    session.PictureChanged();
    EXPECT_FALSE(session.CanUndo());
}

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

    for (int step = 0; step < 3; ++step)
        EXPECT_EQ(session.Undo(), AnswerRestore::kCells) << step;
    EXPECT_EQ(session.Answer(), (Cells{1, 2, 2, 1, 2, 1}));
    EXPECT_EQ(session.Undo(), AnswerRestore::kCells);
    EXPECT_EQ(session.Answer(), (Cells{1, 2, 0, 0, 2, 1}));
    EXPECT_EQ(session.GetPuzzle().rows[1], (LineClue{1, 1}));
    EXPECT_EQ(session.GetPuzzle().palette, palette);
}

}  // namespace
