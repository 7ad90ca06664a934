// The kinds of puzzle solvers are compared on (random fills, lines of many short runs, many
// solutions, self-similar figures, puzzles that need a search), made by the benchmarks'
// generators, against a second solver written another way, whose line settling is checked
// against the solver's own line solver (itself checked against every placement) on lines of up
// to 99 cells.  Small ones are checked against solutions counted plainly with the search tests.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "puzzlegen/puzzle_kinds.h"
#include "second_solver.h"
#include "solver/line_solver.h"
#include "solver/solver.h"

namespace {

using puzzlegen::Grid;

// A random line's clue, and what is known of the line: some of its own cells, and now and
// then a cell set the wrong way, so that some lines cannot be completed.
struct LineCase {
    LineClue clue;
    std::vector<int> known;
};

LineCase RandomLineCase(int n, std::mt19937& rng) {
    const int percent = 10 + static_cast<int>(rng() % 81);
    Grid cells(n);
    for (auto& c : cells)
        c = rng() % 100u < static_cast<unsigned>(percent);
    LineCase lc{RunsOf(cells.data(), n), std::vector<int>(n, -1)};
    const unsigned shown = rng() % 60u;
    for (int i = 0; i < n; ++i)
        if (rng() % 100u < shown)
            lc.known[i] = rng() % 40u == 0 ? !cells[i] : cells[i];
    return lc;
}

TEST(HardPuzzles, TheSecondSolversLinesMatchTheLineSolver) {
    using Word = unsigned __int128;
    std::mt19937 rng(4242);
    int contradictions = 0;
    for (int trial = 0; trial < 5000; ++trial) {
        const int n = 1 + static_cast<int>(rng() % kMaxPuzzleSide);
        LineCase lc = RandomLineCase(n, rng);
        Word fill = 0, empty = 0;
        for (int i = 0; i < n; ++i) {
            fill |= Word(lc.known[i] != 0) << i;
            empty |= Word(lc.known[i] != 1) << i;
        }
        SCOPED_TRACE(::testing::Message() << "trial " << trial << " n " << n);
        std::vector<int> line = lc.known;
        const bool fits = SettleLineByPositions(lc.clue, line);
        ASSERT_EQ(SolveLine(lc.clue.data(), static_cast<int>(lc.clue.size()), n, fill, empty),
                  fits);
        contradictions += !fits;
        for (int i = 0; fits && i < n; ++i) {
            const bool f = (fill >> i) & 1, e = (empty >> i) & 1;
            ASSERT_EQ(line[i], f && e ? -1 : f ? 1 : 0) << "cell " << i;
        }
    }
    EXPECT_GT(contradictions, 100);
}

// A kind of grid at one size, from a seed.
struct Kind {
    const char* name;
    int width, height;
    std::function<Grid(std::mt19937&)> make;
};

std::vector<Kind> LargeKinds() {
    return {
        {"random 25x25 at 50%", 25, 25,
         [](std::mt19937& r) { return puzzlegen::RandomFill(25, 25, 50, r); }},
        {"random 30x30 at 65%", 30, 30,
         [](std::mt19937& r) { return puzzlegen::RandomFill(30, 30, 65, r); }},
        {"short runs 16x16", 16, 16,
         [](std::mt19937& r) { return puzzlegen::ShortRuns(16, 16, 2, r); }},
        {"switches 40x40", 40, 40,
         [](std::mt19937& r) { return puzzlegen::Switches(40, 40, 3, r); }},
        {"permutation 30", 30, 30, [](std::mt19937& r) { return puzzlegen::Permutation(30, r); }},
        {"Sierpinski 64", 64, 64, [](std::mt19937&) { return puzzlegen::Sierpinski(64); }},
        {"Sierpinski 99", 99, 99, [](std::mt19937&) { return puzzlegen::Sierpinski(99); }},
        {"needs a search 20x20", 20, 20,
         [](std::mt19937& r) { return puzzlegen::NeedsSearch(20, 20, 50, 3000, r); }},
    };
}

// A verdict of several solutions carries its proof, two different solutions, which are
// checked here; line and unique are checked by the second solver's line logic and its count
// of every solution.
TEST(HardPuzzles, LargeKindsAgreeWithTheSecondSolver) {
    std::mt19937 rng(99);
    for (const Kind& kind : LargeKinds()) {
        const std::string name = kind.name;
        const int count = name.starts_with("Sierpinski") ? 1 : name.starts_with("needs") ? 3 : 8;
        for (int i = 0; i < count; ++i) {
            const Grid grid = kind.make(rng);
            ASSERT_FALSE(grid.empty()) << kind.name;
            Puzzle p = Puzzle::FromGrid(kind.width, kind.height, grid);
            p.answer.clear();
            SCOPED_TRACE(::testing::Message() << kind.name << " #" << i);
            const SolveResult r = Solve(p, {60.0});
            if (r.verdict == Verdict::Multiple) {
                ASSERT_TRUE(GridMatchesClues(p, r.solution));
                ASSERT_TRUE(GridMatchesClues(p, r.second));
                ASSERT_NE(r.second, r.solution);
                continue;
            }
            const SecondSolverResult second = CountWithSecondSolver(p, 2, 200000);
            ASSERT_FALSE(second.gaveUp);
            ASSERT_EQ(second.count, 1);
            ASSERT_EQ(r.verdict, second.lineLogicAlone ? Verdict::Line : Verdict::Unique);
            ASSERT_EQ(r.solution, grid);
            if (name.starts_with("needs")) {
                ASSERT_EQ(r.difficulty, 5);
            }
        }
    }
}

// Full rows across the top, which line logic settles at once, over a random half-filled part
// that no solver settles in a twentieth of a second.
TEST(HardPuzzles, ATimeoutKeepsTheCellsDecidedSoFar) {
    std::mt19937 rng(5);
    Grid grid = puzzlegen::RandomFill(99, 99, 50, rng);
    std::fill(grid.begin(), grid.begin() + 30 * 99, 1);
    Puzzle p = Puzzle::FromGrid(99, 99, grid);
    p.answer.clear();
    const SolveResult r = Solve(p, {0.05});
    ASSERT_EQ(r.verdict, Verdict::Timeout);
    ASSERT_EQ(r.undecided.size(), grid.size());
    ASSERT_EQ(r.solution.size(), grid.size());
    int open = 0;
    for (std::size_t i = 0; i < grid.size(); ++i) {
        open += r.undecided[i];
        if (!r.undecided[i]) {  // decided soundly, so as in every solution
            ASSERT_EQ(r.solution[i], grid[i]) << "cell " << i;
        }
    }
    EXPECT_EQ(open, r.undecidedCount);
    EXPECT_LE(open, 69 * 99);
    EXPECT_GT(open, 0);
}

// Random 99 x 99 puzzles that no search settles in a few seconds, half and three tenths
// filled: the solve stops on time, or soon after a cancel from another thread, and leaves
// little memory behind it (the clause-learning search's formula of such a puzzle would take
// hundreds of megabytes, and most of a second to build and to free).
TEST(HardPuzzles, A99x99SolveStopsPromptlyOnTimeAndOnCancel) {
    std::mt19937 rng(9900);
    Puzzle dense = Puzzle::FromGrid(99, 99, puzzlegen::RandomFill(99, 99, 50, rng));
    Puzzle sparse = Puzzle::FromGrid(99, 99, puzzlegen::RandomFill(99, 99, 30, rng));
    dense.answer.clear();
    sparse.answer.clear();
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    SolveResult r = Solve(dense, {2.0});
    getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(r.verdict, Verdict::Timeout);
    EXPECT_LT(r.micros, 3'000'000);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 128L << 10);  // kB

    std::atomic<bool> cancel{false};
    std::chrono::steady_clock::time_point cancelled;
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        cancelled = std::chrono::steady_clock::now();
        cancel = true;
    });
    r = Solve(sparse, {60.0, &cancel});
    const auto returned = std::chrono::steady_clock::now();
    canceller.join();
    EXPECT_EQ(r.verdict, Verdict::Timeout);
    EXPECT_LT(returned - cancelled, std::chrono::seconds(1));
}

}  // namespace
