// Pictures shared by the search tests: planes drawn from a function, and the block pictures.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "block_pictures.h"
#include "image/column_buffer.h"
#include "maker/block_levels.h"

using Cells = std::vector<std::uint8_t>;
using Rgb = std::array<int, 3>;

// Planes of a width x height picture: column 3x red, 3x+1 green, 3x+2 blue.
inline ColumnBuffer MakePlanes(int width, int height, const std::function<Rgb(int, int)>& pixel) {
    ColumnBuffer planes;
    planes.Allocate(3 * width, height);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const Rgb rgb = pixel(x, y);
            for (int c = 0; c < 3; ++c)
                planes[3 * x + c][y] = rgb[c];
        }
    }
    return planes;
}
