// Plain, slow answers to check the solver against: every placement of a line enumerated, line
// logic and probing over those, and solutions counted by trying cells both ways.
#pragma once

#include <cstdint>
#include <vector>

#include "model/puzzle.h"

using Cells = std::vector<std::uint8_t>;

// Every complete line of n cells with the clue's runs.
const std::vector<Cells>& Placements(const LineClue& clue, int n);

// Settles every unknown cell (-1) that all fitting placements of its row or column agree on,
// until nothing changes.  False on a line nothing fits.
bool PlainLineLogic(const Puzzle& p, std::vector<int>& cells);

// Each unknown cell tried both ways with line logic; a way that fails settles the other, cells
// both ways agree on are settled; until a round settles nothing.  False when both ways fail.
bool PlainProbing(const Puzzle& p, std::vector<int>& cells);

// Solutions of the clues that extend `cells`, counted up to `limit`: line logic, then the
// first unknown cell tried both ways.
int CountSolutions(const Puzzle& p, std::vector<int> cells, int limit);
