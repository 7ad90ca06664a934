// Comparing the player's marks with the answer, and the frame that shows a wrong cell.
// Widget-free: works on the document's grids and on an off-screen drawing surface.
#pragma once

#include <vector>

#include "image/column_buffer.h"
#include "platform/gdi.h"

// A cell is wrong when the answer is black and the mark is not a fill (left blank or crossed:
// a cross is never stored, so it reads as blank), or when the answer is white and the mark
// is a fill.
constexpr bool IsMistake(int answer, int mark) {
    return (answer == 1 && mark != 1) || (answer == 0 && mark == 1);
}

// The wrong cells of two N x N grids indexed [column][row], as (column, row), row by row
// from the top and left to right within a row.
std::vector<CPoint> FindMistakes(const ColumnBuffer& answer, const ColumnBuffer& marks, int n);

// Number of wrong cells of two N x N grids.
int CountMistakes(const ColumnBuffer& answer, const ColumnBuffer& marks, int n);

// Draws the frame of a wrong cell whose top-left grid corner is (x0, y0): a two-pixel band
// just inside the grid lines, so that whatever the cell holds stays visible in its middle.
// Pixels (x0 + i, y0 + j) with 1 <= i, j <= c - 1 and i < 3, j < 3, i > c - 3 or j > c - 3.
void DrawMistakeFrame(CDC& dc, int x0, int y0, int cellSize, COLORREF color);
