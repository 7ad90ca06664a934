// The search over colour counts and block counts for a colour puzzle made from a picture: each
// colour count 2..kMaxColours with each block count the band search looks at for the same
// choice (the square canvas's counts, the same counts fitted to the picture, or a custom grid
// alone) is analysed as the puzzle was, keeping its crop and locked colours, and judged.  The
// puzzles with exactly one solution are reported nearest the current settings first.
#pragma once

#include <atomic>
#include <functional>
#include <vector>

#include "analysis/analysis.h"
#include "maker/block_levels.h"
#include "maker/suggestion.h"

struct ColourSearchOptions {
    double seconds = 30;        // the whole search; 0 for no limit
    double solveSeconds = 0.5;  // each judgement
    int maxSuggestions = 20;
    const std::atomic<bool>* cancel = nullptr;
    // When set, only grids (row by row, `columns` wide, 0 = background) it accepts are judged.
    std::function<bool(const std::vector<std::uint8_t>& cells, int columns)> accepts;
};

struct ColourSearchEvents {
    // A puzzle with exactly one solution, as soon as it is judged (they come best first).
    std::function<void(const Suggestion&)> found;
    // Settings tried so far out of those to try.
    std::function<void(int done, int total)> progress;
};

struct ColourSearchResult {
    std::vector<Suggestion> suggestions;  // best first, at most maxSuggestions
    int tried = 0;                        // settings analysed
    int judged = 0;                       // distinct puzzles the solver judged
    bool cancelled = false;
    bool timedOut = false;  // the time ran out before every setting was tried
};

// The colour counts and block choices to try from `current`, nearest first: same block count
// before another, then the fewest steps away in colour count and in the list of block counts.
std::vector<AnalysisSettings> ColourSearchOrder(const AnalysisSettings& current);

// Searches from `current` (a colour puzzle's settings) over `picture`, the picture its
// analysis reads (the crop already cut out).  Settings whose puzzle is the same as a nearer
// one's (the palette merged the extra colours) are judged once.
ColourSearchResult SearchColours(const Picture& picture, const AnalysisSettings& current,
                                 const ColourSearchOptions& options = {},
                                 const ColourSearchEvents& events = {});
