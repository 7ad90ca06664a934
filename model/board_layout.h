// Where the parts of a puzzle go on a board of square cells, in pixels of the board's image:
// the grid of columns x rows cells, the clue numbers above it and to its left, and the lines.
// With cells of c pixels the grid's top-left corner lies at (columns*c/2, rows*c/2 + c), or
// further out for a puzzle whose clues need it: the column clues get the strip above the grid,
// the row clues the strip to its left.  The puzzle panel and the play board both draw through
// it.
#pragma once

#include <optional>
#include <vector>

#include "model/geometry.h"
#include "model/puzzle.h"

// One number of a clue: the line (a column or a row) and its slot, slot 0 next to the grid.
struct ClueSlotRef {
    bool column = false;
    int line = 0;
    int slot = 0;
    friend bool operator==(const ClueSlotRef&, const ClueSlotRef&) = default;
};

// The longest side of the puzzles the analysis makes.
constexpr int kLargestAnalysisSide = 20;

class BoardLayout {
public:
    BoardLayout() = default;
    BoardLayout(int columns, int rows, int cellSize)
        : m_columns(columns),
          m_rows(rows),
          m_cell(cellSize),
          m_left(columns * cellSize / 2),
          m_top(rows * cellSize / 2 + cellSize) {}
    // The layout of any puzzle: the clue areas above for sides up to 20 (those of a 20-cell
    // side for longer ones), grown where the puzzle's longest clue needs more room.  On a
    // square board up to 20 x 20 the farthest slot of a row clue may stay half a cell short,
    // as it always has: those boards keep their layout whatever the clues.
    static BoardLayout ForPuzzle(const Puzzle& puzzle, int cellSize);

    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    int CellSize() const { return m_cell; }

    // The grid's outer lines.
    int GridLeft() const { return m_left; }
    int GridTop() const { return m_top; }
    int GridRight() const { return GridLeft() + m_columns * m_cell; }
    int GridBottom() const { return GridTop() + m_rows * m_cell; }
    // The board: clue areas and grid, with a margin of half a cell right of and below the grid.
    int Width() const { return GridRight() + m_cell / 2; }
    int Height() const { return GridBottom() + m_cell / 2; }

    // Top-left corner of a cell, where its grid lines cross.
    CPoint CellCorner(CellPos cell) const {
        return {GridLeft() + cell.column * m_cell, GridTop() + cell.row * m_cell};
    }
    // The inside of a cell: the (c-1) x (c-1) square between its grid lines.
    CRect CellInside(CellPos cell) const;
    // The cell under a point strictly inside the grid's outer lines; an inner line belongs to
    // the cell right of it or below it.  None on the outer lines or beyond them.
    std::optional<CellPos> CellAt(CPoint p) const;
    // The cell whose square holds a point, on the grid or beyond it: the columns and rows
    // count on past the grid's edges (negative before it).
    CellPos CellNear(CPoint p) const;

    // Top-left corner of the number in a clue slot: slot 0 next to the grid, higher slots
    // further out.  Numbers below 10 stand a third of a cell in from the slot's edge.
    CPoint ColumnCluePosition(int column, int slot, int number) const;
    CPoint RowCluePosition(int row, int slot, int number) const;
    // The clue number whose slot holds a point of a clue area; none in the corner, beyond the
    // grid's rows or columns, or past a line's last number.
    std::optional<ClueSlotRef> ClueSlotAt(CPoint p, const Puzzle& puzzle) const;
    // Everything above the grid's top line, and everything left of its left line.
    CRect ColumnClueArea() const { return {0, 0, Width(), GridTop()}; }
    CRect RowClueArea() const { return {0, 0, GridLeft(), Height()}; }
    // The part of a clue area that one column's or one row's numbers can reach: its strip
    // from the line before it, with a pixel more for a font cell a pixel taller or wider
    // than the cell.
    CRect ColumnClueStrip(int column) const {
        const int left = GridLeft() + column * m_cell;
        return {left, 0, left + m_cell + 1, GridTop()};
    }
    CRect RowClueStrip(int row) const {
        const int top = GridTop() + row * m_cell;
        return {0, top, GridLeft(), top + m_cell + 1};
    }

    // A grid line, from its start point up to (not including) its end point.  The lines run
    // across the clue areas too, so that each row's and column's numbers sit in their own strip.
    struct Line {
        CPoint from;
        CPoint to;
        bool fifth = false;  // after every fifth cell inside the grid
        friend bool operator==(const Line&, const Line&) = default;
    };
    // The horizontal lines from the top, then the vertical lines from the left.
    std::vector<Line> Lines() const;

private:
    int m_columns = 0;
    int m_rows = 0;
    int m_cell = 0;
    int m_left = 0;  // width of the row clue area
    int m_top = 0;   // height of the column clue area
};

// True for the line after every fifth cell of a line of `count` cells; never an outer edge.
constexpr bool IsFifthLine(int k, int count) {
    return k > 0 && k < count && k % 5 == 0;
}

// The numbers of a line's clue by slot, slot 0 next to the grid: the runs from last to first,
// or the single 0 of a line without runs.
std::vector<int> ClueSlots(const LineClue& clue);
