// Solving a colour puzzle of two or more colours: line logic over sets of colours, probing
// (each colour of each open cell tried in turn) and a depth-first search, with the verdicts,
// difficulty and undecided cells of black-and-white puzzles.
#pragma once

#include <chrono>

#include "solver/solver.h"

// Fills `r` (whose `undecided` is sized to the cells) for a puzzle whose clues fit.
void SolveColourPuzzle(const Puzzle& puzzle, const SolveOptions& options,
                       std::chrono::steady_clock::time_point deadline, SolveResult& r);

// ApplyLineLogic for a colour puzzle: cells -1 unknown, or the colour 0..K.
LineLogicResult ColourLineLogic(const Puzzle& puzzle, std::vector<std::int8_t> cells);
