// Random puzzles small enough to count their solutions plainly (random fills, lines of short
// runs, grids with a switch), many of which line logic and probing cannot finish: the verdict, the
// undecided cells and the solutions returned agree with the plain answers.
#include <gtest/gtest.h>

#include <random>

#include "plain_logic.h"
#include "puzzlegen/puzzle_kinds.h"
#include "solver/search.h"
#include "solver/solver.h"

namespace {

TEST(Search, VerdictsAgreeWithCountedSolutions) {
    std::mt19937 rng(2024);
    int searched = 0;
    for (int trial = 0; trial < 600; ++trial) {
        const int w = 5 + static_cast<int>(rng() % 6), h = 5 + static_cast<int>(rng() % 6);
        // Random fills mostly; lines of short runs and grids with a switch now and then.
        const int density = 35 + static_cast<int>(rng() % 30);
        const Cells cells = trial % 4 == 2   ? puzzlegen::ShortRuns(w, h, 1 + trial % 8 / 4, rng)
                            : trial % 4 == 3 ? puzzlegen::Switches(w, h, 1, rng)
                                             : puzzlegen::RandomFill(w, h, density, rng);
        Puzzle p = Puzzle::FromGrid(w, h, cells);
        if (trial % 2)
            p.answer.clear();
        SCOPED_TRACE(::testing::Message() << "trial " << trial << " " << w << "x" << h);
        const SolveResult r = Solve(p, {60.0});
        const int count = CountSolutions(p, std::vector<int>(w * h, -1), 2);
        if (trial % 4 == 3) {
            ASSERT_EQ(count, 2);  // a switch's two ways
        }
        std::vector<int> open(w * h, -1);
        ASSERT_TRUE(PlainProbing(p, open));
        const int undecided = static_cast<int>(std::count(open.begin(), open.end(), -1));
        for (int i = 0; i < w * h; ++i)
            ASSERT_EQ(r.undecided[i], open[i] < 0) << "cell " << i;
        ASSERT_TRUE(GridMatchesClues(p, r.solution));
        if (count == 1) {
            ASSERT_EQ(r.verdict == Verdict::Line || r.verdict == Verdict::Unique, true)
                << VerdictWord(r.verdict);
            ASSERT_EQ(r.solution, cells);
            ASSERT_EQ(r.difficulty == 5, undecided > 0);
        } else {
            ASSERT_STREQ(VerdictWord(r.verdict), "multiple");
            ASSERT_TRUE(GridMatchesClues(p, r.second));
            ASSERT_NE(r.second, p.HasAnswer() ? p.answer : r.solution);
        }
        searched += undecided > 0;
        // The probing search alone, from the blank grid: another solution than the answer
        // exactly when there are several.
        Propagator<std::uint64_t> prop(p, std::chrono::steady_clock::time_point::max(), nullptr);
        Searcher<std::uint64_t> searcher(prop);
        const SearchOutcome other = searcher.FindOther(prop.Blank(), &cells);
        ASSERT_EQ(other == SearchOutcome::Found, count > 1);
        if (count > 1) {
            ASSERT_TRUE(GridMatchesClues(p, searcher.found));
            ASSERT_NE(searcher.found, cells);
        }
        ASSERT_EQ(searcher.FindOther(prop.Blank(), nullptr), SearchOutcome::Found);
        ASSERT_TRUE(GridMatchesClues(p, searcher.found));
    }
    EXPECT_GT(searched, 100);  // the search had its share of the work
}

// A puzzle where cells that both ways of a probe agree on settle four cells no contradiction
// settles.
TEST(Search, ProbingSettlesWhatBothWaysAgreeOn) {
    const char* rows[] = {"...###.##.", ".#....#...", ".....#.#..", "..#..##.##", "#...#.#..#",
                          ".##.#..#.#", ".....#####", "#..##...##", "#..##....#", "...##...##"};
    Cells cells;
    for (const char* row : rows)
        for (int x = 0; x < 10; ++x)
            cells.push_back(row[x] == '#');
    const Puzzle p = Puzzle::FromGrid(10, 10, cells);
    std::vector<int> open(100, -1);
    ASSERT_TRUE(PlainProbing(p, open));
    const SolveResult r = Solve(p);
    EXPECT_EQ(r.undecidedCount, 43);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(r.undecided[i], open[i] < 0) << "cell " << i;
}

// The other solution of this puzzle lies below the second way of a branch below the first:
// the probing search has to come back up and try it.
TEST(Search, ProbingSearchComesBackForTheSecondWay) {
    const char* rows[] = {"##.###.###..##", "##......#.#...", "#....##.#.##..", "#........##.##",
                          "#..#....##.#.#", "#.#....#..#..#", ".#....###...#.", "#...#....#.#.#",
                          "#.###....#..##", "#.##.#.#.....#", "#.#...#.#..##.", ".......#..#...",
                          "...##.#......."};
    Cells cells;
    for (const char* row : rows)
        for (int x = 0; x < 14; ++x)
            cells.push_back(row[x] == '#');
    const Puzzle p = Puzzle::FromGrid(14, 13, cells);
    Propagator<std::uint64_t> prop(p, std::chrono::steady_clock::time_point::max(), nullptr);
    Grid<std::uint64_t> g = prop.Blank();
    ASSERT_TRUE(prop.Propagate(g, prop.AllRows(), prop.AllColumns()));
    Searcher<std::uint64_t> searcher(prop);
    ASSERT_EQ(searcher.FindOther(g, &cells), SearchOutcome::Found);
    EXPECT_TRUE(GridMatchesClues(p, searcher.found));
    EXPECT_NE(searcher.found, cells);
    EXPECT_STREQ(VerdictWord(Solve(p).verdict), "multiple");
}

// A random 30 x 30 grid where line logic and probing leave 870 of the 900 cells open and the
// plain search gets lost: the probing search proves the answer is the only solution.
TEST(Search, HardRandomPuzzleIsProvedUnique) {
    std::mt19937 rng(42);
    Cells cells(900);
    for (int i = 0; i < 280; ++i)
        for (auto& c : cells)
            c = rng() & 1;
    const Puzzle p = Puzzle::FromGrid(30, 30, cells);
    const SolveResult r = Solve(p, {120.0});
    EXPECT_STREQ(VerdictWord(r.verdict), "unique");
    EXPECT_EQ(r.solution, cells);
    EXPECT_EQ(r.undecidedCount, 870);
    EXPECT_EQ(r.difficulty, 5);
    // Finding the solution from a blank grid takes wrong turns at several depths.
    Propagator<std::uint64_t> prop(p, std::chrono::steady_clock::time_point::max(), nullptr);
    Searcher<std::uint64_t> searcher(prop);
    ASSERT_EQ(searcher.FindOther(prop.Blank(), nullptr), SearchOutcome::Found);
    EXPECT_EQ(searcher.found, cells);
}

}  // namespace
