// The fewest cell changes: every suggestion has exactly one solution (by the solver and by a
// plain count), changes exactly the cells it names, and no smaller set of changes does (every
// smaller set tried on 5 x 5 and 10 x 10 grids).
#include <gtest/gtest.h>

#include <random>

#include "../solver/plain_logic.h"
#include "formats/puzzle_file.h"
#include "maker/cell_search.h"
#include "maker_support.h"

namespace {

using Unique = bool (*)(int n, const Cells& cells);

bool PlainUnique(int n, const Cells& cells) {
    return CountSolutions(Puzzle::FromGrid(n, n, cells), std::vector<int>(n * n, -1), 2) == 1;
}

bool SolverUnique(int n, const Cells& cells) {
    const Verdict v = Solve(Puzzle::FromGrid(n, n, cells)).verdict;
    return v == Verdict::Line || v == Verdict::Unique;
}

// True when flipping `k` more cells of `grid`, from cell `first` on, gives a suggestion the
// search may make: one solution, and a picture within the share of `answer`.
bool SomeFlipsWork(int n, const Cells& answer, Cells& grid, int first, int k, Unique unique) {
    if (k == 0) {
        const FilledShare share = ShareOf(grid);
        return IsPicture(share) && ShareWithin(share, ShareOf(answer)) && unique(n, grid);
    }
    for (int c = first; c < n * n; ++c) {
        grid[c] ^= 1;
        const bool works = SomeFlipsWork(n, answer, grid, c + 1, k - 1, unique);
        grid[c] ^= 1;
        if (works)
            return true;
    }
    return false;
}

// The fewest changes that make the grid acceptable, by trying every set of up to `most` cells;
// `most` + 1 when none does.
int FewestByBruteForce(int n, const Cells& answer, int most, Unique unique) {
    Cells grid = answer;
    for (int k = 1; k <= most; ++k)
        if (SomeFlipsWork(n, answer, grid, 0, k, unique))
            return k;
    return most + 1;
}

void ExpectSuggestionsHold(const SearchStart& start, const CellSearchResult& r, bool plain) {
    const int n = start.n;
    for (const Suggestion& s : r.suggestions) {
        Cells expected = start.answer;
        for (int c : s.changed)
            expected[c] ^= 1;
        EXPECT_EQ(s.cells, expected);
        EXPECT_EQ(s.changedCells, static_cast<int>(s.changed.size()));
        EXPECT_EQ(s.changed.size(), r.suggestions[0].changed.size());
        EXPECT_EQ(s.verdict, Solve(Puzzle::FromGrid(n, n, s.cells)).verdict);
        EXPECT_TRUE(s.IsUnique());
        if (plain) {
            EXPECT_TRUE(PlainUnique(n, s.cells));
        }
    }
}

SearchStart StartOf(int n, Cells answer) {
    return {0, 250, n, std::move(answer), 20 * n, 20 * n};
}

TEST(CellSearch, FewestChangesOnRandomGridsAgreeWithBruteForce) {
    // Random grids with several solutions, `fill` percent of the cells filled, until `wanted`
    // of them need at least `fewest` changes; each checked against every set of up to as many
    // changes as the search found.  Sparse 5 x 5 grids seldom need only one.
    const struct {
        int n, fill, fewest, wanted, most;
        Unique unique;
    } cases[] = {
        {5, 20, 1, 10, 3, PlainUnique},
        {5, 20, 2, 30, 3, PlainUnique},
        {5, 20, 3, 3, 3, PlainUnique},
        {10, 40, 2, 6, 2, SolverUnique},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.n << " x " << c.n << ", at least " << c.fewest);
        std::mt19937 rng(c.n * 100 + c.fill);
        int checked = 0;
        for (int round = 0; checked < c.wanted && round < 20000; ++round) {
            Cells answer(c.n * c.n);
            for (auto& cell : answer)
                cell = static_cast<int>(rng() % 100) < c.fill;
            if (Solve(Puzzle::FromGrid(c.n, c.n, answer)).verdict != Verdict::Multiple)
                continue;
            const SearchStart start = StartOf(c.n, answer);
            const CellSearchResult r = SearchCellChanges(start);
            ASSERT_TRUE(r.complete);
            ASSERT_FALSE(r.suggestions.empty());
            ASSERT_FALSE(r.onlyOutsideShare);
            const int found = static_cast<int>(r.suggestions[0].changed.size());
            if (found < c.fewest || found > c.most)
                continue;
            ++checked;
            SCOPED_TRACE(::testing::PrintToString(answer));
            ExpectSuggestionsHold(start, r, true);
            EXPECT_EQ(FewestByBruteForce(c.n, answer, found, c.unique), found);
        }
        EXPECT_EQ(checked, c.wanted);
    }
}

