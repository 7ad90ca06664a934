// The board state the solver works on and line-by-line propagation over it.  Every row and
// column keeps two masks, the cells that may still be filled and those that may still be
// empty; a cell is decided when only one is set.  Rows and columns hold the same cells twice
// so that each line is ready for the line solver without gathering.
#pragma once

#include <atomic>
#include <chrono>
#include <cstring>
#include <vector>

#include "model/puzzle.h"
#include "solver/line_solver.h"

// Thrown out of the solver's inner loops when the time limit runs out or cancel is set.
struct SolveStopped {};

template <class W>
struct Grid {
    std::vector<W> masks;  // row fill, row empty (height each), column fill, column empty (width)
    int unknown = 0;       // cells not yet decided
};

template <class W>
class Propagator {
public:
    using Clock = std::chrono::steady_clock;

    Propagator(const Puzzle& puzzle, Clock::time_point deadline, const std::atomic<bool>* cancel)
        : width(puzzle.width), height(puzzle.height), deadline_(deadline), cancel_(cancel) {
        lines_.reserve(width + height);
        runs_.reserve(static_cast<std::size_t>(width) * height / 2 + 1);
        for (const LineClue& clue : puzzle.rows)
            AddClue(clue, width);
        for (const LineClue& clue : puzzle.columns)
            AddClue(clue, height);
        for (int y = 0; y < height; ++y)
            if (lines_[y].telling)
                tellingRows_ |= W(1) << y;
        for (int x = 0; x < width; ++x)
            if (lines_[height + x].telling)
                tellingColumns_ |= W(1) << x;
    }

    const int width, height;
    long long lineSolves = 0;             // line solver runs so far
    int lastSweeps = 0;                   // row-then-column passes the last Propagate needed
    W solvedRows = 0, solvedColumns = 0;  // lines Propagate has solved since the caller cleared

    W AllRows() const { return LowMask<W>(height); }
    W AllColumns() const { return LowMask<W>(width); }
    // The lines that settle something on a blank board; the others need a solve only once
    // a crossing line has decided one of their cells.
    W TellingRows() const { return tellingRows_; }
    W TellingColumns() const { return tellingColumns_; }

    // Every cell unknown.
    Grid<W> Blank() const {
        Grid<W> g;
        g.masks.resize(2 * height + 2 * width);
        for (int y = 0; y < height; ++y)
            g.masks[y] = g.masks[height + y] = LowMask<W>(width);
        for (int x = 0; x < width; ++x)
            g.masks[2 * height + x] = g.masks[2 * height + width + x] = LowMask<W>(height);
        g.unknown = width * height;
        return g;
    }

    static void CopyInto(Grid<W>& to, const Grid<W>& from) {
        std::memcpy(to.masks.data(), from.masks.data(), from.masks.size() * sizeof(W));
        to.unknown = from.unknown;
    }

    W& RowFill(Grid<W>& g, int y) const { return g.masks[y]; }
    W& RowEmpty(Grid<W>& g, int y) const { return g.masks[height + y]; }
    W& ColFill(Grid<W>& g, int x) const { return g.masks[2 * height + x]; }
    W& ColEmpty(Grid<W>& g, int x) const { return g.masks[2 * height + width + x]; }
    W RowFill(const Grid<W>& g, int y) const { return g.masks[y]; }
    W RowEmpty(const Grid<W>& g, int y) const { return g.masks[height + y]; }
    W RowUnknown(const Grid<W>& g, int y) const { return g.masks[y] & g.masks[height + y]; }
    W ColUnknown(const Grid<W>& g, int x) const {
        return g.masks[2 * height + x] & g.masks[2 * height + width + x];
    }

    // -1 unknown, 0 empty, 1 filled.
    int Cell(const Grid<W>& g, int x, int y) const {
        const bool f = (RowFill(g, y) >> x) & 1, e = (RowEmpty(g, y) >> x) & 1;
        return f && e ? -1 : f ? 1 : 0;
    }

