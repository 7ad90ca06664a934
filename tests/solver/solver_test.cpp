// Solver cases worked out by hand: clues that cannot fit and puzzles too wide for one word per
// line; line logic on partly filled boards against the oracle's; and solves stopped by their
// time limit or a cancel.
// Colour puzzles against counted solutions: every 3 x 3 grid of two colours and every 4 x 2
// grid of three, each clue set solved once and its verdict checked against the number of
// grids that have it; clues mixed from two grids, which may have no grid at all; random
// 12 x 12 pictures, whose answer is always one of the solutions found.
#include "solver/solver.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <thread>

#include "../support/puzzles.h"
#include "oracle.h"
#include "puzzlegen/puzzle_kinds.h"

namespace {

Puzzle FromClues(std::vector<LineClue> rows, std::vector<LineClue> columns) {
    Puzzle p;
    p.width = static_cast<int>(columns.size()), p.height = static_cast<int>(rows.size());
    p.rows = std::move(rows), p.columns = std::move(columns);
    return p;
}

// Clues that no grid fits, each in a way of its own.
TEST(Solver, CluesThatCannotFitAreNone) {
    const struct {
        const char* name;
        Puzzle puzzle;
    } cases[] = {
        {"run longer than its row", FromClues({{4}, {}}, {{1}, {1}, {1}})},
        {"runs that cannot fit", FromClues({{2, 2}, {}}, {{1}, {1}, {1}, {1}})},
        {"a run of 0", FromClues({{0}}, {{}})},
        {"fewer row clues than rows",
         [] {
             Puzzle p = FromClues({{1}}, {{1}, {}});
             p.height = 2;
             return p;
         }()},
        {"too wide", FromClues({{}}, std::vector<LineClue>(100))},
    };
    for (const auto& c : cases) {
        const SolveResult r = Solve(c.puzzle);
        EXPECT_EQ(r.verdict, Verdict::None) << c.name;
        EXPECT_EQ(r.difficulty, 0) << c.name;
    }
}

// Random puzzles too wide for one 64-bit word per line: what the solver returns fits.
TEST(Solver, WidePuzzlesGiveConsistentResults) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        std::mt19937 rng(seed);
        const Puzzle p = Puzzle::FromGrid(70, 70, puzzlegen::RandomFill(70, 70, 50, rng));
        const SolveResult r = Solve(p, {30.0});
        ASSERT_STREQ(VerdictWord(r.verdict), "multiple") << seed;
        ExpectProof(p, r);
    }
}

// Line logic from partly filled boards of random puzzles of every width and height up to 99,
// now and then with a cell given the wrong way: the same board, or the same contradiction, as
// the oracle's, with the cells it settled (those given are not settled again); a board of
// another size is a contradiction.
TEST(LineLogic, AgreesWithTheOracleOnPartlyFilledBoards) {
    std::mt19937 rng(4242);
    int contradictions = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int w = 1 + static_cast<int>(rng() % kMaxPuzzleSide);
        const int h = 1 + static_cast<int>(rng() % kMaxPuzzleSide);
        const int percent = 10 + static_cast<int>(rng() % 81);
        const Puzzle p = Puzzle::FromGrid(w, h, puzzlegen::RandomFill(w, h, percent, rng));
        std::vector<std::int8_t> given(p.CellCount(), -1);
        const unsigned shown = rng() % 60u, wrong = rng() % 2 ? 2000 : 0;
        for (std::size_t i = 0; i < given.size(); ++i)
            if (rng() % 100u < shown)
                given[i] = rng() % 10000u < wrong ? !p.answer[i] : p.answer[i];
        SCOPED_TRACE(::testing::Message() << "trial " << trial << " " << w << "x" << h);
        std::vector<int> plain(given.begin(), given.end());
        const bool fits = PlainLineLogic(p, plain);
        const LineLogicResult r = ApplyLineLogic(p, given);
        ASSERT_EQ(r.contradiction, !fits);
        contradictions += !fits;
        if (!fits)
            continue;
        ASSERT_EQ(std::vector<int>(r.cells.begin(), r.cells.end()), plain);
        std::vector<int> settled;
        for (int i = 0; i < p.CellCount(); ++i)
            if (given[i] < 0 && plain[i] >= 0)
                settled.push_back(i);
        std::vector<int> reported = r.settled;
        std::sort(reported.begin(), reported.end());
        ASSERT_EQ(reported, settled);
    }
    EXPECT_GT(contradictions, 30);
    EXPECT_TRUE(ApplyLineLogic(PuzzleOf({"#."}), std::vector<std::int8_t>(3, -1)).contradiction);
}

