// The search over brightness bands and block counts: every band 0 <= lower < upper <= 255 and
// every block count gives a block grid (N x N look-ups each, from the gathered block levels);
// identical grids are judged once, nearest to the current puzzle first, and those with exactly
// one solution are reported as they are found.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "maker/block_levels.h"
#include "maker/suggestion.h"

struct BandSearchOptions {
    double solveSeconds = 0.25;  // time limit of the solver for each grid
    int maxSuggestions = 20;     // the best ones kept
    const std::atomic<bool>* cancel = nullptr;
    // When set, only grids (row by row, `columns` wide) it accepts are judged: the caller's rule of
    // what makes a picture, stricter than the search's own (neither empty nor full).
    std::function<bool(const std::vector<std::uint8_t>& cells, int columns)> accepts;
    // The division the current answer was cut with when it is not the n x n one of the square
    // canvas (fitted to the picture, or custom columns x rows): the answer is its columns x
    // rows, and the levels may hold divisions of that kind (BlockLayout::OfDivision).
    std::optional<BlockDivision> currentDivision;
};

struct BandSearchEvents {
    // A puzzle with exactly one solution, as soon as it is judged.
    std::function<void(const Suggestion&)> found;
    // Grids judged so far out of those to judge.
    std::function<void(int done, int total)> progress;
};

struct BandSearchResult {
    std::vector<Suggestion> suggestions;  // best first, at most maxSuggestions
    // No grid within the share of filled cells had one solution: the suggestions lie outside.
    bool onlyOutsideShare = false;
    // No suggestion at all: the grid with the fewest undecided cells, if any was judged.
    bool hasBest = false;
    Suggestion best;
    int grids = 0;   // distinct picture grids over all bands and block counts
    int judged = 0;  // grids the solver judged
    bool cancelled = false;
};

// Searches every band of every block count in `levels` (gathered from the canvas of `start`)
// for puzzles with exactly one solution, ranked by RanksBefore against `start`.  The grid of
// the current answer itself is never suggested.
BandSearchResult SearchBands(std::span<const BlockLevels> levels, const SearchStart& start,
                             const BandSearchOptions& options = {},
                             const BandSearchEvents& events = {});
