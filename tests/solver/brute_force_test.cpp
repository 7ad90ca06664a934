// Every grid up to 4 x 4: the grids that share their clues decide between one solution and
// several; plain line logic and probing (every placement of each line enumerated) decide
// whether one solution is reached by line logic alone and which cells stay open.  Every clue
// combination up to 3 x 4 that no grid has must give none.
#include <gtest/gtest.h>

#include <map>

#include "plain_logic.h"
#include "solver/solver.h"

namespace {

using Clues = std::pair<std::vector<LineClue>, std::vector<LineClue>>;

struct Signature {
    int count = 0;
    Cells first;
    std::vector<bool> varies;  // cells that differ between grids with these clues
};

std::map<Clues, Signature> GridsByClues(int w, int h) {
    std::map<Clues, Signature> byClues;
    for (int bits = 0; bits < (1 << (w * h)); ++bits) {
        Cells cells(w * h);
        for (int i = 0; i < w * h; ++i)
            cells[i] = (bits >> i) & 1;
        const Puzzle p = Puzzle::FromGrid(w, h, cells);
        Signature& s = byClues[{p.rows, p.columns}];
        if (s.count++ == 0)
            s.first = cells, s.varies.assign(w * h, false);
        for (int i = 0; i < w * h; ++i)
            s.varies[i] = s.varies[i] || cells[i] != s.first[i];
    }
    return byClues;
}

TEST(BruteForce, EveryGridUpToFourByFour) {
    for (int w = 1; w <= 4; ++w) {
        for (int h = 1; h <= 4; ++h) {
            for (const auto& [clues, s] : GridsByClues(w, h)) {
                Puzzle p = Puzzle::FromGrid(w, h, s.first);
                SCOPED_TRACE(::testing::Message()
                             << w << "x" << h << " " << ::testing::PrintToString(s.first));
                std::vector<int> open(w * h, -1);
                ASSERT_TRUE(PlainLineLogic(p, open));
                const bool line = std::count(open.begin(), open.end(), -1) == 0;
                ASSERT_TRUE(PlainProbing(p, open));
                for (bool withAnswer : {false, true}) {
                    p.answer = withAnswer ? s.first : Cells{};
                    const SolveResult r = Solve(p);
                    ASSERT_TRUE(GridMatchesClues(p, r.solution));
                    for (int i = 0; i < w * h; ++i) {  // cells the grids differ on stay open
                        ASSERT_EQ(r.undecided[i], open[i] < 0) << "cell " << i;
                        ASSERT_TRUE(!s.varies[i] || r.undecided[i]) << "cell " << i;
                    }
                    if (s.count == 1) {
                        ASSERT_EQ(r.verdict, line ? Verdict::Line : Verdict::Unique);
                        ASSERT_EQ(r.solution, s.first);
                        ASSERT_EQ(r.undecidedCount == 0, line || r.difficulty == 4);
                        ASSERT_GE(r.difficulty, line ? 1 : 4);
                        ASSERT_LE(r.difficulty, line ? 3 : 5);
                        continue;
                    }
                    ASSERT_EQ(r.verdict, Verdict::Multiple);
                    ASSERT_EQ(r.difficulty, 0);
                    ASSERT_TRUE(GridMatchesClues(p, r.second));
                    const Cells& base = withAnswer ? p.answer : r.solution;
                    std::vector<int> differing;
                    for (int i = 0; i < w * h; ++i)
                        if (r.second[i] != base[i])
                            differing.push_back(i);
                    ASSERT_FALSE(differing.empty());
                    ASSERT_EQ(r.differing, differing);
                }
            }
        }
    }
}

TEST(BruteForce, CluesNoGridHasAreNone) {
    for (auto [w, h] : {std::pair{1, 1}, {2, 2}, {2, 3}, {3, 2}, {3, 3}, {3, 4}, {4, 3}}) {
        const auto grids = GridsByClues(w, h);
        // Every clue a row or a column of this size can have.
        std::vector<LineClue> rowClues, columnClues;
        for (const auto& [clues, s] : grids) {
            for (const LineClue& c : clues.first)
                if (std::find(rowClues.begin(), rowClues.end(), c) == rowClues.end())
                    rowClues.push_back(c);
            for (const LineClue& c : clues.second)
                if (std::find(columnClues.begin(), columnClues.end(), c) == columnClues.end())
                    columnClues.push_back(c);
        }
        long combos = 1;
        for (int i = 0; i < w + h; ++i)
            combos *= (i < h ? rowClues : columnClues).size();
        for (long code = 0; code < combos; ++code) {
            Clues clues;
            for (long i = 0, c = code; i < w + h; ++i) {
                const auto& choices = i < h ? rowClues : columnClues;
                (i < h ? clues.first : clues.second).push_back(choices[c % choices.size()]);
                c /= choices.size();
            }
            Puzzle p;
            p.width = w, p.height = h, p.rows = clues.first, p.columns = clues.second;
            const auto found = grids.find(clues);
            const Verdict v = Solve(p).verdict;
            if (found == grids.end())
                ASSERT_EQ(v, Verdict::None) << w << "x" << h << " code " << code;
            else
                ASSERT_EQ(v == Verdict::Multiple, found->second.count > 1) << w << "x" << h;
        }
    }
}

}  // namespace
