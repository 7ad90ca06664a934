// The board a colour puzzle is solved on: each cell's set of possible colours, a trail of the
// changes so that a probe or a branch of the search can be taken back, and line-by-line
// propagation in passes (every changed row, then every changed column).
#pragma once

#include <atomic>
#include <chrono>
#include <utility>
#include <vector>

#include "model/puzzle.h"
#include "solver/colour_line.h"

class ColourBoard {
public:
    using Clock = std::chrono::steady_clock;

    // Every cell may take the background or any colour.  Past `deadline`, or once `cancel` is
    // set, Propagate throws SolveStopped.
    ColourBoard(const Puzzle& puzzle, Clock::time_point deadline, const std::atomic<bool>* cancel);

    int Width() const { return width_; }
    int Height() const { return height_; }
    ColourSet At(int i) const { return cells_[i]; }
    int Unknown() const { return unknown_; }
    // The passes the last Propagate took.
    int Sweeps() const { return sweeps_; }

    // Narrows cell i to `colours` (a subset of its set), marking its row and column for the
    // next Propagate.
    void Set(int i, ColourSet colours);
    // Line logic until nothing changes; false on a contradiction.  The lines to look at are
    // those Set marked, or every line after the board was made.
    bool Propagate();

    // The trail's length, and the board as it was at such a length.
    std::size_t Mark() const { return trail_.size(); }
    void Undo(std::size_t mark);

    // The colour of each cell, 0 where more than one is left; and 1 for each such cell.
    std::vector<std::uint8_t> Colours() const;
    std::vector<std::uint8_t> Open() const;

private:
    bool SolveLine(int line);
    void CheckTime();

    const Puzzle& puzzle_;
    const int width_, height_;
    const Clock::time_point deadline_;
    const std::atomic<bool>* cancel_;
    std::vector<ColourSet> cells_;
    std::vector<std::pair<int, ColourSet>> trail_;  // cell, and its set before the change
    std::vector<std::uint8_t> dirty_;               // rows, then columns
    int unknown_ = 0;
    int sweeps_ = 0;
    long long solves_ = 0;
    std::vector<ColourSet> buffer_;
    ColourLineSolver lineSolver_;
};