// Random 99 x 99 puzzles that no search settles in a few seconds, half and three tenths
// filled, the first under full rows across the top, which line logic settles at once: the solve
// stops on time with what it decided kept, and right, or soon after a cancel from another
// thread, and keeps its memory bounded (a clause-learning formula over the search's budget is
// never built); a cancel before the start stops at once.
TEST(Solver, A99x99SolveStopsPromptlyOnTimeAndOnCancel) {
    std::mt19937 rng(9900);
    Cells grid = puzzlegen::RandomFill(99, 99, 50, rng);
    std::fill(grid.begin(), grid.begin() + 30 * 99, 1);
    Puzzle dense = Puzzle::FromGrid(99, 99, grid);
    Puzzle sparse = Puzzle::FromGrid(99, 99, puzzlegen::RandomFill(99, 99, 30, rng));
    dense.answer.clear();
    sparse.answer.clear();
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    SolveResult r = Solve(dense, {2.0});
    getrusage(RUSAGE_SELF, &after);
    ASSERT_EQ(r.verdict, Verdict::Timeout);
    EXPECT_LT(r.micros, 3'000'000);
#ifndef __SANITIZE_ADDRESS__  // the address checker's shadow memory and quarantine add their own
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 128L << 10);  // kB
#endif
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

    r = Solve(PuzzleOf({"#."}), {2.0, &cancel});
    EXPECT_EQ(r.verdict, Verdict::Timeout);
}

const std::vector<std::uint32_t> kPalette = {0xffffff, 0xd02020, 0x2040d0, 0x20a040, 0xe0c020};

std::vector<std::uint8_t> GridNumber(long number, int cells, int colours) {
    std::vector<std::uint8_t> grid(cells);
    for (int i = 0; i < cells; ++i, number /= colours + 1)
        grid[i] = static_cast<std::uint8_t>(number % (colours + 1));
    return grid;
}

Puzzle ColourPuzzle(int w, int h, const std::vector<std::uint8_t>& grid, int colours) {
    return Puzzle::FromColourGrid(
        w, h, grid, std::vector<std::uint32_t>(kPalette.begin(), kPalette.begin() + colours + 1));
}

// The clues and their colours as one string.
std::string ClueKey(const Puzzle& p) {
    std::string key;
    for (const auto* lines : {&p.rows, &p.columns})
        for (const LineClue& clue : *lines)
            key += std::string(clue.begin(), clue.end()) + '/';
    for (const auto* lines : {&p.rowColours, &p.columnColours})
        for (const LineColours& colours : *lines)
            key += std::string(colours.begin(), colours.end()) + '/';
    return key;
}

// The verdict fits the count: one grid is line or unique, more are multiple, none is none; the
// solution and a second one are the verdict's proof.
void ExpectVerdictOfCount(const Puzzle& p, int count, const SolveResult& r) {
    if (count == 0) {
        EXPECT_EQ(r.verdict, Verdict::None);
        return;
    }
    ExpectProof(p, r);
    if (count == 1) {
        EXPECT_TRUE(r.verdict == Verdict::Line || r.verdict == Verdict::Unique);
        EXPECT_EQ(r.difficulty == 4 || r.difficulty == 5, r.verdict == Verdict::Unique);
    } else {
        EXPECT_EQ(r.verdict, Verdict::Multiple);
    }
}

