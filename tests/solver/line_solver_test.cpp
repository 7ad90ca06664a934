// The bit-mask line solver against every placement of the clue: exhaustively on short lines,
// and on long lines (in both words, up to 99 cells) built from short pieces that are each
// enumerated alone, kept apart by known runs longer than any piece can hold.
#include "solver/line_solver.h"

#include <gtest/gtest.h>

#include <random>

#include "plain_logic.h"

namespace {

// What the line solver should answer: feasible, and which cells some fitting placement fills
// and which it leaves empty.  state: -1 unknown, 0 empty, 1 filled.
struct Expected {
    bool feasible = false;
    std::vector<bool> mayFill, mayEmpty;
};

Expected Enumerate(const LineClue& clue, const std::vector<int>& state) {
    const int n = static_cast<int>(state.size());
    Expected e{false, std::vector<bool>(n), std::vector<bool>(n)};
    for (const Cells& line : Placements(clue, n)) {
        bool fits = true;
        for (int i = 0; i < n && fits; ++i)
            fits = state[i] < 0 || state[i] == line[i];
        e.feasible |= fits;
        for (int i = 0; i < n && fits; ++i)
            (line[i] ? e.mayFill : e.mayEmpty)[i] = true;
    }
    return e;
}

template <class W>
void ExpectSame(const LineClue& runs, const std::vector<int>& state, const Expected& e) {
    const int n = static_cast<int>(state.size());
    W fill = 0, empty = 0;
    for (int i = 0; i < n; ++i) {
        fill |= W(state[i] != 0) << i;
        empty |= W(state[i] != 1) << i;
    }
    ASSERT_EQ(SolveLine<W>(runs.data(), static_cast<int>(runs.size()), n, fill, empty), e.feasible);
    for (int i = 0; i < n && e.feasible; ++i) {
        ASSERT_EQ(((fill >> i) & 1) != 0, e.mayFill[i]) << "cell " << i;
        ASSERT_EQ(((empty >> i) & 1) != 0, e.mayEmpty[i]) << "cell " << i;
    }
}

std::string Describe(const LineClue& runs, const std::vector<int>& state) {
    return ::testing::PrintToString(runs) + " on " + ::testing::PrintToString(state);
}

TEST(LineSolver, AgreesWithEveryPlacementOnShortLines) {
    for (int n = 1; n <= 8; ++n) {
        std::vector<LineClue> clues;
        for (int bits = 0; bits < (1 << n); ++bits) {
            Cells line(n);
            for (int i = 0; i < n; ++i)
                line[i] = (bits >> i) & 1;
            if (std::find(clues.begin(), clues.end(), RunsOf(line.data(), n)) == clues.end())
                clues.push_back(RunsOf(line.data(), n));
        }
        int states = 1;
        for (int i = 0; i < n; ++i)
            states *= 3;
        for (const LineClue& runs : clues) {
            for (int code = 0; code < states; ++code) {
                std::vector<int> state(n);
                for (int i = 0, c = code; i < n; ++i, c /= 3)
                    state[i] = c % 3 - 1;
                SCOPED_TRACE(Describe(runs, state));
                const Expected e = Enumerate(runs, state);
                ExpectSame<std::uint64_t>(runs, state, e);
                ExpectSame<unsigned __int128>(runs, state, e);
                if (HasFailure())
                    return;
            }
        }
    }
}

TEST(LineSolver, AgreesPieceByPieceOnLongLines) {
    std::mt19937 rng(12345);
    for (int trial = 0; trial < 5000; ++trial) {
        LineClue runs;
        std::vector<int> state;
        Expected whole{true, {}, {}};
        const int length = 30 + static_cast<int>(rng() % 70);
        while (true) {
            const int n = 1 + static_cast<int>(rng() % 8);
            if (static_cast<int>(state.size()) + n + 11 > length)
                break;
            Cells cells(n);
            for (auto& c : cells)
                c = rng() % 2;
            const LineClue pieceRuns = RunsOf(cells.data(), n);
            std::vector<int> piece(n, -1);
            for (int i = 0; i < n; ++i)
                if (rng() % 3 == 0)
                    piece[i] = rng() % 8 ? cells[i] : 1 - cells[i];  // sometimes infeasible
            const Expected e = Enumerate(pieceRuns, piece);
            runs.insert(runs.end(), pieceRuns.begin(), pieceRuns.end());
            state.insert(state.end(), piece.begin(), piece.end());
            whole.feasible &= e.feasible;
            whole.mayFill.insert(whole.mayFill.end(), e.mayFill.begin(), e.mayFill.end());
            whole.mayEmpty.insert(whole.mayEmpty.end(), e.mayEmpty.begin(), e.mayEmpty.end());
            runs.push_back(9);  // known: a gap, nine filled cells, a gap
            for (int i = 0; i < 11; ++i) {
                const bool filled = i > 0 && i < 10;
                state.push_back(filled);
                whole.mayFill.push_back(filled);
                whole.mayEmpty.push_back(!filled);
            }
        }
        SCOPED_TRACE(Describe(runs, state));
        if (state.size() < 64)
            ExpectSame<std::uint64_t>(runs, state, whole);
        ExpectSame<unsigned __int128>(runs, state, whole);
        if (HasFailure())
            return;
    }
}

}  // namespace
