// Whether a puzzle's share of filled cells makes a picture at all: an empty or full grid, or
// one with under 5 % or over 90 % of its cells filled, is a poor puzzle whatever the solver
// says of it.  The window's verdict pane and ngm-cli make both ask here, and the search for a
// puzzle with one solution never offers such a puzzle.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "model/puzzle.h"
#include "session/verdict_text.h"

enum class FillProblem {
    kNone,    // a share that can make a picture
    kEmpty,   // no cell filled
    kFull,    // every cell filled
    kSparse,  // under 5 % filled
    kDense,   // over 90 % filled
};

// The filled cells counted from the row clues (puzzles read from a file may have no answer).
FillProblem FillProblemOf(const Puzzle& puzzle);

// The rule as the search for a unique puzzle asks it: true when the n x n grid (row by row,
// 1 = filled) has no problem.
bool MakesAPicture(const std::vector<std::uint8_t>& cells, int n);

// The word ngm-cli make prints for the problem: "empty", "full", "sparse", "dense" ("" for
// none).
const char* FillProblemWord(FillProblem problem);

// The verdict pane's label for a puzzle with the problem: a warning that says what to try, in
// place of the verdict's praise, which stays in the tool tip.  The verdict itself for none.
VerdictLabel WarnedVerdict(FillProblem problem, const VerdictLabel& verdict);
