// The fewest cell changes: every suggestion has exactly one solution (by the solver and by a
// plain count), changes exactly the cells it names, and no smaller set of changes does (every
// smaller set tried).
// New puzzles: each generated puzzle has one solution by a plain count, and the difficulty it
// was asked for by what plain line logic and probing leave open; the time limit is kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>

#include "../solver/oracle.h"
#include "maker/cell_search.h"
#include "maker/colour_cell_search.h"
#include "maker/puzzle_generator.h"
#include "maker_support.h"

namespace {

bool PlainUnique(int columns, int rows, const Cells& cells) {
    return CountSolutions(Puzzle::FromGrid(columns, rows, cells),
                          std::vector<int>(cells.size(), -1), 2)
               .solutions == 1;
}

// True when flipping `k` more cells of `grid`, from cell `first` on, gives a suggestion the
// search may make: one solution, and a picture within the share of `answer`.  Every set of
// changes is tried.
bool SomeFlipsWork(int columns, const Cells& answer, Cells& grid, int first, int k) {
    const int rows = static_cast<int>(grid.size()) / columns;
    if (k == 0) {
        const FilledShare share = ShareOf(grid);
        return IsPicture(share) && ShareWithin(share, ShareOf(answer)) &&
               PlainUnique(columns, rows, grid);
    }
    for (int c = first; c < static_cast<int>(grid.size()); ++c) {
        grid[c] ^= 1;
        const bool works = SomeFlipsWork(columns, answer, grid, c + 1, k - 1);
        grid[c] ^= 1;
        if (works)
            return true;
    }
    return false;
}

void ExpectSuggestionsHold(const SearchStart& start, const CellSearchResult& r, int columns = 0) {
    columns = columns > 0 ? columns : start.n;
    const int rows = static_cast<int>(start.answer.size()) / columns;
    for (const Suggestion& s : r.suggestions) {
        EXPECT_EQ(std::make_pair(s.columns, s.rows), std::make_pair(columns, rows));
        Cells expected = start.answer;
        for (int c : s.changed)
            expected[c] ^= 1;
        EXPECT_EQ(s.cells, expected);
        EXPECT_EQ(s.changed.size(), r.suggestions[0].changed.size());
        EXPECT_TRUE(s.IsUnique());
        EXPECT_TRUE(PlainUnique(columns, rows, s.cells));
    }
}

SearchStart StartOf(int n, Cells answer) {
    return {0, 250, n, std::move(answer), 20 * n, 20 * n};
}

// Random answers with several solutions, square ones on the n x n canvas and others cut by a
// custom division of the canvas (blocks of 10 x 10 pixels), until enough of them need one, two
// and three changes (0: any number); each checked against every set of fewer changes.
TEST(CellSearch, FewestChangesOnRandomGridsAgreeWithBruteForce) {
    const struct {
        int columns, rows, percent;
        std::vector<int> wanted;
    } cases[] = {{5, 5, 20, {10, 30, 3}}, {7, 4, 35, {5, 5, 0}}, {4, 6, 35, {5, 5, 0}}};
    std::mt19937 rng(520);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.columns);
        const bool square = c.columns == c.rows;
        std::vector<int> checked(3, 0);
        const auto enough = [&] {
            return std::ranges::equal(checked, c.wanted, std::greater_equal());
        };
        for (int round = 0; !enough() && round < 20000; ++round) {
            Cells answer(c.columns * c.rows);
            for (auto& cell : answer)
                cell = static_cast<int>(rng() % 100) < c.percent;
            if (Solve(Puzzle::FromGrid(c.columns, c.rows, answer)).verdict != Verdict::Multiple)
                continue;
            const SearchStart start =
                square ? StartOf(c.columns, answer)
                       : SearchStart{0, 250, c.columns, answer, 10 * c.columns, 10 * c.rows};
            CellSearchOptions options;
            if (!square)
                options.currentDivision =
                    CanvasDivision(c.columns, c.rows, 10 * c.columns, 10 * c.rows);
            const CellSearchResult r = SearchCellChanges(start, options);
            ASSERT_TRUE(r.complete);
            if (r.suggestions.empty() || r.onlyOutsideShare) {
                ASSERT_FALSE(square);  // a square answer always has a change within its share
                continue;
            }
            const int found = static_cast<int>(r.suggestions[0].changed.size());
            if (found > 3 || (c.wanted[found - 1] > 0 && checked[found - 1] == c.wanted[found - 1]))
                continue;
            ++checked[found - 1];
            SCOPED_TRACE(::testing::PrintToString(answer));
            ExpectSuggestionsHold(start, r, c.columns);
            EXPECT_DOUBLE_EQ(r.suggestions[0].changedArea, found / double(c.columns * c.rows));
            Cells grid = answer;
            for (int fewer = 1; fewer < found; ++fewer)
                EXPECT_FALSE(SomeFlipsWork(c.columns, answer, grid, 0, fewer)) << fewer;
        }
        EXPECT_TRUE(enough());
    }
}

