// Grids of the kinds solvers are compared on, each made from a seed so that a set can be made
// again cell for cell: random fills of any density, lines of many short runs, grids with many
// solutions, self-similar figures, and random grids that line logic and probing cannot finish.
// Only the 32-bit Mersenne Twister's raw output is used, which the C++ standard fixes, so a
// seed gives the same grid with every compiler and library.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/puzzle.h"

namespace puzzlegen {

using Grid = std::vector<std::uint8_t>;  // width * height, row by row, 1 = filled

// Every cell filled with probability percent / 100.
Grid RandomFill(int width, int height, int percent, std::mt19937& rng);

// About half the cells filled, but no run in any row or column longer than maxRun, so every
// line holds many short runs and line logic has little overlap to work with.
Grid ShortRuns(int width, int height, int maxRun, std::mt19937& rng);

// A sparse random grid with `count` pairs of diagonal cells that could as well be the other
// diagonal (a 2 x 2 square with nothing else in its rows and columns between them): at least
// 2^count solutions whatever else holds.
Grid Switches(int width, int height, int count, std::mt19937& rng);

// One filled cell in every row and every column: every clue is 1, and each of the n! ways to
// place them is a solution.
Grid Permutation(int n, std::mt19937& rng);

// Pascal's triangle modulo two in an n x n square, the self-similar figure whose lines hold
// runs of every length at once.
Grid Sierpinski(int n);

// A grid whose puzzle has one solution that line logic and probing alone do not reach: random
// grids of the given density, with cells flipped where other solutions differ until one is
// found (`tries` solves at most; an empty grid when none was found).
Grid NeedsSearch(int width, int height, int percent, int tries, std::mt19937& rng);

}  // namespace puzzlegen
