// The 600 reference puzzles: the solver's verdict agrees with the one two independent solvers
// agree on, and what it returns fits the verdict.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "formats/non_format.h"
#include "solver/solver.h"

namespace {

TEST(ReferencePuzzles, VerdictsMatch) {
    const std::string dir = std::string(NGM_TEST_DATA) + "/puzzles/";
    std::ifstream list(dir + "verdicts.tsv");
    ASSERT_TRUE(list) << dir;
    std::string line;
    std::getline(list, line);  // header
    int count = 0;
    std::set<int> grades;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string file, expected;
        fields >> file >> expected;
        SCOPED_TRACE(file);
        const PuzzleReadResult read = ReadNonFile(dir + file);
        ASSERT_TRUE(read.ok) << read.line << ": " << read.error;
        const Puzzle& p = read.puzzle;
        const SolveResult r = Solve(p, {60.0});
        ASSERT_EQ(VerdictWord(r.verdict), expected);
        ++count;
        if (r.verdict == Verdict::Multiple) {
            EXPECT_TRUE(GridMatchesClues(p, r.second));
            EXPECT_FALSE(r.differing.empty());
            for (int i : r.differing) {  // no logic can decide a cell two solutions differ on
                EXPECT_NE(r.second[i], p.answer[i]);
                EXPECT_EQ(r.undecided[i], 1);
            }
            EXPECT_EQ(r.difficulty, 0);
        } else {
            EXPECT_EQ(r.solution, p.answer);
            EXPECT_EQ(r.undecidedCount == 0, r.difficulty <= 4);
            EXPECT_GE(r.difficulty, r.verdict == Verdict::Line ? 1 : 4);
            EXPECT_LE(r.difficulty, r.verdict == Verdict::Line ? 3 : 5);
            grades.insert(r.difficulty);
        }
    }
    EXPECT_EQ(count, 600);
    // Pictures of 5 to 20 cells a side span the grades of line logic and probing.
    EXPECT_EQ(grades, (std::set<int>{1, 2, 3, 4}));
}

}  // namespace
