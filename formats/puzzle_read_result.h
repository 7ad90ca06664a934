// What reading a puzzle file gives: the puzzle, or the line and the reason it could not be read.
#pragma once

#include <string>

#include "model/puzzle.h"

struct PuzzleReadResult {
    bool ok = false;
    Puzzle puzzle;
    std::string author;  // UTF-8
    int line = 0;        // where the error is, from 1; 0 when it concerns the whole file
    std::string error;   // a short reason in Japanese
    // The clues were read in full, but rows and columns fill different totals: `puzzle` holds
    // them, so that a solver can judge them (they have no solution).
    bool totalsDisagree = false;
};
