// Block grid reduction: the binary image cut into the blocks of a division (N x N square blocks
// for the classic counts); a block is black when at least half of its pixels are
// (count >= (w * h) / 2).
#pragma once

#include "image/column_buffer.h"
#include "model/block_division.h"

// Side B of a block in pixels: the larger picture side divided by n (0 when n is not positive).
int BlockSide(int width, int height, int n);

// Fills answer (n x n, [block column][block row]) from the binary image of the width x height
// picture.  Cells that no whole block of the picture reaches are 0, so every cell is written.
// Does nothing when answer is smaller than n x n.
void ReduceToBlocks(const ColumnBuffer& binary, int width, int height, int n, ColumnBuffer& answer);
// Sets the division's columns x rows cells of answer to 0; false when answer is smaller.
bool ClearBlocks(const BlockDivision& division, ColumnBuffer& answer);
// The same for any division: answer holds division.columns x division.rows cells; blocks that
// the binary image does not hold in full stay 0.
void ReduceToBlocks(const ColumnBuffer& binary, const BlockDivision& division,
                    ColumnBuffer& answer);
