// Backtracking search: decide a cell, propagate, go deeper, undo on a contradiction.  Each
// level works on its own copy of the small board state.  The plain search only propagates
// and may be given a budget of branches, so that several searches can take turns; the
// probing search probes every node to its fixpoint, which costs more per node but needs far
// fewer nodes on puzzles where line logic settles little; it runs in turns, each going on
// where the last one stopped.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <vector>

#include "solver/probing.h"
#include "solver/propagator.h"

enum class SearchOutcome { Found, Exhausted, OutOfBudget };

template <class W>
class Searcher {
public:
    explicit Searcher(Propagator<W>& prop) : prop_(prop), prober_(prop) {}

    // Looks for a solution that extends g (left unchanged), deciding at most `budget` cells
    // along the way.  Where `prefer` is not empty, branches first try its value of the cell.
    // The solution found is in `found`.
    SearchOutcome FindAny(const Grid<W>& g, const std::vector<std::uint8_t>& prefer,
                          long long budget) {
        prefer_ = &prefer;
        budget_ = budget;
        Propagator<W>::CopyInto(Level(0), g);
        return Descend(0);
    }

    // Starts the probing search for a solution that extends g and is not `avoid` (any
    // solution when it is null), trying first the other value than avoid's, which must outlive
    // the search.
    void StartProbing(const Grid<W>& g, const std::vector<std::uint8_t>* avoid) {
        avoid_ = avoid;
        frames_.assign(1, Frame{});
        while (probeLevels_.empty())
            probeLevels_.push_back(prop_.Blank());
        Propagator<W>::CopyInto(probeLevels_[0], g);
    }

    // Goes on with the probing search until `until` (checked between nodes); not to be called
    // again once it has found a solution or exhausted the grid.
    SearchOutcome ContinueProbing(std::chrono::steady_clock::time_point until) {
        while (!frames_.empty()) {
            const std::size_t depth = frames_.size() - 1;
            Frame& f = frames_.back();
            if (!f.expanded) {
                if (std::chrono::steady_clock::now() >= until)
                    return SearchOutcome::OutOfBudget;  // this node comes first next time
                const SearchOutcome outcome = Expand(probeLevels_[depth], f);
                if (outcome == SearchOutcome::Found)
                    return outcome;
                if (outcome == SearchOutcome::Exhausted) {
                    frames_.pop_back();
                    continue;
                }
            }
            if (f.tried == 2) {
                frames_.pop_back();
                continue;
            }
            const bool filled = f.tried++ == 0 ? f.first : !f.first;
            if (probeLevels_.size() <= depth + 1)
                probeLevels_.push_back(prop_.Blank());
            Grid<W>& child = probeLevels_[depth + 1];
            Propagator<W>::CopyInto(child, probeLevels_[depth]);
            W dirtyRows = 0, dirtyCols = 0;
            prop_.Set(child, f.x, f.y, filled, dirtyRows, dirtyCols);
            if (prop_.Propagate(child, dirtyRows, dirtyCols))
                frames_.push_back(Frame{});
        }
        return SearchOutcome::Exhausted;
    }

    std::vector<std::uint8_t> found;
    long long plainBranches = 0;  // cells the plain search has decided so far

    // The unknown cell to branch on: the first unknown cell of the line with the fewest
    // unknown cells, as deciding it tends to settle the rest of that line at once.
    void ChooseCell(const Grid<W>& g, int& x, int& y) const {
        int best = 1 << 30;
        for (int row = 0; row < prop_.height; ++row) {
            const W u = prop_.RowUnknown(g, row);
            const int count = PopCount(u);
            if (count > 0 && count < best) {
                best = count;
                x = LowestBit(u);
                y = row;
            }
        }
        for (int col = 0; col < prop_.width; ++col) {
            const W u = prop_.ColUnknown(g, col);
            const int count = PopCount(u);
            if (count > 0 && count < best) {
                best = count;
                x = col;
                y = LowestBit(u);
            }
        }
    }

private:
    Grid<W>& Level(std::size_t depth) {
        while (levels_.size() <= depth)
            levels_.push_back(prop_.Blank());
        return levels_[depth];
    }

    SearchOutcome Descend(std::size_t depth) {
        Grid<W>& g = levels_[depth];
        if (g.unknown == 0) {
            found = prop_.Filled(g);
            return SearchOutcome::Found;
        }
        if (--budget_ < 0)
            return SearchOutcome::OutOfBudget;
        ++plainBranches;
        int x = 0, y = 0;
        ChooseCell(g, x, y);
        const std::size_t at = static_cast<std::size_t>(y) * prop_.width + x;
        const bool first = prefer_->empty() ? true : (*prefer_)[at] != 0;
        Grid<W>& child = Level(depth + 1);
        SearchOutcome outcome = SearchOutcome::Exhausted;
        for (bool filled : {first, !first}) {
            Propagator<W>::CopyInto(child, levels_[depth]);
            W dirtyRows = 0, dirtyCols = 0;
            prop_.Set(child, x, y, filled, dirtyRows, dirtyCols);
            if (!prop_.Propagate(child, dirtyRows, dirtyCols))
                continue;
            const SearchOutcome below = Descend(depth + 1);
            if (below == SearchOutcome::Found)
                return below;
            if (below == SearchOutcome::OutOfBudget)
                outcome = below;
        }
        return outcome;
    }

    // A node of the probing search: the cell it branches on, its value to try first and how
    // many values have been tried.
    struct Frame {
        bool expanded = false;
        int x = 0, y = 0;
        bool first = true;
        int tried = 0;
    };

    // Probes the node's grid; OutOfBudget here means it needs branching, on f's cell.
    SearchOutcome Expand(Grid<W>& g, Frame& f) {
        if (!prober_.Run(g))
            return SearchOutcome::Exhausted;
        for (const auto& s : prober_.solutions) {
            if (!avoid_ || s != *avoid_) {
                found = s;
                return SearchOutcome::Found;
            }
        }
        if (g.unknown == 0) {
            found = prop_.Filled(g);
            return avoid_ && found == *avoid_ ? SearchOutcome::Exhausted : SearchOutcome::Found;
        }
        prober_.BestBranch(g, f.x, f.y);
        const std::size_t at = static_cast<std::size_t>(f.y) * prop_.width + f.x;
        f.first = avoid_ ? !(*avoid_)[at] : true;
        f.expanded = true;
        return SearchOutcome::OutOfBudget;
    }

    Propagator<W>& prop_;
    Prober<W> prober_;                 // for the nodes of the probing search
    std::deque<Grid<W>> levels_;       // the plain search's
    std::deque<Grid<W>> probeLevels_;  // the probing search's, kept between its turns
    std::vector<Frame> frames_;        // the probing search's path from the root
    const std::vector<std::uint8_t>* avoid_ = nullptr;
    const std::vector<std::uint8_t>* prefer_ = nullptr;
    long long budget_ = 0;
};
