// Pictures shared by the search and command-line tests: planes painted from a function, the
// block pictures and a picture of colours.
#pragma once

#include <cstdint>
#include <vector>

#include "../support/painted.h"
#include "block_pictures.h"
#include "maker/block_levels.h"

using Cells = std::vector<std::uint8_t>;
using Rgb = painted::Samples;
using painted::Planes;

// 50 x 50 on white, blocks of 10 pixels: a green top row, a red block at (1, 1) and a dark red
// one at (3, 3).  With the two reds one colour (two colours besides the background) the two
// blocks may swap corners; apart they may not.
inline Rgb GreenRowAndTwoReds(int x, int y) {
    const int i = x / 10, j = y / 10;
    if (j == 0)
        return {16, 160, 48};
    if (i == 1 && j == 1)
        return {224, 16, 32};
    if (i == 3 && j == 3)
        return {130, 20, 40};
    return {255, 255, 255};
}
