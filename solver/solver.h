// Solving a black-and-white puzzle: whether its clues have one solution, several or none,
// whether line logic alone reaches it, how hard it is, and which cells a player would have to
// guess.  Also the line logic alone on a partly filled board, for hints during play.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "model/puzzle.h"

enum class Verdict {
    Line,      // one solution, reached by line logic alone
    Unique,    // one solution, but line logic alone stalls before it
    Multiple,  // more than one solution
    None,      // the clues contradict each other
    Timeout,   // the time limit ran out or the solve was cancelled
};

// "line", "unique", "multiple", "none", "timeout".
const char* VerdictWord(Verdict v);

// How the cells that line logic and probing leave open are searched.  Automatic picks by the
// puzzle's size; the other two run one search alone (tests and benchmarks compare them).
enum class SearchMethod {
    Automatic,
    Probing,   // depth-first, with line logic and probing at every node
    Learning,  // clause learning over an automaton of each line's clue
};

struct SolveOptions {
    double timeoutSeconds = 2.0;
    const std::atomic<bool>* cancel = nullptr;  // set to true from another thread to stop
    SearchMethod search = SearchMethod::Automatic;
};

struct SolveResult {
    Verdict verdict = Verdict::Timeout;
    int difficulty = 0;  // 1..5 for Line and Unique, 0 otherwise
    // A solution (row by row, 1 = filled) when one was found; for Line and Unique the solution.
    // For Timeout, the cells decided when the solver stopped (1 = filled; 0 for the empty ones
    // and for those still undecided, which `undecided` tells apart).
    std::vector<std::uint8_t> solution;
    // Multiple: a second solution; when the answer is known and is a solution, one that differs
    // from it.
    std::vector<std::uint8_t> second;
    // Multiple: the cells (y * width + x) where `second` differs from the answer, or from
    // `solution` when the answer is unknown or is not a solution.
    std::vector<int> differing;
    // width * height, 1 where line logic plus probing cannot decide the cell.  Zero for None;
    // for Timeout, what was undecided when the solver stopped.
    std::vector<std::uint8_t> undecided;
    int undecidedCount = 0;
    long long micros = 0;  // solving time
};

SolveResult Solve(const Puzzle& puzzle, const SolveOptions& options = {});

// Line logic on a partly filled board, for hints.
struct LineLogicResult {
    bool contradiction = false;  // some line cannot be completed
    // The board after line logic: -1 unknown, 0 empty, 1 filled (as given on a contradiction).
    std::vector<std::int8_t> cells;
    std::vector<int> settled;  // cells (y * width + x) that were unknown and are now decided
};

// Runs line logic to its end from `cells` (width * height, -1 unknown, 0 empty, 1 filled).
// Clues that do not fit the puzzle's size, or a board of the wrong size, are a contradiction.
LineLogicResult ApplyLineLogic(const Puzzle& puzzle, std::vector<std::int8_t> cells);