TEST(CellSearch, PicturesFromThePuzzleFilesGetUniqueSuggestionsInTime) {
    const struct {
        const char* name;
        std::size_t most;  // changes
    } cases[] = {
        {"blob10/p0005.non", 1}, {"blob10/p0018.non", 1}, {"blob10/p0028.non", 1},
        {"blob20/p0001.non", 8}, {"blob20/p0002.non", 8}, {"blob20/p0003.non", 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Cells answer =
            ReadPuzzleFile(std::string(NGM_TEST_DATA) + "/puzzles/" + c.name).puzzle.answer;
        const int n = answer.size() == 100 ? 10 : 20;
        ASSERT_EQ(answer.size(), static_cast<std::size_t>(n * n));
        const SearchStart start = StartOf(n, answer);
        CellSearchOptions options;
        options.seconds = 5;
        const CellSearchResult r = SearchCellChanges(start, options);
        ASSERT_FALSE(r.suggestions.empty());
        ExpectSuggestionsHold(start, r, n == 10);
        EXPECT_LE(r.suggestions[0].changed.size(), c.most);
    }
}

TEST(CellSearch, ChangesThatEmptyOrCrowdThePictureAreNotSuggestedFirst) {
    // A 2 x 2 switch: one change makes it unique, but moves the share 25 points; two changes
    // keep it at a half.  Limited to one change, the search says it had to leave the share.
    const SearchStart start = StartOf(2, {1, 0, 0, 1});
    const CellSearchResult r = SearchCellChanges(start);
    ASSERT_FALSE(r.suggestions.empty());
    EXPECT_FALSE(r.onlyOutsideShare);
    EXPECT_EQ(r.suggestions[0].changed.size(), 2u);
    for (const Suggestion& s : r.suggestions)
        EXPECT_EQ(ShareOf(s.cells).filled, 2);
    ExpectSuggestionsHold(start, r, true);

    CellSearchOptions options;
    options.maxChanges = 1;
    const CellSearchResult one = SearchCellChanges(start, options);
    ASSERT_FALSE(one.suggestions.empty());
    EXPECT_TRUE(one.onlyOutsideShare);
    EXPECT_EQ(one.suggestions[0].changed.size(), 1u);
    EXPECT_FALSE(one.suggestions[0].withinShare);
}

TEST(CellSearch, NoSuggestionWhenNothingWithinTheLimitWorksOrNoneIsNeeded) {
    // Two switches with different runs, so that they cannot trade cells: single cells at
    // (1, 1) and (2, 2), 2 x 2 squares at (5, 5) and (7, 7).  One change breaks one of them.
    Cells answer(100, 0);
    for (int c : {11, 22, 55, 56, 65, 66, 77, 78, 87, 88})
        answer[c] = 1;
    const SolveResult original = Solve(Puzzle::FromGrid(10, 10, answer));
    ASSERT_EQ(original.verdict, Verdict::Multiple);
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
    const SolveResult best = Solve(Puzzle::FromGrid(10, 10, r.best.cells));
    EXPECT_EQ(r.best.undecidedCount, best.undecidedCount);
    EXPECT_LT(best.undecidedCount, original.undecidedCount);
    EXPECT_EQ(FewestByBruteForce(10, answer, 1, SolverUnique), 2);

    options.maxChanges = 2;
    const CellSearchResult two = SearchCellChanges(start, options);
    ASSERT_FALSE(two.suggestions.empty());
    EXPECT_EQ(two.suggestions[0].changed.size(), 2u);
    ExpectSuggestionsHold(start, two, true);

    // An answer with one solution already needs no change.
    Cells unique(25, 0);
    for (int c : {6, 7, 8, 12})
        unique[c] = 1;
    const CellSearchResult none = SearchCellChanges(StartOf(5, unique));
    EXPECT_TRUE(none.alreadyUnique);
    EXPECT_TRUE(none.suggestions.empty());
    EXPECT_EQ(none.judged, 1);
}

}  // namespace
