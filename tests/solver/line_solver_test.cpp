// The bit-mask line solver against plain answers: every placement of the clue enumerated for
// short lines, and a boolean table over (cell, run) for lines up to 99 cells in either word.
#include "solver/line_solver.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "model/puzzle.h"

namespace {

// What the line solver should answer, from a list of the complete lines the clue allows.
struct Expected {
    bool feasible = false;
    std::vector<bool> mayFill, mayEmpty;
};

// state: -1 unknown, 0 empty, 1 filled.
Expected FromCandidates(const std::vector<std::vector<int>>& lines, const std::vector<int>& state) {
    const int n = static_cast<int>(state.size());
    Expected e{false, std::vector<bool>(n), std::vector<bool>(n)};
    for (const auto& line : lines) {
        bool fits = true;
        for (int i = 0; i < n && fits; ++i)
            fits = state[i] < 0 || state[i] == line[i];
        if (!fits)
            continue;
        e.feasible = true;
        for (int i = 0; i < n; ++i)
            (line[i] ? e.mayFill : e.mayEmpty)[i] = true;
    }
    return e;
}

// The textbook tables: pre[j][i] says runs 0..j-1 fill cells 0..i-1 exactly, suf[j][i] says
// runs j.. fill cells i..n-1 exactly; a run's cells may not be empty and the cells around it
// may not be filled.
Expected ByTable(const LineClue& runs, const std::vector<int>& state) {
    const int n = static_cast<int>(state.size()), k = static_cast<int>(runs.size());
    auto solid = [&](int s, int c) {
        for (int i = s; i < s + c; ++i)
            if (state[i] == 0)
                return false;
        return true;
    };
    std::vector<std::vector<char>> pre(k + 1, std::vector<char>(n + 1)),
        suf(k + 1, std::vector<char>(n + 2));
    // Run j in cells s..s+c-1 with what comes before and after it.
    auto left = [&](int j, int s) { return s == 0 ? j == 0 : state[s - 1] != 1 && pre[j][s - 1]; };
    auto right = [&](int j, int s) {
        const int e = s + runs[j];
        return e == n ? j == k - 1 : state[e] != 1 && suf[j + 1][e + 1];
    };
    for (int j = 0; j <= k; ++j)
        for (int i = 0; i <= n; ++i) {
            pre[j][i] = j == 0 && i == 0;
            if (i > 0 && state[i - 1] != 1 && pre[j][i - 1])
                pre[j][i] = true;
            if (j > 0 && i >= runs[j - 1] && solid(i - runs[j - 1], runs[j - 1]) &&
                left(j - 1, i - runs[j - 1]))
                pre[j][i] = true;
        }
    for (int j = k; j >= 0; --j)
        for (int i = n; i >= 0; --i) {
            suf[j][i] = j == k && i == n;
            if (i < n && state[i] != 1 && suf[j][i + 1])
                suf[j][i] = true;
            if (j < k && i + runs[j] <= n && solid(i, runs[j]) && right(j, i))
                suf[j][i] = true;
        }
    Expected e{suf[0][0] != 0, std::vector<bool>(n), std::vector<bool>(n)};
    if (!e.feasible)
        return e;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= k; ++j)
            if (state[i] != 1 && pre[j][i] && suf[j][i + 1])
                e.mayEmpty[i] = true;
    for (int j = 0; j < k; ++j)
        for (int s = 0; s + runs[j] <= n; ++s)
            if (solid(s, runs[j]) && left(j, s) && right(j, s))
                for (int i = s; i < s + runs[j]; ++i)
                    e.mayFill[i] = true;
    return e;
}

template <class W>
void ExpectSame(const LineClue& runs, const std::vector<int>& state, const Expected& e) {
    const int n = static_cast<int>(state.size());
    W fill = 0, empty = 0;
    for (int i = 0; i < n; ++i) {
        if (state[i] != 0)
            fill |= W(1) << i;
        if (state[i] != 1)
            empty |= W(1) << i;
    }
    const bool ok = SolveLine<W>(runs.data(), static_cast<int>(runs.size()), n, fill, empty);
    ASSERT_EQ(ok, e.feasible);
    if (!ok)
        return;
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(((fill >> i) & 1) != 0, e.mayFill[i]) << "cell " << i;
        ASSERT_EQ(((empty >> i) & 1) != 0, e.mayEmpty[i]) << "cell " << i;
    }
}

std::string Describe(const LineClue& runs, const std::vector<int>& state) {
    std::string s = "runs";
    for (int r : runs)
        s += " " + std::to_string(r);
    s += " state ";
    for (int v : state)
        s += v < 0 ? '?' : char('0' + v);
    return s;
}

// Every clue of every line up to 8 cells against every partial state of the line: the line
// solver and the table both agree with the enumerated placements.
TEST(LineSolver, AgreesWithEveryPlacementOnShortLines) {
    for (int n = 1; n <= 8; ++n) {
        std::map<LineClue, std::vector<std::vector<int>>> byClue;
        for (int bits = 0; bits < (1 << n); ++bits) {
            std::vector<std::uint8_t> cells(n);
            std::vector<int> line(n);
            for (int i = 0; i < n; ++i)
                line[i] = cells[i] = (bits >> i) & 1;
            byClue[RunsOf(cells.data(), n)].push_back(line);
        }
        int states = 1;
        for (int i = 0; i < n; ++i)
            states *= 3;
        for (const auto& [runs, lines] : byClue) {
            for (int code = 0; code < states; ++code) {
                std::vector<int> state(n);
                for (int i = 0, c = code; i < n; ++i, c /= 3)
                    state[i] = c % 3 - 1;
                SCOPED_TRACE(Describe(runs, state));
                const Expected e = FromCandidates(lines, state);
                ExpectSame<std::uint64_t>(runs, state, e);
                ExpectSame<unsigned __int128>(runs, state, e);
                const Expected t = ByTable(runs, state);
                ASSERT_EQ(t.feasible, e.feasible);
                if (e.feasible) {
                    ASSERT_EQ(t.mayFill, e.mayFill);
                    ASSERT_EQ(t.mayEmpty, e.mayEmpty);
                }
                if (HasFailure())
                    return;
            }
        }
    }
}

// Long lines, up to the largest side and across the 63-cell limit of the narrow word: clues
// read off random lines, with some cells given from that line (feasible) or flipped.
TEST(LineSolver, AgreesWithTheTableOnLongLines) {
    std::mt19937 rng(12345);
    for (int trial = 0; trial < 10000; ++trial) {
        const int n = 1 + static_cast<int>(rng() % kMaxPuzzleSide);
        const int density = 20 + static_cast<int>(rng() % 60);
        std::vector<std::uint8_t> cells(n);
        for (auto& c : cells)
            c = static_cast<int>(rng() % 100) < density;
        const LineClue runs = RunsOf(cells.data(), n);
        std::vector<int> state(n, -1);
        const int given = static_cast<int>(rng() % 100);
        for (int i = 0; i < n; ++i)
            if (static_cast<int>(rng() % 100) < given)
                state[i] = cells[i];
        if (int& v = state[rng() % n]; trial % 3 == 0 && v >= 0)  // often infeasible
            v = 1 - v;
        SCOPED_TRACE(Describe(runs, state));
        const Expected t = ByTable(runs, state);
        if (n < 64)
            ExpectSame<std::uint64_t>(runs, state, t);
        ExpectSame<unsigned __int128>(runs, state, t);
        if (HasFailure())
            return;
    }
}

}  // namespace
