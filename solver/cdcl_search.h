// The search stage for puzzles that line logic and probing leave open: the clues become clauses
// for a conflict-driven clause-learning SAT solver, which remembers why each branch failed,
// jumps back to the decision that caused it, restarts and forgets old clauses to bound its
// memory.  Each run of a line has a variable for each cell it may start at ("starts there or
// later"), over the starts that some completion of the line allows; the clauses keep the runs
// in order with gaps between them and tie each cell to the runs that may cover it.  The cells
// already decided are facts.
#pragma once

#include <atomic>
#include <chrono>
#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/puzzle.h"

namespace CaDiCaL {
class Solver;
}

// TooLarge: the formula would have had more variables than the budget allowed; it was not
// built, and the search never runs.
enum class CdclOutcome { Found, Exhausted, OutOfBudget, Stopped, TooLarge };

class CdclSearch {
public:
    using Clock = std::chrono::steady_clock;

    // `cells` (width * height, row by row) holds -1 for an open cell, 0 or 1 for a decided one.
    // The clues must fit the puzzle's size.  A formula of more than `variableBudget`
    // variables is not built.
    CdclSearch(const Puzzle& puzzle, const std::vector<std::int8_t>& cells,
               Clock::time_point deadline, const std::atomic<bool>* cancel,
               int variableBudget = INT_MAX);
    ~CdclSearch();
    CdclSearch(const CdclSearch&) = delete;
    CdclSearch& operator=(const CdclSearch&) = delete;

    // Looks for a solution that extends the decided cells, within `conflicts` conflicts (no
    // limit when negative); it is then in `found`.  A search that runs out of its conflicts
    // goes on where it stopped at the next call, with what it learned.  Counting conflicts
    // rather than time makes the search take the same path however busy the machine is.
    CdclOutcome Find(int conflicts = -1);
    // The cells decided, and those the search has found to take one value in every solution
    // it can still find: -1 for an open cell.
    std::vector<std::int8_t> Facts() const;
    // Cells that take one value in every solution the search can still find (-1: open).
    void AddFacts(const std::vector<std::int8_t>& facts);
    // From now on, only solutions that differ from `avoid` on some open cell.
    void Exclude(const std::vector<std::uint8_t>& avoid);

    std::vector<std::uint8_t> found;

    // Variables and clauses of the formula, for measuring.
    int variables = 0;
    long long clauses = 0;

private:
    class Stopper;

    void AddLine(const int* runs, int k, int n, int first, int step,
                 const std::vector<std::int8_t>& cells);
    void AddClause(std::initializer_list<int> literals);
    void AddClause(const int* literals, std::size_t count);

    int cellCount_;
    bool contradiction_ = false;  // an empty clause came up: no solution
    bool stopped_ = false;        // stopped while the clauses were being built
    bool tooLarge_ = false;       // over the variable budget: nothing built
    std::vector<std::int8_t> cells_;
    std::unique_ptr<Stopper> stopper_;
    std::unique_ptr<CaDiCaL::Solver> sat_;
};
