// Every grid up to 4 x 4: grids that share their clues decide between one solution and
// several, and a plain line logic (every placement of each line enumerated) decides whether
// one solution is reached by line logic alone.  Every clue combination up to 3 x 4 that no
// grid has must give none.
#include <gtest/gtest.h>

#include <map>

#include "plain_logic.h"
#include "solver/solver.h"

namespace {

struct Signature {
    int count = 0;
    Cells first;
    std::vector<bool> varies;  // cells that differ between grids with these clues
};

TEST(BruteForce, EveryGridUpToFourByFour) {
    for (int w = 1; w <= 4; ++w) {
        for (int h = 1; h <= 4; ++h) {
            std::map<std::pair<std::vector<LineClue>, std::vector<LineClue>>, Signature> byClues;
            for (int bits = 0; bits < (1 << (w * h)); ++bits) {
                Cells cells(w * h);
                for (int i = 0; i < w * h; ++i)
                    cells[i] = (bits >> i) & 1;
                const Puzzle p = Puzzle::FromGrid(w, h, cells);
                Signature& s = byClues[{p.rows, p.columns}];
                if (s.count++ == 0) {
                    s.first = cells;
                    s.varies.assign(w * h, false);
                }
                for (int i = 0; i < w * h; ++i)
                    s.varies[i] = s.varies[i] || cells[i] != s.first[i];
            }
            for (const auto& [clues, s] : byClues) {
                Puzzle p = Puzzle::FromGrid(w, h, s.first);
                SCOPED_TRACE(::testing::Message()
                             << w << "x" << h << " grid " << ::testing::PrintToString(s.first));
                for (bool withAnswer : {false, true}) {
                    if (!withAnswer)
                        p.answer.clear();
                    else
                        p.answer = s.first;
                    const SolveResult r = Solve(p);
                    ASSERT_TRUE(GridMatchesClues(p, r.solution));
                    std::vector<int> cells(w * h, -1);
                    ASSERT_TRUE(PlainLineLogic(p, cells));
                    const bool line = std::count(cells.begin(), cells.end(), -1) == 0;
                    PlainProbing(p, cells);
                    for (int i = 0; i < w * h; ++i) {  // cells the grids differ on stay open
                        ASSERT_EQ(r.undecided[i], cells[i] < 0) << "cell " << i;
                        ASSERT_TRUE(!s.varies[i] || r.undecided[i]) << "cell " << i;
                    }
                    if (s.count == 1) {
                        ASSERT_EQ(r.verdict, line ? Verdict::Line : Verdict::Unique);
                        ASSERT_EQ(r.solution, s.first);
                        ASSERT_EQ(r.undecidedCount == 0, line || r.difficulty == 4);
                        ASSERT_GE(r.difficulty, line ? 1 : 4);
                        ASSERT_LE(r.difficulty, line ? 3 : 5);
                    } else {
                        ASSERT_EQ(r.verdict, Verdict::Multiple);
                        ASSERT_TRUE(GridMatchesClues(p, r.second));
                        const Cells& base = withAnswer ? p.answer : r.solution;
                        ASSERT_NE(r.second, base);
                        std::vector<int> differing;
                        for (int i = 0; i < w * h; ++i)
                            if (r.second[i] != base[i])
                                differing.push_back(i);
                        ASSERT_EQ(r.differing, differing);
                        ASSERT_EQ(r.difficulty, 0);
                    }
                }
            }
        }
    }
}

// Every combination of line clues for the sizes up to 3 x 4: those no grid has are none.
TEST(BruteForce, CluesNoGridHasAreNone) {
    for (auto [w, h] : {std::pair{1, 1}, {2, 2}, {2, 3}, {3, 2}, {3, 3}, {3, 4}, {4, 3}}) {
        auto cluesOf = [](int n) {
            std::vector<LineClue> all;
            std::map<LineClue, int> seen;
            for (int bits = 0; bits < (1 << n); ++bits) {
                Cells line(n);
                for (int i = 0; i < n; ++i)
                    line[i] = (bits >> i) & 1;
                if (seen[RunsOf(line.data(), n)]++ == 0)
                    all.push_back(RunsOf(line.data(), n));
            }
            return all;
        };
        const std::vector<LineClue> rowClues = cluesOf(w), columnClues = cluesOf(h);
        std::map<std::pair<std::vector<LineClue>, std::vector<LineClue>>, int> grids;
        for (int bits = 0; bits < (1 << (w * h)); ++bits) {
            Cells cells(w * h);
            for (int i = 0; i < w * h; ++i)
                cells[i] = (bits >> i) & 1;
            const Puzzle p = Puzzle::FromGrid(w, h, cells);
            ++grids[{p.rows, p.columns}];
        }
        long combos = 1;
        for (int i = 0; i < h; ++i)
            combos *= rowClues.size();
        for (int i = 0; i < w; ++i)
            combos *= columnClues.size();
        for (long code = 0; code < combos; ++code) {
            Puzzle p;
            p.width = w;
            p.height = h;
            long c = code;
            for (int i = 0; i < h; c /= rowClues.size(), ++i)
                p.rows.push_back(rowClues[c % rowClues.size()]);
            for (int i = 0; i < w; c /= columnClues.size(), ++i)
                p.columns.push_back(columnClues[c % columnClues.size()]);
            const auto found = grids.find({p.rows, p.columns});
            const Verdict v = Solve(p).verdict;
            if (found == grids.end())
                ASSERT_EQ(v, Verdict::None) << w << "x" << h << " code " << code;
            else
                ASSERT_EQ(v == Verdict::Multiple, found->second > 1) << w << "x" << h;
        }
    }
}

}  // namespace
