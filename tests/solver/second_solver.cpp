#include "second_solver.h"

#include <algorithm>

bool SettleLineByPositions(const LineClue& clue, std::vector<int>& line) {
    const int n = static_cast<int>(line.size()), k = static_cast<int>(clue.size());
    // Cell n is a virtual empty cell, so that every run is followed by an empty cell.
    auto canEmpty = [&](int i) { return i >= n || line[i] != 1; };
    std::vector<int> blocked(n + 1);  // cells before i that cannot be filled
    for (int i = 0; i < n; ++i)
        blocked[i + 1] = blocked[i] + (line[i] == 0);
    auto runFits = [&](int i, int j) {  // run j on cells i .. i + clue[j] - 1
        const int end = i + clue[j];
        return end <= n && blocked[end] == blocked[i] && canEmpty(end);
    };
    // reach[i][j]: the cells before i can hold the first j runs, each with an empty cell after
    // it; done[i][j]: from there the rest of the line can hold the other runs.
    const int w = k + 1;
    std::vector<char> reach((n + 2) * w), done((n + 2) * w);
    reach[0] = 1;
    for (int i = 0; i <= n; ++i) {
        for (int j = 0; j <= k; ++j) {
            if (!reach[i * w + j])
                continue;
            if (canEmpty(i))
                reach[(i + 1) * w + j] = 1;
            if (j < k && runFits(i, j))
                reach[(i + clue[j] + 1) * w + j + 1] = 1;
        }
    }
    if (!reach[(n + 1) * w + k])
        return false;
    done[(n + 1) * w + k] = 1;
    for (int i = n; i >= 0; --i)
        for (int j = k; j >= 0; --j)
            done[i * w + j] = (canEmpty(i) && done[(i + 1) * w + j]) ||
                              (j < k && runFits(i, j) && done[(i + clue[j] + 1) * w + j + 1]);
    std::vector<int> mayEmpty(n + 1), fillFrom(n + 2);  // fillFrom: starts minus ends of runs
    for (int i = 0; i <= n; ++i) {
        for (int j = 0; j <= k; ++j) {
            if (!reach[i * w + j])
                continue;
            if (canEmpty(i) && done[(i + 1) * w + j])
                mayEmpty[i] = 1;
            if (j < k && runFits(i, j) && done[(i + clue[j] + 1) * w + j + 1]) {
                ++fillFrom[i];
                --fillFrom[i + clue[j]];
                mayEmpty[i + clue[j]] = 1;
            }
        }
    }
    int covering = 0;
    for (int i = 0; i < n; ++i) {
        covering += fillFrom[i];
        const bool mayFill = covering > 0;
        if (mayFill != static_cast<bool>(mayEmpty[i]))
            line[i] = mayFill ? 1 : 0;
    }
    return true;
}

namespace {

struct Search {
    const Puzzle& p;
    int limit;
    long nodesLeft;
    SecondSolverResult result;

    // Sweeps every row and column until nothing changes; false on a contradiction.
    bool Settle(std::vector<int>& cells) const {
        for (bool changed = true; changed;) {
            changed = false;
            for (int y = 0; y < p.height; ++y) {
                std::vector<int> line(cells.begin() + y * p.width,
                                      cells.begin() + (y + 1) * p.width);
                if (!SettleLineByPositions(p.rows[y], line))
                    return false;
                for (int x = 0; x < p.width; ++x)
                    if (line[x] != cells[y * p.width + x])
                        cells[y * p.width + x] = line[x], changed = true;
            }
            for (int x = 0; x < p.width; ++x) {
                std::vector<int> line(p.height);
                for (int y = 0; y < p.height; ++y)
                    line[y] = cells[y * p.width + x];
                if (!SettleLineByPositions(p.columns[x], line))
                    return false;
                for (int y = 0; y < p.height; ++y)
                    if (line[y] != cells[y * p.width + x])
                        cells[y * p.width + x] = line[y], changed = true;
            }
        }
        return true;
    }

    // Settles, then tries each open cell both ways: a way that contradicts settles the cell
    // the other way; until a round settles nothing.  False on a contradiction.
    bool SettleAndTry(std::vector<int>& cells) const {
        if (!Settle(cells))
            return false;
        for (bool changed = true; changed;) {
            changed = false;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                if (cells[i] >= 0)
                    continue;
                std::vector<int> filled = cells, empty = cells;
                filled[i] = 1;
                empty[i] = 0;
                const bool filledFits = Settle(filled), emptyFits = Settle(empty);
                if (!filledFits && !emptyFits)
                    return false;
                if (!filledFits || !emptyFits) {
                    cells = filledFits ? filled : empty;
                    changed = true;
                }
            }
        }
        return true;
    }

    // The first open cell of the row with the fewest open cells.
    int Branch(const std::vector<int>& cells) const {
        int best = -1, fewest = p.width + 1;
        for (int y = 0; y < p.height; ++y) {
            int open = 0, first = -1;
            for (int x = 0; x < p.width; ++x)
                if (cells[y * p.width + x] < 0 && open++ == 0)
                    first = y * p.width + x;
            if (open > 0 && open < fewest)
                fewest = open, best = first;
        }
        return best;
    }

    void Count(std::vector<int> cells) {
        if (result.count >= limit || result.gaveUp)
            return;
        if (--nodesLeft < 0) {
            result.gaveUp = true;
            return;
        }
        if (!SettleAndTry(cells))
            return;
        const int at = Branch(cells);
        if (at < 0) {
            ++result.count;
            result.solutions.emplace_back(cells.begin(), cells.end());
            return;
        }
        for (int value : {0, 1}) {
            cells[at] = value;
            Count(cells);
        }
    }
};

}  // namespace

SecondSolverResult CountWithSecondSolver(const Puzzle& p, int limit, long nodeLimit) {
    Search search{p, limit, nodeLimit, {}};
    std::vector<int> blank(static_cast<std::size_t>(p.CellCount()), -1);
    search.result.lineLogicAlone =
        search.Settle(blank) && std::count(blank.begin(), blank.end(), -1) == 0;
    search.Count(std::vector<int>(static_cast<std::size_t>(p.CellCount()), -1));
    return search.result;
}
