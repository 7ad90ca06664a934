// Pictures of 200 x 200 pixels in 10-pixel blocks of gray (the rest white) whose search for a
// unique puzzle has a known answer; for the search, window and command-line tests.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "../support/painted.h"

using LevelMap = std::map<std::pair<int, int>, int>;  // block (i, j) -> gray level

inline int LevelAt(const LevelMap& levels, int i, int j) {
    const auto it = levels.find({i, j});
    return it == levels.end() ? 255 : it->second;
}

inline void AddRectangle(LevelMap& levels, int i0, int j0, int w, int h, int level) {
    for (int i = i0; i < i0 + w; ++i)
        for (int j = j0; j < j0 + h; ++j)
            levels[{i, j}] = level;
}

// A diagonal pair of blocks, alone in its rows and columns: the clues cannot tell the diagonals
// apart.
inline void AddSwitch(LevelMap& levels, int i, int j, int level) {
    levels[{i, j}] = level;
    levels[{i + 1, j + 1}] = level;
}

// Level 120 alone, a side x side square, has one solution; a switch at level 40 and another at
// 200 spoil every other band.
inline LevelMap ThreeLevels(int side = 6) {
    LevelMap levels;
    AddSwitch(levels, 12, 12, 40);
    AddRectangle(levels, 1, 1, side, side, 120);
    AddSwitch(levels, 16, 17, 200);
    return levels;
}

// A rectangle on the 40-pixel lattice, unique at every block count, with a diagonal pair of
// 20-pixel squares straddling 40-pixel blocks (a quarter of each) and a switch of 10-pixel
// blocks inside one 20-pixel block: N = 10 and 20 have several solutions, N = 5 one.
inline LevelMap CoarseOnly() {
    LevelMap levels;
    AddRectangle(levels, 4, 8, 12, 4, 90);
    AddRectangle(levels, 2, 12, 2, 2, 90);
    AddRectangle(levels, 4, 14, 2, 2, 90);
    AddSwitch(levels, 16, 16, 90);
    return levels;
}

// Switches at three levels, each across 20-pixel blocks so that the coarser block counts see
// nothing: every band makes one to four switches, and no band or block count solves.
inline LevelMap Switches() {
    LevelMap levels;
    AddSwitch(levels, 1, 1, 40);
    AddSwitch(levels, 5, 5, 120);
    AddSwitch(levels, 11, 3, 120);
    AddSwitch(levels, 15, 15, 200);
    return levels;
}

// The picture as a P6 file.
inline std::string PpmOf(const LevelMap& levels) {
    return painted::Ppm(
        200, 200, [&](int x, int y) { return painted::Gray(LevelAt(levels, x / 10, y / 10)); });
}
