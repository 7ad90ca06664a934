// The search for the fewest cells to change in the current answer so that its puzzle has
// exactly one solution.  Every other solution the solver finds is a set of cells that can be
// swapped without changing a clue; a change can only break such a swap through a row or column
// the swap runs through, so those lines, which the solver's undecided cells span, are where the
// search looks.  Sets of changes are tried smallest first, so the first that works is one of
// the fewest.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

#include "maker/suggestion.h"
#include "model/block_division.h"
#include "solver/solver.h"

struct CellSearchOptions {
    int maxChanges = 8;
    double seconds = 0;         // the whole search; 0 for no limit
    double solveSeconds = 0.5;  // each judgement
    int maxSuggestions = 5;     // sets of the fewest changes kept
    const std::atomic<bool>* cancel = nullptr;
    // The division the current answer was cut with when it is not the n x n one of the square
    // canvas (fitted to the picture, or custom columns x rows): the answer is its columns x
    // rows, and the changed share of the picture is measured on its blocks.
    std::optional<BlockDivision> currentDivision;
};

// The solver's options for one judgement of a search for cell changes that may take `seconds`
// in all (0: no limit) and has run `elapsed` of them: each judgement gets `solveSeconds`, but
// never more than is left.
SolveOptions JudgementWithin(double solveSeconds, double seconds, double elapsed,
                             const std::atomic<bool>* cancel);

struct CellSearchEvents {
    std::function<void(const Suggestion&)> found;
    // The number of changes being tried now.
    std::function<void(int changes)> progress;
};

struct CellSearchResult {
    // The current answer already has exactly one solution: nothing to change.
    bool alreadyUnique = false;
    std::vector<Suggestion> suggestions;  // all with the same, fewest changes; best first
    // No set within the share of filled cells worked; the suggestions lie outside it.
    bool onlyOutsideShare = false;
    // Every smaller set of changes was tried: no fewer changes make the puzzle unique (and,
    // without suggestions, none of up to maxChanges cells does).
    bool complete = false;
    // No suggestion: the changes that left the fewest undecided cells, if any were judged.
    bool hasBest = false;
    Suggestion best;
    int judged = 0;
    bool cancelled = false;
};

CellSearchResult SearchCellChanges(const SearchStart& start, const CellSearchOptions& options = {},
                                   const CellSearchEvents& events = {});
