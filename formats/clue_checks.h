// Checks that both puzzle readers make on clues once they have read them.
#pragma once

#include <vector>

#include "model/puzzle.h"

// The most runs a line of the largest side can have.
constexpr int kMaxRunsPerLine = (kMaxPuzzleSide + 1) / 2;

// The filled cells the clues of some lines ask for.
inline long FilledCells(const std::vector<LineClue>& lines) {
    long sum = 0;
    for (const LineClue& clue : lines)
        for (int run : clue)
            sum += run;
    return sum;
}

// Rows and columns fill the same cells, so their totals must agree.
inline bool TotalsAgree(const Puzzle& p) {
    return FilledCells(p.rows) == FilledCells(p.columns);
}
