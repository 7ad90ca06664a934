// The board layout: the grid's place for each size and cell size, the cell under a point, the
// clue slots and their numbers, the lines with their fifth-line accents, and the clue areas
// that grow with the longest clue while the square boards keep their layout.
#include "model/board_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

TEST(BoardLayout, GridAndBoardEdges) {
    // Columns, rows, cell size; then the grid's left, top, right and bottom, the board's width
    // and height.
    const std::array<int, 9> cases[] = {
        {10, 10, 20, 100, 120, 300, 320, 310, 330},  // the play board of N = 10
        {5, 5, 7, 17, 24, 52, 59, 55, 62},           // the puzzle panel of N = 5: 35 / 2 = 17
        // A wide board takes its left margin from the width and its top one from the height.
        {15, 4, 20, 150, 60, 450, 140, 460, 150},
        {0, 0, 20, 0, 20, 0, 20, 10, 30},
    };
    for (const auto& t : cases) {
        const BoardLayout l(t[0], t[1], t[2]);
        EXPECT_EQ((std::array{t[0], t[1], t[2], l.GridLeft(), l.GridTop(), l.GridRight(),
                              l.GridBottom(), l.Width(), l.Height()}),
                  t);
    }
    const BoardLayout wide(15, 4, 20);
    EXPECT_EQ(wide.CellCorner({14, 3}), (CPoint{430, 120}));
    EXPECT_EQ(wide.CellInside({14, 3}), (CRect{431, 121, 450, 140}));
}

// The grid's outer lines belong to no cell; an inner line to the cell right of it or below it.
TEST(BoardLayout, CellAtPoint) {
    const BoardLayout five(5, 5, 20);  // grid x 50..150, y 70..170
    const BoardLayout wide(7, 3, 20);  // grid x 70..210, y 50..110
    const struct {
        const BoardLayout& layout;
        CPoint p;
        int column, row;  // -1: no cell
    } cases[] = {
        {five, {50, 79}, -1, 0},   {five, {51, 79}, 0, 0},   {five, {69, 79}, 0, 0},
        {five, {70, 79}, 1, 0},    {five, {150, 79}, -1, 0}, {five, {59, 70}, -1, 0},
        {five, {59, 71}, 0, 0},    {five, {59, 90}, 0, 1},   {five, {59, 170}, -1, 0},
        {wide, {209, 109}, 6, 2},  {wide, {150, 100}, 4, 2}, {wide, {150, 110}, -1, 0},
        {wide, {210, 100}, -1, 0}, {wide, {100, 40}, -1, 0},
    };
    for (const auto& t : cases) {
        const std::optional<CellPos> cell = t.layout.CellAt(t.p);
        const auto expected = t.column < 0 ? std::nullopt : std::optional(CellPos{t.column, t.row});
        EXPECT_EQ(cell, expected) << t.p.x << "," << t.p.y;
    }
}

TEST(BoardLayout, CluePositions) {
    const struct {
        bool column;
        int columns, rows, cell, line, slot, number;
        CPoint expected;
    } cases[] = {
        // Panel, N = 5, L/2 = 17: column slots go up from y = 17, single digits move in by 2.
        {true, 5, 5, 7, 0, 0, 1, {19, 17}},
        // Row slots go left from x = L/2 - c: the third starts at -2.
        {false, 5, 5, 7, 4, 2, 1, {-2, 52}},
        // N = 20, L/2 = 70: 10 and 20 are not shifted; slot 9 reaches x = 2 and y = 7.
        {false, 20, 20, 7, 0, 0, 20, {63, 77}},
        {false, 20, 20, 7, 1, 9, 1, {2, 84}},
        {true, 20, 20, 7, 19, 9, 1, {205, 7}},
        // Play board, N = 10: single digits 6 pixels in; N = 20: the tenth row slot at x = 0.
        {true, 10, 10, 20, 0, 1, 1, {106, 80}},
        {false, 20, 20, 20, 0, 9, 1, {6, 220}},
        // Width and height each place their own clues on a board that is not square.
        {true, 7, 3, 20, 6, 0, 3, {196, 30}},
        {false, 7, 3, 20, 2, 3, 1, {-4, 90}},
    };
    for (const auto& t : cases) {
        const BoardLayout l(t.columns, t.rows, t.cell);
        const CPoint p = t.column ? l.ColumnCluePosition(t.line, t.slot, t.number)
                                  : l.RowCluePosition(t.line, t.slot, t.number);
        EXPECT_EQ(p, t.expected) << (t.column ? "column " : "row ") << t.line << " slot " << t.slot
                                 << " of " << t.columns << "x" << t.rows << " c " << t.cell;
    }
}

