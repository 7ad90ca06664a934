// Solver cases worked out by hand: empty and full lines, clues that cannot fit, the switch
// ambiguity inside a picture, a unique puzzle line logic cannot finish, timeouts and cancel,
// and line logic on a partly filled board.
#include "solver/solver.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

namespace {

// A picture given as rows of '#' (filled) and '.' (blank).
Puzzle Picture(const std::vector<std::string>& rows) {
    std::vector<std::uint8_t> cells;
    for (const std::string& row : rows)
        for (char c : row)
            cells.push_back(c == '#');
    return Puzzle::FromGrid(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), cells);
}

Puzzle FromClues(std::vector<LineClue> rows, std::vector<LineClue> columns) {
    Puzzle p;
    p.width = static_cast<int>(columns.size()), p.height = static_cast<int>(rows.size());
    p.rows = std::move(rows), p.columns = std::move(columns);
    return p;
}

Puzzle RandomPuzzle(int side, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> cells(side * side);
    for (auto& c : cells)
        c = rng() & 1;
    return Puzzle::FromGrid(side, side, cells);
}

TEST(Solver, VerdictsOfSmallCases) {
    const struct {
        const char* name;
        Puzzle puzzle;
        Verdict verdict;
    } cases[] = {
        {"one blank cell", FromClues({{}}, {{}}), Verdict::Line},
        {"all blank", Picture({"...", "...", "..."}), Verdict::Line},
        {"all filled", Picture({"####", "####", "####"}), Verdict::Line},
        {"wide and flat", Picture({"##.#.###.##"}), Verdict::Line},
        {"run longer than its row", FromClues({{4}, {}}, {{1}, {1}, {1}}), Verdict::None},
        {"runs that cannot fit", FromClues({{2, 2}, {}}, {{1}, {1}, {1}, {1}}), Verdict::None},
        {"a run of 0", FromClues({{0}}, {{}}), Verdict::None},
        {"rows fill more than columns", FromClues({{1}, {1}}, {{1}, {}}), Verdict::None},
        {"sums agree, cells cannot", FromClues({{2}, {}}, {{1}, {}, {1}}), Verdict::None},
        {"fewer row clues than rows",
         [] {
             Puzzle p = FromClues({{1}}, {{1}, {}});
             p.height = 2;
             return p;
         }(),
         Verdict::None},
        {"too wide", FromClues({{}}, std::vector<LineClue>(100)), Verdict::None},
        // Unique, but every row and column alone leaves each cell open.
        {"unique 4x4", FromClues({{1, 1}, {2}, {1}, {1}}, {{2}, {1}, {2}, {1}}), Verdict::Unique},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SolveResult r = Solve(c.puzzle);
        EXPECT_STREQ(VerdictWord(r.verdict), VerdictWord(c.verdict));
        if (r.verdict == Verdict::Line || r.verdict == Verdict::Unique) {
            EXPECT_TRUE(GridMatchesClues(c.puzzle, r.solution));
            if (c.puzzle.HasAnswer()) {
                EXPECT_EQ(r.solution, c.puzzle.answer);
            }
        }
        if (r.verdict == Verdict::Line) {
            EXPECT_EQ(r.undecidedCount, 0);
        }
        if (r.verdict == Verdict::None) {
            EXPECT_EQ(r.difficulty, 0);
        }
    }
}

TEST(Solver, UniqueFourByFourNeedsMoreThanLineLogic) {
    const Puzzle p = FromClues({{1, 1}, {2}, {1}, {1}}, {{2}, {1}, {2}, {1}});
    const SolveResult r = Solve(p);
    ASSERT_EQ(r.verdict, Verdict::Unique);
    EXPECT_EQ(r.solution, Picture({"#..#", "##..", "..#.", "..#."}).answer);
    EXPECT_GE(r.difficulty, 4);
    // Line logic alone decides nothing on the blank board.
    const LineLogicResult lines = ApplyLineLogic(p, std::vector<std::int8_t>(16, -1));
    EXPECT_FALSE(lines.contradiction);
    EXPECT_TRUE(lines.settled.empty());
}

