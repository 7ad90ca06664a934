// The block panel and the block division over the binary panel: black blocks, grid lines, the
// label that hides the solution in play mode, and the marks of undecided cells.
#pragma once

#include <cstdint>
#include <vector>

#include "image/column_buffer.h"
#include "model/block_division.h"
#include "model/puzzle.h"
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

// Side of the undecided mark in a block of side b: a third of it, at least 2 pixels.
constexpr int UndecidedMarkSide(int b) {
    return b / 3 > 2 ? b / 3 : 2;
}

// Marks the undecided cells (columns x rows, row by row, non-zero = undecided) in the block
// panel, over whatever the blocks show; cells that no block of the division reaches get no mark.
// The mark's side follows the block's shorter side.  On a colour puzzle's blocks (`colour`, its
// answer the blocks' colours) the mark darkens where yellow would not show.
void DrawUndecidedMarks(const std::vector<std::uint8_t>& undecided, const BlockDivision& division,
                        CDC& blockPanel, const Puzzle* colour = nullptr);

// Draws the block division with each panel's current pen: lines at every block edge across the
// division's span (the canvas, or the picture when fitted) and the closing lines after the last
// blocks, in the block panel and then in the binary panel.  Test mode first paints the black
// blocks red in the block panel; play mode writes the "INVISIBLE" label at (10, 10) into the
// binary panel and then the block panel, leaving their text colours set to the label's.  For a
// colour puzzle (`colour`, whose answer is the division's blocks) test mode paints every block
// in its palette colour, the background's included, instead of the red blocks.
void DrawBlockPanels(const ColumnBuffer& answer, const BlockDivision& division, bool testMode,
                     CDC& blockPanel, CDC& binaryPanel, const Puzzle* colour = nullptr);
