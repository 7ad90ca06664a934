// New puzzles: each generated puzzle has one solution by a plain count, and the difficulty it
// was asked for by what plain line logic and probing leave open; the time limit is kept.
#include <gtest/gtest.h>

#include <chrono>

#include "../solver/oracle.h"
#include "maker/puzzle_generator.h"

namespace {

// 1-3: line logic alone solves it; 4: probing is needed; 5: a search is.
int PlainLevel(const Puzzle& p) {
    std::vector<int> cells(p.CellCount(), -1);
    const auto open = [&] { return std::count(cells.begin(), cells.end(), -1); };
    EXPECT_TRUE(PlainLineLogic(p, cells));
    if (open() == 0)
        return 3;
    EXPECT_TRUE(PlainProbing(p, cells));
    return open() == 0 ? 4 : 5;
}

TEST(Generator, PuzzlesHaveOneSolutionAtTheDifficultyAsked) {
    std::mt19937 rng(11);
    for (int difficulty = 1; difficulty <= 5; ++difficulty) {
        const int side = difficulty == 5 ? 20 : 15;
        SCOPED_TRACE(difficulty);
        const std::optional<Puzzle> p = GeneratePuzzle({side, side, difficulty, 60.0}, rng);
        ASSERT_TRUE(p);
        EXPECT_EQ(std::pair(p->width, p->height), std::pair(side, side));
        EXPECT_TRUE(GridMatchesClues(*p, p->answer));
        EXPECT_EQ(CountSolutions(*p, std::vector<int>(p->CellCount(), -1), 2).solutions, 1);
        EXPECT_EQ(PlainLevel(*p), std::max(3, difficulty));
    }
}

TEST(Generator, GivesUpWhenTheTimeRunsOutOrOnCancel) {
    std::mt19937 rng(3);
    const auto start = std::chrono::steady_clock::now();
    // A 1 x 1 puzzle is never a search.
    EXPECT_FALSE(GeneratePuzzle({1, 1, 5, 0.2}, rng));
    const std::atomic<bool> cancel{true};
    EXPECT_FALSE(GeneratePuzzle({20, 20, 5, 60.0, &cancel}, rng));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(GeneratePuzzle({100, 5, 1, 1.0}, rng));
}

}  // namespace
