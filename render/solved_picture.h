// The picture a solved puzzle turns into: the average colour of each block of the input
// picture, the block a cell of the puzzle was made from.  Widget-free.
#pragma once

#include <vector>

#include "model/picture.h"
#include "platform/gdi.h"

// The average colour of each of columns x rows blocks of the picture's canvas, row by row: the
// canvas is cut as the analysis cuts it, into blocks of (canvas width / columns) x (canvas
// height / rows) pixels from its top-left corner.  Empty when there is no picture, or fewer
// canvas pixels than cells.
std::vector<COLORREF> BlockColors(const Picture& picture, int columns, int rows);