// In an empty frame a row and a column with one cell each can meet on either diagonal of a
// 2 x 2 square; the block lower down is forced, like the rest.
TEST(Solver, SwitchInsideAPictureGivesItsFourCells) {
    std::vector<std::string> rows = {
        "##########", "#........#", "#.#......#", "#..#.....#", "#........#",
        "#........#", "#.....##.#", "#.....##.#", "#........#", "##########",
    };
    const Puzzle p = Picture(rows);
    std::swap(rows[2], rows[3]);
    const Puzzle switched = Picture(rows);
    ASSERT_EQ(p.rows, switched.rows);
    ASSERT_EQ(p.columns, switched.columns);
    const SolveResult r = Solve(p);
    ASSERT_EQ(r.verdict, Verdict::Multiple);
    EXPECT_EQ(r.solution, p.answer);
    EXPECT_EQ(r.second, switched.answer);
    EXPECT_EQ(r.differing, (std::vector<int>{22, 23, 32, 33}));
    EXPECT_EQ(r.undecidedCount, 4);
    for (int i : r.differing)
        EXPECT_EQ(r.undecided[i], 1);
    EXPECT_EQ(r.difficulty, 0);
}

TEST(Solver, TimeLimitAndCancelGiveTimeout) {
    const Puzzle hard = RandomPuzzle(99, 7);
    SolveResult r = Solve(hard, {0.001});
    EXPECT_EQ(r.verdict, Verdict::Timeout);
    EXPECT_LT(r.micros, 500000);
    EXPECT_GT(r.undecidedCount, 0);

    std::atomic<bool> cancel{true};
    r = Solve(Picture({"#."}), {2.0, &cancel});
    EXPECT_EQ(r.verdict, Verdict::Timeout);

    cancel = false;
    std::thread solving([&] { r = Solve(hard, {60.0, &cancel}); });
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    cancel = true;
    solving.join();
    EXPECT_EQ(r.verdict, Verdict::Timeout);
    EXPECT_LT(r.micros, 500000);
}

// Random puzzles too wide for one 64-bit word per line: what the solver returns fits.
TEST(Solver, WidePuzzlesGiveConsistentResults) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const Puzzle p = RandomPuzzle(70, seed);
        const SolveResult r = Solve(p, {30.0});
        ASSERT_STREQ(VerdictWord(r.verdict), "multiple") << seed;
        EXPECT_TRUE(GridMatchesClues(p, r.second));
        EXPECT_EQ(r.solution, p.answer);
        for (int i = 0; i < p.CellCount(); ++i)  // what logic decided fits both solutions
            EXPECT_TRUE(r.undecided[i] || r.second[i] == p.answer[i]) << i;
    }
}

TEST(LineLogic, SettlesWhatLinesAllowOrFindsTheContradiction) {
    const Puzzle cross = Picture({".#.", "###", ".#."});
    LineLogicResult r = ApplyLineLogic(cross, std::vector<std::int8_t>(9, -1));
    EXPECT_FALSE(r.contradiction);
    EXPECT_EQ(r.settled.size(), 9u);
    EXPECT_EQ(r.cells, (std::vector<std::int8_t>{0, 1, 0, 1, 1, 1, 0, 1, 0}));

    // Cells already given are not reported again.
    r = ApplyLineLogic(cross, {0, -1, -1, -1, -1, -1, -1, -1, 0});
    EXPECT_FALSE(r.contradiction);
    EXPECT_EQ(r.settled, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));

    // Only the top row is forced by what is given; the rest of the diagonal stays open.
    const Puzzle diagonal = Picture({"##.", "#..", "..."});
    r = ApplyLineLogic(diagonal, {1, -1, -1, -1, -1, -1, -1, -1, -1});
    EXPECT_FALSE(r.contradiction);
    EXPECT_EQ(r.cells, (std::vector<std::int8_t>{1, 1, 0, 1, 0, 0, 0, 0, 0}));

    EXPECT_TRUE(ApplyLineLogic(cross, {1, -1, -1, -1, -1, -1, -1, -1, -1}).contradiction);
    EXPECT_TRUE(ApplyLineLogic(cross, std::vector<std::int8_t>(8, -1)).contradiction);
}

}  // namespace
