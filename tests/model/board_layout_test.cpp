// The board layout: the grid's place for each size and cell size, the cell under a point, the
// clue slots and their numbers, and the lines with their fifth-line accents.
#include "model/board_layout.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const CellPos& cell, std::ostream* os) {
    *os << "(" << cell.column << ", " << cell.row << ")";
}
void PrintTo(const CPoint& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}

namespace {

TEST(BoardLayout, GridAndBoardEdges) {
    const struct {
        int columns, rows, cell;
        int left, top, right, bottom, width, height;
    } cases[] = {
        // The play board of N = 10: the grid spans x 100..300, y 120..320.
        {10, 10, 20, 100, 120, 300, 320, 310, 330},
        // The puzzle panel of N = 5: halves are whole pixels, 35 / 2 = 17.
        {5, 5, 7, 17, 24, 52, 59, 55, 62},
        // A wide board takes its left margin from the width and its top one from the height.
        {15, 4, 20, 150, 60, 450, 140, 460, 150},
        {0, 0, 20, 0, 20, 0, 20, 10, 30},
    };
    for (const auto& t : cases) {
        const BoardLayout l(t.columns, t.rows, t.cell);
        SCOPED_TRACE(::testing::Message() << t.columns << "x" << t.rows << " c " << t.cell);
        EXPECT_EQ(l.GridLeft(), t.left);
        EXPECT_EQ(l.GridTop(), t.top);
        EXPECT_EQ(l.GridRight(), t.right);
        EXPECT_EQ(l.GridBottom(), t.bottom);
        EXPECT_EQ(l.Width(), t.width);
        EXPECT_EQ(l.Height(), t.height);
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
        {five, {50, 79}, -1, 0},   {five, {51, 79}, 0, 0},    {five, {69, 79}, 0, 0},
        {five, {70, 79}, 1, 0},    {five, {149, 79}, 4, 0},   {five, {150, 79}, -1, 0},
        {five, {59, 70}, -1, 0},   {five, {59, 71}, 0, 0},    {five, {59, 90}, 0, 1},
        {five, {59, 169}, 0, 4},   {five, {59, 170}, -1, 0},  {five, {20, 100}, -1, 0},
        {wide, {209, 109}, 6, 2},  {wide, {71, 51}, 0, 0},    {wide, {150, 100}, 4, 2},
        {wide, {150, 110}, -1, 0}, {wide, {210, 100}, -1, 0}, {wide, {100, 40}, -1, 0},
    };
    for (const auto& t : cases) {
        const std::optional<CellPos> cell = t.layout.CellAt(t.p);
        if (t.column < 0) {
            EXPECT_FALSE(cell.has_value()) << t.p.x << "," << t.p.y;
        } else {
            EXPECT_EQ(cell, (CellPos{t.column, t.row})) << t.p.x << "," << t.p.y;
        }
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
        {true, 5, 5, 7, 0, 1, 2, {19, 10}},
        // Row slots go left from x = L/2 - c: the third starts at -2.
        {false, 5, 5, 7, 4, 2, 1, {-2, 52}},
        // N = 20, L/2 = 70: 10 and 20 are not shifted; slot 9 reaches x = 2 and y = 7.
        {false, 20, 20, 7, 0, 0, 20, {63, 77}},
        {false, 20, 20, 7, 1, 9, 1, {2, 84}},
        {true, 20, 20, 7, 19, 9, 1, {205, 7}},
        {true, 20, 20, 7, 0, 0, 10, {70, 70}},
        {true, 20, 20, 7, 0, 0, 9, {72, 70}},
        // Play board, N = 10: single digits 6 pixels in; N = 20: the tenth row slot at x = 0.
        {true, 10, 10, 20, 0, 1, 1, {106, 80}},
        {false, 10, 10, 20, 9, 0, 10, {80, 300}},
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
    // The clue areas end at the grid's top and left lines.
    const BoardLayout ten(10, 10, 20);
    EXPECT_EQ(ten.ColumnClueArea(), (CRect{0, 0, 310, 120}));
    EXPECT_EQ(ten.RowClueArea(), (CRect{0, 0, 100, 330}));
}

// The runs of a line from the far end: column 0 of a grid reading 1, 1, 0, 1, 0 from the top
// has its lower run in slot 0.
TEST(BoardLayout, ClueSlotsFromTheFarEnd) {
    const std::uint8_t column[] = {1, 1, 0, 1, 0};
    EXPECT_EQ(ClueSlots(RunsOf(column, 5)), (std::vector<int>{1, 2}));
    const std::uint8_t row[] = {1, 0, 1, 1, 1, 0, 0, 1, 1};
    EXPECT_EQ(ClueSlots(RunsOf(row, 9)), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(ClueSlots({}), (std::vector<int>{0}));
    EXPECT_EQ(ClueSlots({20}), (std::vector<int>{20}));
}

TEST(BoardLayout, LinesCrossTheClueAreasWithAnAccentEveryFifthCell) {
    const struct {
        int columns, rows;
        std::vector<int> fifthRows, fifthColumns;
    } cases[] = {
        {5, 5, {}, {}},        {10, 10, {5}, {5}},     {20, 20, {5, 10, 15}, {5, 10, 15}},
        {7, 12, {5, 10}, {5}}, {15, 10, {5}, {5, 10}},  // never an outer edge, even at 10 or 15
                                                        // cells
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(::testing::Message() << t.columns << "x" << t.rows);
        const BoardLayout l(t.columns, t.rows, 20);
        const std::vector<BoardLayout::Line> lines = l.Lines();
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(t.rows + 1 + t.columns + 1));
        std::vector<int> fifthRows, fifthColumns;
        for (int k = 0; k <= t.rows; ++k) {
            const int y = l.GridTop() + 20 * k;
            EXPECT_EQ(lines[k].from, (CPoint{0, y}));
            EXPECT_EQ(lines[k].to, (CPoint{l.GridRight(), y}));
            if (lines[k].fifth)
                fifthRows.push_back(k);
        }
        for (int k = 0; k <= t.columns; ++k) {
            const BoardLayout::Line& line = lines[t.rows + 1 + k];
            const int x = l.GridLeft() + 20 * k;
            EXPECT_EQ(line.from, (CPoint{x, 0}));
            EXPECT_EQ(line.to, (CPoint{x, l.GridBottom()}));
            if (line.fifth)
                fifthColumns.push_back(k);
        }
        EXPECT_EQ(fifthRows, t.fifthRows);
        EXPECT_EQ(fifthColumns, t.fifthColumns);
    }
}

}  // namespace