// The runs of a line from the far end: column 0 of a grid reading 1, 1, 0, 1, 0 from the top
// has its lower run in slot 0.
TEST(BoardLayout, ClueSlotsFromTheFarEnd) {
    const std::uint8_t column[] = {1, 1, 0, 1, 0};
    EXPECT_EQ(ClueSlots(RunsOf(column, 5)), (std::vector<int>{1, 2}));
    const std::uint8_t row[] = {1, 0, 1, 1, 1, 0, 0, 1, 1};
    EXPECT_EQ(ClueSlots(RunsOf(row, 9)), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(ClueSlots({}), (std::vector<int>{0}));
}

TEST(BoardLayout, LinesCrossTheClueAreasWithAnAccentEveryFifthCell) {
    const struct {
        int columns, rows;
        std::vector<int> fifthRows, fifthColumns;  // never an outer edge, even at 10 or 15
    } cases[] = {
        {5, 5, {}, {}},        {10, 10, {5}, {5}},     {20, 20, {5, 10, 15}, {5, 10, 15}},
        {7, 12, {5, 10}, {5}}, {15, 10, {5}, {5, 10}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(::testing::Message() << t.columns << "x" << t.rows);
        const BoardLayout l(t.columns, t.rows, 20);
        std::vector<BoardLayout::Line> expected;
        for (int k = 0; k <= t.rows; ++k) {
            const int y = l.GridTop() + 20 * k;
            const bool fifth = std::count(t.fifthRows.begin(), t.fifthRows.end(), k) > 0;
            expected.push_back({{0, y}, {l.GridRight(), y}, fifth});
        }
        for (int k = 0; k <= t.columns; ++k) {
            const int x = l.GridLeft() + 20 * k;
            const bool fifth = std::count(t.fifthColumns.begin(), t.fifthColumns.end(), k) > 0;
            expected.push_back({{x, 0}, {x, l.GridBottom()}, fifth});
        }
        EXPECT_EQ(l.Lines(), expected);
    }
}

// A w x h puzzle whose rows and columns alternate filled and blank cells as often as they can,
// so that its clues are as long as clues get.
Puzzle Checkered(int w, int h) {
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(w) * h);
    for (std::size_t k = 0; k < cells.size(); ++k)
        cells[k] = (k % w + k / w) % 2 == 0;
    return Puzzle::FromGrid(w, h, cells);
}

TEST(BoardLayout, ClueAreasGrowWithTheLongestClueButSquareBoardsStayAsTheyWere) {
    for (int n : {1, 5, 7, 10, 13, 20}) {
        for (int cell : {7, 8, 13, 20}) {
            const BoardLayout grown = BoardLayout::ForPuzzle(Checkered(n, n), cell),
                              plain(n, n, cell);
            EXPECT_EQ(std::tuple(grown.GridLeft(), grown.GridTop(), grown.Width()),
                      std::tuple(plain.GridLeft(), plain.GridTop(), plain.Width()))
                << n << " " << cell;
        }
    }
    // Off the square, or beyond 20 cells a side, every slot of the longest clues lies inside
    // the board, and the clue areas are no larger than a 20-cell side or the clues need.
    for (auto [w, h] : {std::pair{3, 40}, {40, 3}, {99, 1}, {1, 99}, {7, 30}, {33, 33}}) {
        const Puzzle p = Checkered(w, h);
        const BoardLayout layout = BoardLayout::ForPuzzle(p, 20);
        for (int j = 0; j < h; ++j) {
            const int last = static_cast<int>(ClueSlots(p.rows[j]).size()) - 1;
            EXPECT_GE(layout.RowCluePosition(j, last, 10).x, 0) << w << "x" << h;
        }
        for (int i = 0; i < w; ++i) {
            const int last = static_cast<int>(ClueSlots(p.columns[i]).size()) - 1;
            EXPECT_GE(layout.ColumnCluePosition(i, last, 10).y, 0) << w << "x" << h;
        }
        EXPECT_EQ(layout.GridLeft(), std::max(std::min(w, 20) * 10, (w + 1) / 2 * 20));
        EXPECT_EQ(layout.GridTop(), std::max(std::min(h, 20) * 10 + 20, (h + 1) / 2 * 20));
    }
}

}  // namespace
