// Plain, slow answers to check the solver against, written apart from it on purpose: each
// line settled by dynamic programming over (cell, runs placed) on plain arrays, line logic as
// sweeps of that, probing as each open cell tried both ways, and solutions counted by a
// depth-first search with probing at every node.  Cells: -1 unknown, 0 empty, 1 filled.
#pragma once

#include <cstdint>
#include <vector>

#include "model/puzzle.h"
#include "solver/solver.h"

using Cells = std::vector<std::uint8_t>;

// Settles the cells of one line that every fitting placement agrees on; false when none fits.
bool SettleLine(const LineClue& clue, std::vector<int>& line);

// Settles every row and column until nothing changes.  False on a line nothing fits.
bool PlainLineLogic(const Puzzle& p, std::vector<int>& cells);

// Each unknown cell tried both ways with line logic; a way that fails settles the other, cells
// both ways agree on are settled; until a round settles nothing.  False when both ways fail.
bool PlainProbing(const Puzzle& p, std::vector<int>& cells);

struct Count {
    int solutions = 0;    // at most the limit asked for
    bool gaveUp = false;  // the node limit ran out first
};

// Solutions of the clues that extend `cells`, counted up to `limit` in at most `nodeLimit`
// nodes of the search.
Count CountSolutions(const Puzzle& p, std::vector<int> cells, int limit, long nodeLimit = 1L << 40);

// Checks the proof a verdict carries: the solution fits the clues and is the answer when the
// puzzle has one; a multiple's second solution fits them too and differs from the first in
// exactly the cells it names, cells that no logic decided.
void ExpectProof(const Puzzle& p, const SolveResult& r);