TEST(CellSearch, WhenOnlyChangesThatMoveTheShareWorkTheSearchSaysSo) {
    // A 2 x 2 switch: one change makes it unique, but moves the share 25 points; two changes
    // would keep it at a half.
    CellSearchOptions options;
    options.maxChanges = 1;
    const CellSearchResult r = SearchCellChanges(StartOf(2, {1, 0, 0, 1}), options);
    ASSERT_FALSE(r.suggestions.empty());
    EXPECT_TRUE(r.onlyOutsideShare);
    EXPECT_EQ(r.suggestions[0].changed.size(), 1u);
    EXPECT_FALSE(r.suggestions[0].withinShare);
    // Any non-zero answer cell is a filled one, and a change empties it.
    const CellSearchResult wide = SearchCellChanges(StartOf(2, {255, 0, 0, 7}), options);
    ASSERT_EQ(wide.suggestions.size(), r.suggestions.size());
    EXPECT_EQ(wide.suggestions[0].cells, r.suggestions[0].cells);
}

TEST(CellSearch, NoSuggestionWhenNothingWithinTheLimitWorksOrNoneIsNeeded) {
    // Two switches with different runs, so that they cannot trade cells: single cells at
    // (1, 1) and (2, 2), 2 x 2 squares at (5, 5) and (7, 7).  One change breaks one of them.
    Cells answer(100, 0);
    for (int c : {11, 22, 55, 56, 65, 66, 77, 78, 87, 88})
        answer[c] = 1;
    const SolveResult original = Solve(Puzzle::FromGrid(10, 10, answer));
    ASSERT_EQ(original.undecidedCount, 4 + 16);
    CellSearchOptions options;
    options.maxChanges = 1;
    const SearchStart start = StartOf(10, answer);
    const CellSearchResult r = SearchCellChanges(start, options);
    EXPECT_TRUE(r.suggestions.empty());
    EXPECT_TRUE(r.complete);
    ASSERT_TRUE(r.hasBest);
    EXPECT_EQ(r.best.changed.size(), 1u);
    EXPECT_EQ(r.best.verdict, Verdict::Multiple);
    EXPECT_LT(r.best.undecidedCount, original.undecidedCount);
    Cells grid = answer;
    EXPECT_FALSE(SomeFlipsWork(10, answer, grid, 0, 1));

    // An answer with one solution already needs no change.
    const CellSearchResult none = SearchCellChanges(StartOf(2, {1, 1, 1, 0}));
    EXPECT_TRUE(none.alreadyUnique);
    EXPECT_TRUE(none.suggestions.empty());
}

// Colour puzzles: a changed cell takes another colour or the background.  Each suggestion
// changes exactly the cells it names and solves alone; a puzzle unique already, or black and
// white, gets none.
TEST(ColourCellSearch, SuggestionsChangeTheirCellsToOtherColoursAndSolveAlone) {
    const std::vector<std::uint32_t> palette{0xffffff, 0xff0000, 0x0000ff};
    const struct {
        int width;
        Cells cells;
        int changes;  // of each suggestion; 0: none needed
    } cases[] = {
        // Two red cells on a diagonal swap with the other diagonal.
        {2, {1, 0, 0, 1}, 1},
        // Red and blue on the diagonal tell it apart already.
        {2, {1, 0, 0, 2}, 0},
        // Two red and two blue diagonals, each swappable: a change for each.
        {4, {1, 0, 2, 0, 0, 1, 0, 2, 2, 0, 1, 0, 0, 2, 0, 1}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cells.size());
        const int rows = static_cast<int>(c.cells.size()) / c.width;
        const Puzzle puzzle = Puzzle::FromColourGrid(c.width, rows, c.cells, palette);
        const CellSearchResult r = SearchColourCellChanges(puzzle);
        EXPECT_EQ(r.alreadyUnique, c.changes == 0);
        if (c.changes == 0) {
            EXPECT_TRUE(r.suggestions.empty());
            continue;
        }
        ASSERT_FALSE(r.suggestions.empty());
        for (const Suggestion& s : r.suggestions) {
            EXPECT_EQ(static_cast<int>(s.changed.size()), c.changes);
            for (int k = 0; k < static_cast<int>(c.cells.size()); ++k) {
                const bool named = std::count(s.changed.begin(), s.changed.end(), k) > 0;
                EXPECT_EQ(s.cells[k] != c.cells[k], named) << k;
                EXPECT_LE(s.cells[k], 2) << k;
            }
            const SolveResult solved =
                Solve(Puzzle::FromColourGrid(c.width, rows, s.cells, palette));
            EXPECT_TRUE(solved.verdict == Verdict::Line || solved.verdict == Verdict::Unique);
            EXPECT_EQ(solved.solution, s.cells);
        }
    }
    EXPECT_TRUE(SearchColourCellChanges(Puzzle::FromGrid(2, 2, {1, 0, 0, 1})).suggestions.empty());
}

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
