// The search for cells to change in a colour puzzle's answer so that its puzzle has exactly one
// solution: a changed cell takes another colour or the background.  The cells the solver leaves
// undecided are where a change is tried.  Each round tries every such cell of the grids kept
// with every other colour, and keeps the few grids that leave the fewest cells undecided for
// the next round; the first round that makes unique pictures gives the suggestions.  Bounded by
// its rounds, the grids it keeps and its time, it finds few changes but does not prove that
// fewer cannot do.
#pragma once

#include <atomic>

#include "maker/cell_search.h"
#include "model/puzzle.h"

struct ColourCellSearchOptions {
    int maxChanges = 4;         // rounds
    int kept = 3;               // grids kept from one round for the next
    double seconds = 0;         // the whole search; 0 for no limit
    double solveSeconds = 0.5;  // each judgement
    int maxSuggestions = 5;
    int n = 0;  // the block count the suggestions are given (Suggestion::n)
    const std::atomic<bool>* cancel = nullptr;
};

// Searches from the puzzle's answer (colour indices); the suggestions' cells are colour
// indices too.  `complete` stays false: the search does not try every set of changes.
CellSearchResult SearchColourCellChanges(const Puzzle& puzzle,
                                         const ColourCellSearchOptions& options = {},
                                         const CellSearchEvents& events = {});