    // Row by row, 1 where the cell cannot be empty: the solution once every cell is decided.
    std::vector<std::uint8_t> Filled(const Grid<W>& g) const {
        std::vector<std::uint8_t> cells(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                cells[static_cast<std::size_t>(y) * width + x] = !((RowEmpty(g, y) >> x) & 1);
        return cells;
    }

    // Row by row, 1 where the cell is undecided.
    std::vector<std::uint8_t> Unknown(const Grid<W>& g) const {
        std::vector<std::uint8_t> cells(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                cells[static_cast<std::size_t>(y) * width + x] = (RowUnknown(g, y) >> x) & 1;
        return cells;
    }

    // Decides one cell and marks its row and column for propagation; false when the cell was
    // decided the other way.
    bool Set(Grid<W>& g, int x, int y, bool filled, W& dirtyRows, W& dirtyCols) const {
        W& keepRow = filled ? RowFill(g, y) : RowEmpty(g, y);
        if (!((keepRow >> x) & 1))
            return false;
        W& dropRow = filled ? RowEmpty(g, y) : RowFill(g, y);
        if ((dropRow >> x) & 1) {
            dropRow &= ~(W(1) << x);
            (filled ? ColEmpty(g, x) : ColFill(g, x)) &= ~(W(1) << y);
            --g.unknown;
            dirtyRows |= W(1) << y;
            dirtyCols |= W(1) << x;
        }
        return true;
    }

    // Solves the marked lines, and the lines their changes cross, until nothing changes: rows,
    // then columns, then the rows that changed, and so on.  False on a contradiction.
    bool Propagate(Grid<W>& g, W dirtyRows, W dirtyCols) {
        lastSweeps = 0;
        while (dirtyRows || dirtyCols) {
            ++lastSweeps;
            solvedRows |= dirtyRows;
            for (W todo = dirtyRows; todo; todo &= todo - 1)
                if (!SolveOne<false>(g, LowestBit(todo), dirtyCols))
                    return false;
            dirtyRows = 0;
            solvedColumns |= dirtyCols;
            for (W todo = dirtyCols; todo; todo &= todo - 1)
                if (!SolveOne<true>(g, LowestBit(todo), dirtyRows))
                    return false;
            dirtyCols = 0;
        }
        return true;
    }

    void CheckTime() const {
        if ((cancel_ && cancel_->load(std::memory_order_relaxed)) || Clock::now() >= deadline_)
            throw SolveStopped{};
    }

private:
    struct Line {
        int start = 0;  // where its runs begin in runs_
        int count = 0;  // how many runs
        int level = 0;  // BlockLevel of its runs
        bool telling = false;
    };

    void AddClue(const LineClue& clue, int length) {
        Line line{static_cast<int>(runs_.size()), static_cast<int>(clue.size()),
                  BlockLevel(clue.data(), static_cast<int>(clue.size())), clue.empty()};
        int need = -1;
        for (int run : clue)
            need += run + 1;
        for (int run : clue)
            line.telling |= run > length - need;  // overlaps itself in every placement
        runs_.insert(runs_.end(), clue.begin(), clue.end());
        lines_.push_back(line);
    }

    // Solves row i (or column i) and marks the crossing lines whose cells it decided.
    template <bool kColumn>
    bool SolveOne(Grid<W>& g, int i, W& dirtyCrossing) {
        if ((++lineSolves & 1023) == 0)
            CheckTime();
        const Line& line = lines_[kColumn ? height + i : i];
        W* masks = g.masks.data();
        W& fill = masks[kColumn ? 2 * height + i : i];
        W& empty = masks[kColumn ? 2 * height + width + i : height + i];
        W newFill = fill, newEmpty = empty;
        if (!SolveLine(runs_.data() + line.start, line.count, line.level, kColumn ? height : width,
                       newFill, newEmpty))
            return false;
        const W nowEmpty = fill & ~newFill, nowFilled = empty & ~newEmpty;
        if (!(nowEmpty | nowFilled))
            return true;
        fill = newFill;
        empty = newEmpty;
        dirtyCrossing |= nowEmpty | nowFilled;
        // The crossing lines' fill masks lose the cells now empty, their empty masks the cells
        // now filled.
        W* crossFill = masks + (kColumn ? 0 : 2 * height);
        W* crossEmpty = masks + (kColumn ? height : 2 * height + width);
        const W bit = W(1) << i;
        int decided = 0;
        for (W b = nowEmpty; b; b &= b - 1, ++decided)
            crossFill[LowestBit(b)] &= ~bit;
        for (W b = nowFilled; b; b &= b - 1, ++decided)
            crossEmpty[LowestBit(b)] &= ~bit;
        g.unknown -= decided;
        return true;
    }

    std::vector<int> runs_;    // every line's runs, rows first, then columns
    std::vector<Line> lines_;  // rows, then columns
    W tellingRows_ = 0, tellingColumns_ = 0;
    Clock::time_point deadline_;
    const std::atomic<bool>* cancel_;
};
