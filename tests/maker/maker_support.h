// Pictures and puzzles shared by the search tests: planes drawn from a function, pictures of
// uniform blocks, and the answers stored in the puzzle files of tests/data.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

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

// A picture of side * unit pixels whose unit x unit blocks are gray levels: level(i, j) for
// block column i, block row j.
inline ColumnBuffer BlockPicture(int side, int unit, const std::function<int(int, int)>& level) {
    return MakePlanes(side * unit, side * unit, [&](int x, int y) {
        const int v = level(x / unit, y / unit);
        return Rgb{v, v, v};
    });
}

inline std::vector<BlockLevels> LevelsOf(const ColumnBuffer& planes,
                                         std::vector<int> counts = {5, 10, 20}) {
    return GatherBlockLevels(MakeLevelPlane(planes), counts);
}

// The answer ("goal") of a .non file under tests/data/puzzles.
inline Cells GoalOf(const std::string& name) {
    std::ifstream in(std::string(NGM_TEST_DATA) + "/puzzles/" + name);
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    const std::size_t at = s.find("goal \"");
    Cells cells;
    for (std::size_t i = at == std::string::npos ? s.size() : at + 6; i < s.size() && s[i] != '"';
         ++i)
        cells.push_back(s[i] == '1');
    return cells;
}
