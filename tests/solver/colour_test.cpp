// Colour puzzles against counted solutions: every 3 x 3 grid of two colours and every 4 x 2
// grid of three, each clue set solved once and its verdict checked against the number of
// grids that have it; clues mixed from two grids, which may have no grid at all; random
// 12 x 12 pictures, whose answer is always one of the solutions found.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "oracle.h"
#include "solver/solver.h"

namespace {

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
        long grids = 1;
        for (int i = 0; i < cells; ++i)
            grids *= size.colours + 1;
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
