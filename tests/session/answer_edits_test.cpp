// Hand edits of the answer through the session: strokes, tools and suggestions as undoable
// steps, the clues, the title and the verdict following every one, an answer found for clues
// alone, a bounded history, and an analysis that throws edits away undone with its settings.
#include <gtest/gtest.h>

#include "../support/painted.h"
#include "../support/picture_files.h"
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

}  // namespace
