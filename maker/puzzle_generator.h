// New puzzles without a picture: picture-like fields (smooth blobs, not noise) turned into
// puzzles with exactly one solution at the difficulty asked for.  A field whose clues have
// several solutions has a cell flipped where a second solution differs from it, until one
// solution is left; fields that end easier or harder than asked are drawn again.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "model/puzzle.h"
#include "solver/solver.h"

struct GenerateRequest {
    int width = 20;
    int height = 20;
    int difficulty = 3;  // 1..5, as the solver rates puzzles
    // The time the search may take; nothing is returned when it runs out.
    double seconds = 20.0;
    const std::atomic<bool>* cancel = nullptr;
};

// A field of width x height cells (row by row, 1 = filled) with between 40 and 65 percent of
// the cells filled, in blobs about `grain` cells across.
std::vector<std::uint8_t> PictureLikeField(int width, int height, int grain, std::mt19937& rng);

// A puzzle with one solution, rated `difficulty`, its answer that solution; untitled; its
// verdict in `verdict` when given.  None when the time ran out or the search was cancelled
// first.
std::optional<Puzzle> GeneratePuzzle(const GenerateRequest& request, std::mt19937& rng,
                                     SolveResult* verdict = nullptr);
