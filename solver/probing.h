// Probing: each undecided cell is tried both ways with propagation.  A way that contradicts
// settles the cell the other way; cells both ways agree on are settled.  Repeated until a whole
// round settles nothing, which leaves the cells a player would have to guess.
#pragma once

#include <algorithm>
#include <vector>

#include "solver/propagator.h"

template <class W>
class Prober {
public:
    explicit Prober(Propagator<W>& prop)
        : prop_(prop),
          a_(prop.Blank()),
          b_(prop.Blank()),
          probes_(static_cast<std::size_t>(prop.width) * prop.height),
          unknownBefore_(prop.height) {}

    // Complete grids met along the way (each a solution), at most two distinct ones.
    std::vector<std::vector<std::uint8_t>> solutions;

    // Probes g to its fixpoint; false when the clues contradict.
    bool Run(Grid<W>& g) {
        solutions.clear();
        batches_.clear();
        std::fill(probes_.begin(), probes_.end(), Probe{});
        for (int y = 0; y < prop_.height; ++y)
            unknownBefore_[y] = prop_.RowUnknown(g, y);
        bool changed = true;
        while (changed && g.unknown > 0) {
            changed = false;
            for (int y = 0; y < prop_.height; ++y) {
                for (W todo = prop_.RowUnknown(g, y); todo; todo &= todo - 1) {
                    const int x = LowestBit(todo);
                    if (!((prop_.RowUnknown(g, y) >> x) & 1) || Unaffected(x, y))
                        continue;
                    const int outcome = ProbeCell(g, x, y);
                    if (outcome < 0)
                        return false;
                    changed |= outcome > 0;
                }
            }
        }
        return true;
    }

    // After Run, the undecided cell of g whose two ways both decided the most cells (the
    // smaller of the two counts first, then their sum): a good cell to branch on, since both
    // branches start well ahead.
    void BestBranch(const Grid<W>& g, int& x, int& y) const {
        long best = -1;
        for (int row = 0; row < prop_.height; ++row) {
            for (W todo = prop_.RowUnknown(g, row); todo; todo &= todo - 1) {
                const int col = LowestBit(todo);
                const Probe& p = probes_[static_cast<std::size_t>(row) * prop_.width + col];
                const long score =
                    std::min(p.filledWay, p.emptyWay) * 65536L + p.filledWay + p.emptyWay;
                if (score > best) {
                    best = score;
                    x = col;
                    y = row;
                }
            }
        }
    }

private:
    // What the last probe of a cell depended on: the lines its propagation solved, and how
    // many batches of settled cells the grid had then; and how many cells each way decided.
    struct Probe {
        bool done = false;
        W rows = 0, columns = 0;
        std::size_t batches = 0;
        int filledWay = 0, emptyWay = 0;
    };

    // The rows and columns of the cells one update of the grid settled.
    struct Batch {
        W rows = 0, columns = 0;
    };

    // A probe's outcome depends only on the lines it solved: when no cell settled since then
    // lies on one of them, probing again would give the same, nothing new.
    bool Unaffected(int x, int y) const {
        const Probe& p = probes_[static_cast<std::size_t>(y) * prop_.width + x];
        if (!p.done)
            return false;
        for (std::size_t i = p.batches; i < batches_.size(); ++i)
            if ((batches_[i].rows & p.rows) || (batches_[i].columns & p.columns))
                return false;
        return true;
    }

    // Tries cell (x, y) filled in a_ and empty in b_.  Returns -1 on a contradiction either
    // way, 1 when g learned something, 0 otherwise.
    int ProbeCell(Grid<W>& g, int x, int y) {
        Probe& probe = probes_[static_cast<std::size_t>(y) * prop_.width + x];
        prop_.solvedRows = prop_.solvedColumns = 0;
        int outcome = 0;
        if (!Try(g, a_, x, y, true)) {
            W dirtyRows = 0, dirtyCols = 0;
            prop_.Set(g, x, y, false, dirtyRows, dirtyCols);
            outcome = prop_.Propagate(g, dirtyRows, dirtyCols) ? 1 : -1;
        } else if (!Try(g, b_, x, y, false)) {
            std::swap(g, a_);  // a_ is g with the cell filled, already propagated
            outcome = 1;
        } else {
            probe.rows = prop_.solvedRows;
            probe.columns = prop_.solvedColumns;
            probe.filledWay = g.unknown - a_.unknown;
            probe.emptyWay = g.unknown - b_.unknown;
            outcome = SettleAgreed(g);
        }
        if (outcome > 0)
            LogSettled(g);
        probe.done = true;
        probe.batches = batches_.size();
        return outcome;
    }

    // Settles in g the cells a_ and b_ decided alike; 1 if there were any, -1 on a
    // contradiction, 0 otherwise.  Cells the probes decided lie on rows they solved.
    int SettleAgreed(Grid<W>& g) {
        W dirtyRows = 0, dirtyCols = 0;
        for (W rows = prop_.solvedRows; rows; rows &= rows - 1) {
            const int row = LowestBit(rows);
            const W unknown = prop_.RowUnknown(g, row);
            const W fillA = prop_.RowFill(a_, row), emptyA = prop_.RowEmpty(a_, row);
            const W fillB = prop_.RowFill(b_, row), emptyB = prop_.RowEmpty(b_, row);
            for (W f = unknown & ~emptyA & ~emptyB; f; f &= f - 1)
                prop_.Set(g, LowestBit(f), row, true, dirtyRows, dirtyCols);
            for (W e = unknown & ~fillA & ~fillB; e; e &= e - 1)
                prop_.Set(g, LowestBit(e), row, false, dirtyRows, dirtyCols);
        }
        if (!(dirtyRows | dirtyCols))
            return 0;
        return prop_.Propagate(g, dirtyRows, dirtyCols) ? 1 : -1;
    }

    // Records where the cells g settled since the last batch lie.
    void LogSettled(const Grid<W>& g) {
        Batch batch;
        for (int y = 0; y < prop_.height; ++y) {
            const W settled = unknownBefore_[y] & ~prop_.RowUnknown(g, y);
            if (settled) {
                batch.rows |= W(1) << y;
                batch.columns |= settled;
                unknownBefore_[y] = prop_.RowUnknown(g, y);
            }
        }
        batches_.push_back(batch);
    }

    // Copies g into t, decides the cell and propagates; false on a contradiction.
    bool Try(const Grid<W>& g, Grid<W>& t, int x, int y, bool filled) {
        Propagator<W>::CopyInto(t, g);
        W dirtyRows = 0, dirtyCols = 0;
        prop_.Set(t, x, y, filled, dirtyRows, dirtyCols);
        if (!prop_.Propagate(t, dirtyRows, dirtyCols))
            return false;
        if (t.unknown == 0)
            Record(t);
        return true;
    }

    void Record(const Grid<W>& t) {
        if (solutions.size() >= 2)
            return;
        std::vector<std::uint8_t> cells = prop_.Filled(t);
        for (const auto& s : solutions)
            if (s == cells)
                return;
        solutions.push_back(std::move(cells));
    }

    Propagator<W>& prop_;
    Grid<W> a_, b_;              // the two ways of the cell being probed
    std::vector<Probe> probes_;  // by cell, row by row
    std::vector<Batch> batches_;
    std::vector<W> unknownBefore_;  // by row, the undecided cells as of the last batch
};
