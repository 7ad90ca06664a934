#include "oracle.h"

#include <gtest/gtest.h>

#include <algorithm>

bool SettleLine(const LineClue& clue, std::vector<int>& line) {
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

bool PlainLineLogic(const Puzzle& p, std::vector<int>& cells) {
    for (bool changed = true; changed;) {
        changed = false;
        for (int index = 0; index < p.width + p.height; ++index) {
            const bool row = index < p.height;
            const int n = row ? p.width : p.height, i0 = row ? index : index - p.height;
            auto at = [&](int i) -> int& {
                return row ? cells[i0 * p.width + i] : cells[i * p.width + i0];
            };
            std::vector<int> line(n);
            for (int i = 0; i < n; ++i)
                line[i] = at(i);
            if (!SettleLine(row ? p.rows[i0] : p.columns[i0], line))
                return false;
            for (int i = 0; i < n; ++i)
                if (line[i] != at(i))
                    at(i) = line[i], changed = true;
        }
    }
    return true;
}

bool PlainProbing(const Puzzle& p, std::vector<int>& cells) {
    if (!PlainLineLogic(p, cells))
        return false;
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (cells[i] >= 0)
                continue;
            std::vector<int> filled = cells, empty = cells;
            filled[i] = 1;
            empty[i] = 0;
            const bool filledFits = PlainLineLogic(p, filled), emptyFits = PlainLineLogic(p, empty);
            if (!filledFits && !emptyFits)
                return false;
            for (std::size_t j = 0; j < cells.size(); ++j) {
                const int settled = !filledFits             ? empty[j]
                                    : !emptyFits            ? filled[j]
                                    : filled[j] == empty[j] ? filled[j]
                                                            : -1;
                if (cells[j] < 0 && settled >= 0)
                    cells[j] = settled, changed = true;
            }
        }
    }
    return true;
}

namespace {

void CountFrom(const Puzzle& p, std::vector<int> cells, int limit, long& nodesLeft, Count& c) {
    if (c.solutions >= limit || c.gaveUp)
        return;
    if (--nodesLeft < 0) {
        c.gaveUp = true;
        return;
    }
    if (!PlainProbing(p, cells))
        return;
    const auto open = std::find(cells.begin(), cells.end(), -1);
    if (open == cells.end()) {
        ++c.solutions;
        return;
    }
    for (int value : {0, 1}) {
        *open = value;
        CountFrom(p, cells, limit, nodesLeft, c);
    }
}

}  // namespace

Count CountSolutions(const Puzzle& p, std::vector<int> cells, int limit, long nodeLimit) {
    Count c;
    CountFrom(p, std::move(cells), limit, nodeLimit, c);
    return c;
}

void ExpectProof(const Puzzle& p, const SolveResult& r) {
    ASSERT_TRUE(GridMatchesClues(p, r.solution));
    if (p.HasAnswer()) {
        ASSERT_EQ(r.solution, p.answer);
    }
    if (r.verdict != Verdict::Multiple)
        return;
    ASSERT_TRUE(GridMatchesClues(p, r.second));
    std::vector<int> differing;
    for (std::size_t i = 0; i < r.solution.size(); ++i) {
        if (r.second[i] != r.solution[i])
            differing.push_back(static_cast<int>(i));
    }
    ASSERT_FALSE(differing.empty());
    ASSERT_EQ(r.differing, differing);
    for (const int i : differing)
        ASSERT_EQ(r.undecided[i], 1) << "cell " << i;
}
