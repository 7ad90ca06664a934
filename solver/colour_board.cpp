#include "solver/colour_board.h"

#include <algorithm>

#include "solver/propagator.h"

ColourBoard::ColourBoard(const Puzzle& puzzle, Clock::time_point deadline,
                         const std::atomic<bool>* cancel)
    : puzzle_(puzzle),
      width_(puzzle.width),
      height_(puzzle.height),
      deadline_(deadline),
      cancel_(cancel),
      cells_(static_cast<std::size_t>(puzzle.CellCount()),
             static_cast<ColourSet>((1u << (puzzle.ColourCount() + 1)) - 1)),
      dirty_(static_cast<std::size_t>(width_ + height_), 1),
      unknown_(puzzle.CellCount()) {}

void ColourBoard::Set(int i, ColourSet colours) {
    const ColourSet before = cells_[i];
    if (colours == before)
        return;
    trail_.emplace_back(i, before);
    cells_[i] = colours;
    if (ColourSetSize(before) > 1 && ColourSetSize(colours) <= 1)
        --unknown_;
    dirty_[i / width_] = 1;
    dirty_[height_ + i % width_] = 1;
}

void ColourBoard::Undo(std::size_t mark) {
    while (trail_.size() > mark) {
        const auto [i, before] = trail_.back();
        trail_.pop_back();
        if (ColourSetSize(before) > 1 && ColourSetSize(cells_[i]) <= 1)
            ++unknown_;
        cells_[i] = before;
    }
    std::fill(dirty_.begin(), dirty_.end(), 0);
}

void ColourBoard::CheckTime() {
    if ((++solves_ & 63) == 0 && (Clock::now() > deadline_ || (cancel_ && cancel_->load())))
        throw SolveStopped{};
}

bool ColourBoard::SolveLine(int line) {
    CheckTime();
    const bool row = line < height_;
    const int n = row ? width_ : height_;
    const int first = row ? line * width_ : line - height_;
    const int stride = row ? 1 : width_;
    buffer_.resize(n);
    for (int k = 0; k < n; ++k)
        buffer_[k] = cells_[first + k * stride];
    const bool fits =
        row ? lineSolver_.Solve(puzzle_.rows[line], puzzle_.rowColours[line], buffer_.data(), n, 1)
            : lineSolver_.Solve(puzzle_.columns[line - height_],
                                puzzle_.columnColours[line - height_], buffer_.data(), n, 1);
    if (!fits)
        return false;
    for (int k = 0; k < n; ++k)
        Set(first + k * stride, buffer_[k]);
    dirty_[line] = 0;  // its own changes need no second look
    return true;
}

bool ColourBoard::Propagate() {
    sweeps_ = 0;
    for (bool worked = true; worked;) {
        worked = false;
        for (int line = 0; line < height_ + width_; ++line) {  // the rows, then the columns
            if (!dirty_[line])
                continue;
            worked = true;
            dirty_[line] = 0;
            if (!SolveLine(line)) {
                std::fill(dirty_.begin(), dirty_.end(), 0);
                return false;
            }
        }
        if (worked)
            ++sweeps_;
    }
    return true;
}

std::vector<std::uint8_t> ColourBoard::Colours() const {
    std::vector<std::uint8_t> colours(cells_.size(), 0);
    for (std::size_t i = 0; i < cells_.size(); ++i)
        if (ColourSetSize(cells_[i]) == 1)
            colours[i] = static_cast<std::uint8_t>(OnlyColour(cells_[i]));
    return colours;
}

std::vector<std::uint8_t> ColourBoard::Open() const {
    std::vector<std::uint8_t> open(cells_.size(), 0);
    for (std::size_t i = 0; i < cells_.size(); ++i)
        open[i] = ColourSetSize(cells_[i]) > 1 ? 1 : 0;
    return open;
}
