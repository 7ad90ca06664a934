// A second solver to check the solver against on puzzles too large to enumerate, written
// another way on purpose: each line settled by dynamic programming over (cell, runs placed)
// on plain arrays, the lines swept in order until nothing changes, each open cell tried both
// ways at every node, and a depth-first search that counts solutions.
#pragma once

#include <cstdint>
#include <vector>

#include "model/puzzle.h"

struct SecondSolverResult {
    bool gaveUp = false;  // the node limit ran out before the count was known
    int count = 0;        // solutions found, at most the limit asked for
    std::vector<std::vector<std::uint8_t>> solutions;
    bool lineLogicAlone = false;  // line logic settled every cell from the blank board
};

// Counts the solutions of the clues up to `limit`, searching at most `nodeLimit` nodes.
SecondSolverResult CountWithSecondSolver(const Puzzle& p, int limit, long nodeLimit);

// Settles one line (-1 unknown, 0 empty, 1 filled) the way the second solver does; false when
// no placement of the clue fits.
bool SettleLineByPositions(const LineClue& clue, std::vector<int>& line);
