// The picture a solved puzzle turns into: the average colour of each block of the input
// picture, the block a cell of the puzzle was made from.  Widget-free.
#pragma once

#include <vector>

#include "model/block_division.h"
#include "model/picture.h"
#include "platform/gdi.h"

// The average colour of each block of the division, row by row over its columns x rows: the
// blocks lie on the picture's canvas where the analysis cut them (a fitted or cropped puzzle's
// blocks are not the canvas's equal squares).  Cells beyond the blocks the canvas holds are
// white.  Empty when there is no picture or no block.
std::vector<COLORREF> BlockColors(const Picture& picture, const BlockDivision& division);
