// The line solver of colour puzzles.  Each cell holds the set of colours it may still take
// (bit 0 the background, bit c colour c); solving a line keeps in each cell only the colours
// that some placement of the line's runs, fitting every cell's set, gives it.
#pragma once

#include <cstdint>
#include <vector>

#include "model/puzzle.h"

// The colours a cell may still take: bit c for colour c, bit 0 for the background.
using ColourSet = std::uint16_t;

inline int ColourSetSize(ColourSet s) {
    return __builtin_popcount(s);
}
// The one colour of a set of one.
inline int OnlyColour(ColourSet s) {
    return __builtin_ctz(s);
}

class ColourLineSolver {
public:
    // Narrows cells[0], cells[stride], ... (n of them) to the colours the runs `lengths` of
    // `colours` allow.  False, with the cells unchanged, when no placement fits.
    bool Solve(const LineClue& lengths, const LineColours& colours, ColourSet* cells, int n,
               int stride);

private:
    // Whether cells [from, to) may all take colour c.
    bool AllAllow(int c, int from, int to) const;
    void Tables(const LineClue& lengths, const LineColours& colours, int n);

    std::vector<ColourSet> line_;
    // Per colour, how many of the first i cells cannot take it (n + 1 entries each).
    std::vector<std::vector<int>> refusing_;
    // Forward and backward tables, (runs + 2) x (n + 2): runs 1..j placed in the cells before
    // i ending in background (E) or with run j ending at i (R); runs j..k placed in the cells
    // from i on starting with background (BE) or with run j starting at i (BR).
    std::vector<std::uint8_t> e_, r_, be_, br_;
    std::vector<ColourSet> allowed_;  // the colours each cell takes in some placement
    std::vector<int> marks_;          // per colour, a difference array of the cells some run covers
    int width_ = 0;                   // n + 2: the row length of the tables
};
