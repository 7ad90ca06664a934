// The grids the search for a puzzle with one solution looks over, for the blocks the puzzle was
// made with: the block counts of the square canvas (5, 10, 20 and the count in force), the
// same counts fitted to the picture, or a custom grid alone.  The window and ngm-cli make
// --unique both ask here.
#pragma once

#include <optional>
#include <vector>

#include "analysis/analysis.h"
#include "maker/block_levels.h"

struct SearchShape {
    // Empty for the square canvas: the search takes its block counts (SearchCounts).
    std::vector<BlockLayout> layouts;
    // The division of the current puzzle when it is not the square canvas's n x n.
    std::optional<BlockDivision> division;
};

// picture: the picture analysed; current: the division its puzzle was cut with.
SearchShape SearchShapeOf(const Picture& picture, const BlockChoice& blocks,
                          const BlockDivision& current);
