// Puzzles for tests, made from a picture: rows of '#' (filled) and '.' (blank), or a rule that
// says which cells are filled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/puzzle.h"

// w x h cells, filled where filled(x, y) is true.
template <class Filled>
Puzzle PuzzleOf(int w, int h, Filled filled) {
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(w) * h);
    for (std::size_t k = 0; k < cells.size(); ++k)
        cells[k] = filled(static_cast<int>(k % w), static_cast<int>(k / w)) ? 1 : 0;
    return Puzzle::FromGrid(w, h, cells);
}

// Rows of '#' (filled) and any other character (blank), top row first.
inline Puzzle PuzzleOf(const std::vector<std::string>& rows) {
    return PuzzleOf(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                    [&](int x, int y) { return rows[y][x] == '#'; });
}

inline Puzzle Checkered(int w, int h) {
    return PuzzleOf(w, h, [](int x, int y) { return (x + y) % 2 == 0; });
}
