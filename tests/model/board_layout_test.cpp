// The board layout: the grid's place for each size and cell size, the cell under a point, the
// clue slots and their numbers, the lines with their fifth-line accents, and the clue areas
// that grow with the longest clue while the square boards keep their layout.
#include "model/board_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "../support/puzzles.h"

namespace {

// The grid's outer lines belong to no cell; an inner line to the cell right of it or below it.
// A wide board takes its left margin from the width and its top one from the height.
TEST(BoardLayout, CellAtPoint) {
    const BoardLayout five(5, 5, 20);  // grid x 50..150, y 70..170
    const BoardLayout wide(7, 3, 20);  // grid x 70..210, y 50..110
    const struct {
        const BoardLayout& layout;
        CPoint p;
        int column, row;  // -1: no cell
    } cases[] = {
        {five, {50, 79}, -1, 0},   {five, {51, 79}, 0, 0},    {five, {70, 79}, 1, 0},
        {five, {59, 70}, -1, 0},   {five, {59, 90}, 0, 1},    {wide, {209, 109}, 6, 2},
        {wide, {210, 100}, -1, 0}, {wide, {150, 110}, -1, 0},
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
        // N = 20, L/2 = 70: 10 and 20 are not shifted.
        {false, 20, 20, 7, 0, 0, 20, {63, 77}},
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
    EXPECT_EQ(ClueSlots({}), (std::vector<int>{0}));
}

// The lines run across the clue areas; every fifth one inside the grid is an accent, never an
// outer edge (here at 10 rows and 15 columns).
TEST(BoardLayout, LinesCrossTheClueAreasWithAnAccentEveryFifthCell) {
    const BoardLayout l(15, 10, 20);  // grid x 150..450, y 120..320
    const std::vector<BoardLayout::Line> lines = l.Lines();
    std::string fifths;
    for (const BoardLayout::Line& line : lines)
        fifths += line.fifth ? 'F' : '.';
    // The rows from the top, then the columns from the left.
    EXPECT_EQ(fifths, ".....F..........F....F.....");
    EXPECT_EQ(lines.front(), (BoardLayout::Line{{0, 120}, {450, 120}, false}));
    EXPECT_EQ(lines.back(), (BoardLayout::Line{{450, 0}, {450, 320}, false}));
}

// A w x h puzzle whose rows and columns alternate filled and blank cells as often as they can,
// so that its clues are as long as clues get.
TEST(BoardLayout, ClueAreasGrowWithTheLongestClueButSquareBoardsStayAsTheyWere) {
    // Square boards up to 20 cells keep their layout whatever the clues (at 7 cells a side the
    // longest row clue needs exactly the room they always had).
    for (int n : {7, 20}) {
        for (int cell : {7, 20}) {
            const BoardLayout grown = BoardLayout::ForPuzzle(Checkered(n, n), cell),
                              plain(n, n, cell);
            EXPECT_EQ(std::pair(grown.GridLeft(), grown.GridTop()),
                      std::pair(plain.GridLeft(), plain.GridTop()))
                << n << " " << cell;
        }
    }
    // Off the square, or beyond 20 cells a side, every slot of the longest clues lies inside
    // the board.
    for (auto [w, h] : {std::pair{3, 40}, {99, 1}, {21, 21}}) {
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
    }
}

}  // namespace
