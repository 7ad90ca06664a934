// The play board: what each button does to each mark, which button a drag repeats, strokes
// undone and redone, finished lines, the answer check, hints, and the document that holds the
// puzzle and the board.
#include "model/play_board.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "model/ngm_doc.h"
#include "model/play_board_hint.h"
#include "solver/solver.h"

namespace {

// A puzzle from its rows, '#' = black.
Puzzle PuzzleOf(const std::vector<std::string>& rows) {
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    std::vector<std::uint8_t> cells;
    for (const std::string& row : rows)
        for (char c : row)
            cells.push_back(c == '#');
    return Puzzle::FromGrid(w, h, cells);
}

// Marks from rows: '.' blank, '#' filled, 'x' crossed.
PlayBoard BoardOf(const std::vector<std::string>& rows) {
    PlayBoard board(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int r = 0; r < board.Height(); ++r) {
        for (int c = 0; c < board.Width(); ++c) {
            if (rows[r][c] != '.')
                board.Apply(rows[r][c] == '#' ? StrokeKind::Fill : StrokeKind::Cross, {c, r});
        }
    }
    return board;
}

TEST(PlayBoard, EachButtonOnEachMark) {
    using enum Mark;
    const struct {
        Mark before;
        MouseButton button;
        bool control;
        Mark after;
    } cases[] = {
        {Blank, MouseButton::Left, false, Filled},    {Crossed, MouseButton::Left, false, Filled},
        {Filled, MouseButton::Left, false, Filled},  // no toggle
        {Blank, MouseButton::Left, true, Blank},      {Crossed, MouseButton::Left, true, Blank},
        {Filled, MouseButton::Left, true, Blank},     {Blank, MouseButton::Right, false, Crossed},
        {Filled, MouseButton::Right, false, Crossed}, {Crossed, MouseButton::Right, false, Crossed},
        {Blank, MouseButton::Right, true, Crossed},  // Ctrl makes no difference to the right button
        {Filled, MouseButton::Right, true, Crossed},
    };
    for (const auto& t : cases) {
        PlayBoard board(3, 2);
        const CellPos cell{2, 1};
        if (t.before != Blank)
            board.Apply(t.before == Filled ? StrokeKind::Fill : StrokeKind::Cross, cell);
        const std::optional<MarkChange> change = board.Apply(StrokeOf(t.button, t.control), cell);
        const int k = static_cast<int>(&t - cases);
        EXPECT_EQ(board.At(cell), t.after) << "case " << k;
        if (t.before == t.after) {
            EXPECT_FALSE(change.has_value()) << "case " << k;
        } else {
            EXPECT_EQ(change, (MarkChange{cell, t.before, t.after})) << "case " << k;
        }
        // Only that cell changed.
        int marked = 0;
        for (int i = 0; i < 6; ++i)
            marked += board.At({i % 3, i / 3}) != Blank;
        EXPECT_EQ(marked, t.after != Blank ? 1 : 0) << "case " << k;
    }
}

TEST(PlayBoard, DragRepeatsTheLeftButtonWhileHeldElseTheRight) {
    EXPECT_EQ(DragButton(true, false), MouseButton::Left);
    EXPECT_EQ(DragButton(true, true), MouseButton::Left);
    EXPECT_EQ(DragButton(false, true), MouseButton::Right);
    EXPECT_EQ(DragButton(false, false), std::nullopt);
}

// Black cells not filled and white cells filled are wrong, row by row; a cross counts as blank.
TEST(PlayBoard, MistakesAgainstTheAnswer) {
    const Puzzle puzzle = PuzzleOf({"##...", "....#", "#...."});
    const struct {
        std::vector<std::string> marks;
        std::vector<CellPos> wrong;
    } cases[] = {
        {{"##...", "....#", "#...."}, {}},
        {{"##xxx", "xxxx#", "#xxxx"}, {}},  // crosses on every white cell
        {{".....", ".....", "....."}, {{0, 0}, {1, 0}, {4, 1}, {0, 2}}},
        {{"#x..#", "#...#", "x...."}, {{1, 0}, {4, 0}, {0, 1}, {0, 2}}},
        {{"#####", "#####", "#####"},
         {{2, 0}, {3, 0}, {4, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}, {4, 2}}},
    };
    for (const auto& t : cases) {
        const std::vector<CellPos> wrong = BoardOf(t.marks).Mistakes(puzzle);
        ASSERT_EQ(wrong.size(), t.wrong.size()) << t.marks[0];
        for (std::size_t i = 0; i < wrong.size(); ++i) {
            EXPECT_EQ(wrong[i].column, t.wrong[i].column) << t.marks[0] << " #" << i;
            EXPECT_EQ(wrong[i].row, t.wrong[i].row) << t.marks[0] << " #" << i;
        }
    }
    PlayBoard board = BoardOf({"##...", "....#", "#...."});
    board.Clear();
    EXPECT_EQ(board.Mistakes(puzzle).size(), 4u);
}

// A row of marks: '.' blank, '#' filled, 'x' crossed.
std::string RowOf(const PlayBoard& board, int row = 0) {
    std::string s;
    for (int c = 0; c < board.Width(); ++c) {
        const Mark m = board.At({c, row});
        s += m == Mark::Blank ? '.' : m == Mark::Filled ? '#' : 'x';
    }
    return s;
}

// Scripts on a board of 5 x 1: "[" press, "]" release, f/x/c + cell a fill, cross or clear,
// "u" undo, "r" redo, "k" answer check, "n" retry.
TEST(PlayBoard, StrokesAreUndoneAndRedoneWhole) {
    const struct {
        const char* script;
        const char* after;
    } cases[] = {
        {"[ f0 f1 f2 ] u", "....."},             // a drag goes back as one step
        {"[ f0 f1 f2 ] [ x1 ] u", "###.."},      // one stroke at a time
        {"[ f0 f1 f2 ] [ x1 ] u u r", "###.."},  // and comes back the same way
        {"[ f0 f1 f2 ] [ x1 ] u u r r", "#x#.."},
        {"[ f0 f1 ] u [ f4 ] r", "....#"},   // a new change forgets what was undone
        {"[ f0 f1 ] u [ f1 ] r", ".#..."},   // even one that repeats it
        {"[ f0 ] [ f0 ] u", "....."},        // a stroke that changed nothing is no step
        {"[ x0 ] [ f0 c0 f1 ] u", "x...."},  // a cell changed twice gets its first mark
        {"[ x0 ] [ f0 c0 f1 ] u r", ".#..."},
        {"f0 f1 ] f2 u", "##..."},             // steps outside a press make a stroke
        {"[ x4 ] [ f0 f1 u f2 ] u", "....x"},  // undo ends the stroke it falls in
        {"[ f0 ] k u r [ f1 ] x2", "#...."},   // a checked board takes no change
        {"[ f0 ] [ f1 ] u k r", "#...."},
        {"[ f0 ] [ f1 ] u n r u", "....."},       // retry empties the history
        {"[ f0 ] k n [ f2 ] [ x3 ] u", "..#.."},  // and ends the check
        {"[ f0 ] u u u r r r", "#...."},          // nothing to walk to: nothing happens
    };
    for (const auto& t : cases) {
        PlayBoard board(5, 1);
        std::istringstream in(t.script);
        for (std::string op; in >> op;) {
            const CellPos cell{op.size() > 1 ? op[1] - '0' : 0, 0};
            switch (op[0]) {
                case '[':
                    board.BeginStroke();
                    break;
                case ']':
                    board.EndStroke();
                    break;
                case 'f':
                    board.Apply(StrokeKind::Fill, cell);
                    break;
                case 'x':
                    board.Apply(StrokeKind::Cross, cell);
                    break;
                case 'c':
                    board.Apply(StrokeKind::Clear, cell);
                    break;
                case 'u':
                    board.Undo();
                    break;
                case 'r':
                    board.Redo();
                    break;
                case 'k':
                    board.SetChecked();
                    break;
                case 'n':
                    board.Clear();
                    break;
            }
        }
        EXPECT_EQ(RowOf(board), t.after) << t.script;
    }
}

// Undo and redo report each change they make, in the order they make it, so that the cells
// can be drawn again.
TEST(PlayBoard, UndoAndRedoReportTheirChanges) {
    using enum Mark;
    PlayBoard board(3, 1);
    board.Apply(StrokeKind::Cross, {0, 0});
    board.BeginStroke();
    board.Apply(StrokeKind::Fill, {0, 0});
    board.Apply(StrokeKind::Fill, {2, 0});
    board.EndStroke();
    const std::vector<MarkChange> undone = board.Undo();
    EXPECT_EQ(undone,
              (std::vector<MarkChange>{{{2, 0}, Filled, Blank}, {{0, 0}, Filled, Crossed}}));
    const std::vector<MarkChange> redone = board.Redo();
    EXPECT_EQ(redone,
              (std::vector<MarkChange>{{{0, 0}, Crossed, Filled}, {{2, 0}, Blank, Filled}}));
    EXPECT_TRUE(board.CanUndo() && !board.CanRedo());
    board.SetChecked();
    EXPECT_TRUE(board.Undo().empty() && !board.CanUndo());
}

// A line is finished while its fills form its clue exactly, as a row and as a column.
TEST(PlayBoard, FinishedLines) {
    const struct {
        LineClue clue;
        const char* marks;
        bool finished;
    } cases[] = {
        {{}, ".....", true},      {{}, "xxxxx", true},
        {{}, "..#..", false},  // clue 0
        {{5}, "#####", true},     {{5}, "####.", false},
        {{5}, "x####", false},  // a full line
        {{1, 2}, "#.##.", true},  {{1, 2}, ".#x##", true},
        {{1, 2}, "##.#.", false},  // the runs in the wrong order
        {{1, 2}, "#.###", false}, {{1, 2}, "#....", false},
        {{1, 2}, "#.#.#", false}, {{1, 1}, "#.#.#", false},  // a run too many
    };
    for (const auto& t : cases) {
        Puzzle row;  // 5 x 1, the clue on its row
        row.width = 5;
        row.height = 1;
        row.rows = {t.clue};
        row.columns.resize(5);
        Puzzle column;  // 1 x 5, the clue on its column
        column.width = 1;
        column.height = 5;
        column.columns = {t.clue};
        column.rows.resize(5);
        PlayBoard across(5, 1), down(1, 5);
        for (int i = 0; i < 5; ++i) {
            if (t.marks[i] == '.')
                continue;
            const StrokeKind kind = t.marks[i] == '#' ? StrokeKind::Fill : StrokeKind::Cross;
            across.Apply(kind, {i, 0});
            down.Apply(kind, {0, i});
        }
        EXPECT_EQ(across.FormsClue(row, {false, 0}), t.finished) << t.marks;
        EXPECT_EQ(down.FormsClue(column, {true, 0}), t.finished) << t.marks;
    }
}

// A board that forms every clue is solved even when it is not the answer; any other board is
// compared with the answer as before.
TEST(PlayBoard, TheAnswerCheckAcceptsEverySolutionOfTheClues) {
    const Puzzle puzzle = PuzzleOf({"#..", ".#.", "..#"});  // the other diagonals fit too
    const struct {
        std::vector<std::string> marks;
        bool solved, other;
        std::size_t mistakes;
    } cases[] = {
        {{"#xx", "x#x", "xx#"}, true, false, 0},
        {{"..#", "#..", ".#."}, true, true, 0},  // another solution
        {{".#x", "x.#", "#.."}, true, true, 0},
        {{"#..", "#..", "..#"}, false, false, 2},  // the clues not formed: the answer decides
        {{"...", "...", "..."}, false, false, 3},
    };
    for (const auto& t : cases) {
        const AnswerCheck check = BoardOf(t.marks).Check(puzzle);
        EXPECT_EQ(check.solved, t.solved) << t.marks[0];
        EXPECT_EQ(check.otherSolution, t.other) << t.marks[0];
        EXPECT_EQ(check.mistakes.size(), t.mistakes) << t.marks[0];
    }
}

// Hints on puzzles from random pictures, followed to the end from a blank board: each fills or
// crosses a blank cell whose other mark line logic refutes, so it follows from the marks; the
// puzzles line logic solves are solved by hints alone.
TEST(PlayHint, EveryHintFollowsFromTheMarksByLineLogic) {
    std::mt19937 random(13);
    int solvedByHints = 0;
    for (int k = 0; k < 24; ++k) {
        const int w = 5 + k % 4 * 5, h = k < 20 ? w : 30;  // 5 .. 20 square, and 20 x 30
        std::vector<std::uint8_t> cells(static_cast<std::size_t>(w) * h);
        for (auto& cell : cells)
            cell = random() % 100 < 60;
        const Puzzle puzzle = Puzzle::FromGrid(w, h, cells);
        PlayBoard board(w, h);
        int hints = 0;
        CellPos near{};
        while (const std::optional<PlayHint> hint = FindHint(board, puzzle, near)) {
            ASSERT_NE(hint->kind, PlayHint::Kind::WrongMark) << k;
            ASSERT_EQ(board.At(hint->cell), Mark::Blank) << k;
            const bool fill = hint->kind == PlayHint::Kind::Fill;
            // The other mark contradicts the marks by line logic.
            std::vector<std::int8_t> grid(cells.size(), -1);
            for (int i = 0; i < w * h; ++i)
                if (board.At({i % w, i / w}) != Mark::Blank)
                    grid[i] = board.At({i % w, i / w}) == Mark::Filled;
            grid[static_cast<std::size_t>(hint->cell.row) * w + hint->cell.column] = fill ? 0 : 1;
            ASSERT_TRUE(ApplyLineLogic(puzzle, grid).contradiction) << k << " hint " << hints;
            board.Apply(fill ? StrokeKind::Fill : StrokeKind::Cross, hint->cell);
            near = hint->cell;
            ++hints;
        }
        const bool lineSolvable = Solve(puzzle).verdict == Verdict::Line;
        EXPECT_EQ(board.Check(puzzle).solved, lineSolvable) << k;
        EXPECT_EQ(hints == w * h, lineSolvable) << k;
        solvedByHints += lineSolvable;
    }
    EXPECT_GT(solvedByHints, 12);  // the table is worth its time
}

// A mark against the answer is pointed at before anything is deduced, the one nearest the
// player's cell first; of the cells line logic decides, the nearest wins too.
TEST(PlayHint, WrongMarksFirstAndNearestToThePlayer) {
    using Kind = PlayHint::Kind;
    const Puzzle puzzle = PuzzleOf({"#####", ".....", "#####", ".....", "#####"});
    const struct {
        std::vector<std::string> marks;
        CellPos near;
        PlayHint hint;
    } cases[] = {
        {{".....", ".....", ".....", ".....", "....."}, {3, 4}, {Kind::Fill, {3, 4}}},
        {{".....", ".....", ".....", ".....", "....."}, {1, 3}, {Kind::Cross, {1, 3}}},
        {{"#####", "x....", ".....", ".....", "....."}, {0, 1}, {Kind::Cross, {1, 1}}},
        {{"##x##", ".....", ".....", ".....", "....#"}, {4, 4}, {Kind::WrongMark, {2, 0}}},
        {{"##x##", ".#...", ".....", ".....", "....."}, {4, 0}, {Kind::WrongMark, {2, 0}}},
        {{"##x##", ".#...", ".....", ".....", "....."}, {0, 2}, {Kind::WrongMark, {1, 1}}},
        {{".....", "x#...", "x....", ".....", "....."}, {4, 4}, {Kind::WrongMark, {1, 1}}},
    };
    for (const auto& t : cases) {
        EXPECT_EQ(FindHint(BoardOf(t.marks), puzzle, t.near), t.hint)
            << t.marks[0] << "/" << t.marks[1] << "/" << t.marks[2];
    }
}

// With two solutions and no marks nothing follows; a finished board has nothing left.
TEST(PlayHint, NoneWhenNothingFollows) {
    const Puzzle twoWays = PuzzleOf({"#.", ".#"});
    EXPECT_EQ(FindHint(BoardOf({"..", ".."}), twoWays, {}), std::nullopt);
    // One fill decides the rest: the nearest of three cells, the first of two at one step.
    EXPECT_EQ(FindHint(BoardOf({"#.", ".."}), twoWays, {}),
              (PlayHint{PlayHint::Kind::Cross, {1, 0}}));
    EXPECT_EQ(FindHint(BoardOf({"#x", "x#"}), twoWays, {}), std::nullopt);
}

// The document's puzzle brings a blank board of its size; the thin steps read both.
TEST(PlayBoard, TheDocumentHoldsThePuzzleAndItsBoard) {
    CNGMDoc doc;
    EXPECT_FALSE(doc.HasPuzzle());
    EXPECT_EQ(doc.m_nGridSize, 0);
    EXPECT_FALSE(doc.m_ppAnswerGrid.IsAllocated());

    doc.SetPuzzle(PuzzleOf({"#..", "..#", ".#."}));
    doc.GetPlayBoard().Apply(StrokeKind::Cross, {1, 2});
    doc.SetPuzzle(PuzzleOf({"#...", "...#", ".#..", "...."}));  // a new puzzle: a new board
    EXPECT_TRUE(doc.HasPuzzle());
    EXPECT_EQ(doc.m_nGridSize, 4);
    EXPECT_EQ(doc.GetPlayBoard().Width(), 4);
    EXPECT_EQ(doc.GetPlayBoard().At({1, 2}), Mark::Blank);
    EXPECT_EQ(doc.m_ppPlayGrid.Columns() * doc.m_ppPlayGrid.Length(), 16);
    EXPECT_EQ(doc.m_ppAnswerGrid.Columns(), 4);
    EXPECT_EQ(doc.m_ppAnswerGrid[3][1] + doc.m_ppAnswerGrid[1][2], 2);  // [column][row]
    EXPECT_EQ(doc.m_ppAnswerGrid[1][3] + doc.m_ppAnswerGrid[2][1], 0);

    doc.ClearPuzzle();
    EXPECT_FALSE(doc.HasPuzzle() || doc.m_ppAnswerGrid.IsAllocated());
    EXPECT_EQ(doc.m_nGridSize + doc.m_ppPlayGrid.Columns(), 0);
}

}  // namespace
