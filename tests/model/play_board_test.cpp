// The play board: what each button does to each mark, which button a drag repeats, the
// mistakes against the answer, and the document that holds the puzzle and the board.
#include "model/play_board.h"

#include <gtest/gtest.h>

#include "model/ngm_doc.h"

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