TEST(ColourSolver, EverySmallGridAgreesWithTheCount) {
    struct Size {
        int w, h, colours;
    };
    for (const Size size : {Size{3, 3, 2}, Size{4, 2, 3}}) {
        const int cells = size.w * size.h;
        const long grids = std::lround(std::pow(size.colours + 1, cells));
        std::map<std::string, std::pair<long, int>> byClues;  // first grid, count
        std::vector<Puzzle> all;
        for (long g = 0; g < grids; ++g) {
            Puzzle p =
                ColourPuzzle(size.w, size.h, GridNumber(g, cells, size.colours), size.colours);
            const std::string key = ClueKey(p);
            auto [it, added] = byClues.try_emplace(key, g, 0);
            ++it->second.second;
            if (added)
                all.push_back(std::move(p));
        }
        for (const Puzzle& p : all) {
            const SolveResult r = Solve(p);
            ExpectVerdictOfCount(p, byClues[ClueKey(p)].second, r);
            if (HasFailure())
                return;
        }
        // Rows of one grid with the columns of another: none unless some grid has both.
        std::mt19937 random(7);
        for (int k = 0; k < 300; ++k) {
            Puzzle mixed = all[random() % all.size()];
            const Puzzle& other = all[random() % all.size()];
            mixed.columns = other.columns;
            mixed.columnColours = other.columnColours;
            mixed.answer.clear();
            const auto counted = byClues.find(ClueKey(mixed));
            ExpectVerdictOfCount(mixed, counted == byClues.end() ? 0 : counted->second.second,
                                 Solve(mixed));
            if (HasFailure())
                return;
        }
    }
}

// Picture-like random grids: blobs of colour grown from seeds.  The answer is a solution, so
// it is the solution of line and unique and the first of multiple; hints fill what line logic
// settles, all of it for a line puzzle.
TEST(ColourSolver, RandomPicturesKeepTheirAnswer) {
    std::mt19937 random(11);
    int verdicts[5] = {};
    for (int k = 0; k < 120; ++k) {
        const int n = 12, colours = 2 + k % 3;
        std::vector<std::uint8_t> grid(n * n, 0);
        for (int seed = 0; seed < 10; ++seed) {
            const int c = 1 + static_cast<int>(random() % colours);
            int x = static_cast<int>(random() % n), y = static_cast<int>(random() % n);
            for (int step = 0; step < 14; ++step) {
                grid[y * n + x] = static_cast<std::uint8_t>(c);
                (random() % 2 ? x : y) += random() % 2 ? 1 : -1;
                x = std::clamp(x, 0, n - 1);
                y = std::clamp(y, 0, n - 1);
            }
        }
        const Puzzle p = ColourPuzzle(n, n, grid, colours);
        const SolveResult r = Solve(p, {10.0});
        ASSERT_NE(r.verdict, Verdict::None);
        ASSERT_NE(r.verdict, Verdict::Timeout);
        ++verdicts[static_cast<int>(r.verdict)];
        ExpectVerdictOfCount(p, r.verdict == Verdict::Multiple ? 2 : 1, r);
        const LineLogicResult hints = ApplyLineLogic(p, std::vector<std::int8_t>(n * n, -1));
        ASSERT_FALSE(hints.contradiction);
        if (r.verdict == Verdict::Line) {
            EXPECT_EQ(std::vector<std::int8_t>(grid.begin(), grid.end()), hints.cells);
        }
    }
    // The set has every kind of verdict a picture can have.
    EXPECT_GT(verdicts[static_cast<int>(Verdict::Line)], 0);
    EXPECT_GT(verdicts[static_cast<int>(Verdict::Multiple)], 0);
}

// Runs of one colour may not touch: a row clue that needs them to is none at once.  (Runs of
// two colours touching, and totals of a colour that differ between rows and columns, are among
// the small grids and their mixed clues.)
TEST(ColourSolver, RunsOfOneColourThatWouldTouchAreNone) {
    Puzzle tooTight = ColourPuzzle(3, 1, {1, 2, 2}, 2);
    tooTight.rowColours[0] = {1, 1};
    EXPECT_FALSE(ClueFitProblem(tooTight).empty());
    EXPECT_EQ(Solve(tooTight).verdict, Verdict::None);
}

}  // namespace
