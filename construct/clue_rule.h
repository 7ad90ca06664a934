// The clue rule of a nonogram line: the lengths of the runs of filled cells, counted from the
// far end of the line so that slot 0 is the run next to the grid.  A line without a filled
// cell has the single clue 0.
#pragma once

#include <vector>

#include "image/column_buffer.h"

// cells[k] for k = 0 .. n-1 in scan order (far end first), 1 = filled.  Returns the clue of
// each slot: result[s] is the number written in slot s.
std::vector<int> LineClues(const int* cells, int n, int stride = 1);

// Column i of an N x N grid, scanned from the bottom row up: slot 0 sits right above the grid.
std::vector<int> ColumnClues(const ColumnBuffer& grid, int n, int column);
// Row j of an N x N grid, scanned from the rightmost column: slot 0 sits right left of the grid.
std::vector<int> RowClues(const ColumnBuffer& grid, int n, int row);
