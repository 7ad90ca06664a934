// Block grid reduction: the binary image cut into the blocks of a division (N x N square blocks
// for the classic counts); a block is black when at least half of its pixels are
// (count >= (w * h) / 2).  Also draws the block division into the block panel and the binary
// panel.
#pragma once

#include <cstdint>
#include <vector>

#include "image/column_buffer.h"
#include "model/block_division.h"
#include "platform/gdi.h"

// Colour of a black block in the block panel (test mode).
constexpr COLORREF kBlockColor = RGB(255, 0, 0);
// Label that hides the solution in play mode, and its colours.
inline constexpr char kInvisibleLabel[] = "INVISIBLE";
constexpr COLORREF kInvisibleTextColor = RGB(240, 100, 100);
constexpr COLORREF kInvisibleBkColor = RGB(255, 200, 200);
constexpr int kInvisibleLabelX = 10;
constexpr int kInvisibleLabelY = 10;

// The mark of a cell that the solver cannot decide: a small square at the centre of its block.
constexpr COLORREF kUndecidedMarkColor = RGB(255, 255, 0);

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

// Side of the undecided mark in a block of side b: a third of it, at least 2 pixels.
constexpr int UndecidedMarkSide(int b) {
    return b / 3 > 2 ? b / 3 : 2;
}

// Marks the undecided cells (columns x rows, row by row, non-zero = undecided) in the block
// panel, over whatever the blocks show; cells that no block of the division reaches get no mark.
// The mark's side follows the block's shorter side.
void DrawUndecidedMarks(const std::vector<std::uint8_t>& undecided, const BlockDivision& division,
                        CDC& blockPanel);

// Draws the block division with each panel's current pen: lines at every block edge across the
// division's span (the canvas, or the picture when fitted) and the closing lines after the last
// blocks, in the block panel and then in the binary panel.  Test mode first paints the black
// blocks red in the block panel; play mode writes the "INVISIBLE" label at (10, 10) into the
// binary panel and then the block panel, leaving their text colours set to the label's.
void DrawBlockPanels(const ColumnBuffer& answer, const BlockDivision& division, bool testMode,
                     CDC& blockPanel, CDC& binaryPanel);
