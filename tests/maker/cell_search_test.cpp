// The fewest cell changes: every suggestion has exactly one solution (by the solver and by a
// plain count), changes exactly the cells it names, and no smaller set of changes does (every
// smaller set tried on 5 x 5 and 10 x 10 grids).
#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "../solver/plain_logic.h"
#include "maker/cell_search.h"
#include "maker_support.h"

namespace {

bool PlainUnique(int n, const Cells& cells) {
    return CountSolutions(Puzzle::FromGrid(n, n, cells), std::vector<int>(n * n, -1), 2) == 1;
}

bool SolverUnique(int n, const Cells& cells) {
    const Verdict v = Solve(Puzzle::FromGrid(n, n, cells)).verdict;
    return v == Verdict::Line || v == Verdict::Unique;
}

// A grid with the cells of `changes` flipped is a suggestion the search may make: one
// solution, and a picture within the share.
bool Acceptable(int n, const Cells& answer, const Cells& changed,
                const std::function<bool(int, const Cells&)>& unique) {
    const FilledShare share = ShareOf(changed);
    return IsPicture(share) && ShareWithin(share, ShareOf(answer)) && unique(n, changed);
}

// The fewest changes that make the grid acceptable, by trying every set of up to `most` cells;
// `most` + 1 when none does.
int FewestByBruteForce(int n, const Cells& answer, int most,
                       const std::function<bool(int, const Cells&)>& unique) {
    const int cells = n * n;
    for (int k = 1; k <= most; ++k) {
        std::vector<int> pick(k);
        std::iota(pick.begin(), pick.end(), 0);
        while (true) {
            Cells changed = answer;
            for (int c : pick)
                changed[c] ^= 1;
            if (Acceptable(n, answer, changed, unique))
                return k;
            int i = k - 1;
            while (i >= 0 && pick[i] == cells - k + i)
                --i;
            if (i < 0)
                break;
            ++pick[i];
            for (int j = i + 1; j < k; ++j)
                pick[j] = pick[j - 1] + 1;
        }
    }
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
        EXPECT_TRUE(SolverUnique(n, s.cells));
        if (plain) {
            EXPECT_TRUE(PlainUnique(n, s.cells));
        }
        EXPECT_EQ(s.verdict, Solve(Puzzle::FromGrid(n, n, s.cells)).verdict);
    }
}

SearchStart StartOf(int n, Cells answer) {
    return {0, 250, n, std::move(answer), 20 * n, 20 * n};
}

// Random grids with several solutions, `fill` percent of the cells filled, until `wanted` of
// them need at least `fewest` changes; each is checked against the brute force up to `most`
// changes.
void CheckAgainstBruteForce(int n, int fill, int fewest, int wanted, int most,
                            const std::function<bool(int, const Cells&)>& unique) {
    std::mt19937 rng(n * 100 + fill);
    int checked = 0;
    for (int round = 0; checked < wanted && round < 20000; ++round) {
        Cells answer(n * n);
        for (auto& c : answer)
            c = static_cast<int>(rng() % 100) < fill;
        if (Solve(Puzzle::FromGrid(n, n, answer)).verdict != Verdict::Multiple)
            continue;
        const SearchStart start = StartOf(n, answer);
        const CellSearchResult r = SearchCellChanges(start);
        ASSERT_TRUE(r.complete);
        ASSERT_FALSE(r.suggestions.empty());
        ASSERT_FALSE(r.onlyOutsideShare);
        const int found = static_cast<int>(r.suggestions[0].changed.size());
        if (found < fewest || found > most)
            continue;
        ++checked;
        SCOPED_TRACE(::testing::PrintToString(answer));
        ExpectSuggestionsHold(start, r, true);
        EXPECT_EQ(FewestByBruteForce(n, answer, found, unique), found);
    }
    EXPECT_EQ(checked, wanted);
}

TEST(CellSearch, FewestChangesOnFiveByFiveGridsAgreeWithBruteForce) {
    // Sparse grids, where one change is seldom enough; every set of up to 3 cells is tried
    // with a plain count of the solutions.
    CheckAgainstBruteForce(5, 20, 1, 10, 3, PlainUnique);
    CheckAgainstBruteForce(5, 20, 2, 30, 3, PlainUnique);
    CheckAgainstBruteForce(5, 20, 3, 3, 3, PlainUnique);
}

TEST(CellSearch, FewestChangesOnTenByTenGridsAgreeWithBruteForce) {
    // Every pair of cells tried by the solver.
    CheckAgainstBruteForce(10, 40, 2, 6, 2, SolverUnique);
    // Picture-like grids from the puzzle files.
    for (const char* name : {"blob10/p0005.non", "blob10/p0018.non", "blob10/p0028.non"}) {
        SCOPED_TRACE(name);
        const Cells answer = GoalOf(name);
        ASSERT_EQ(answer.size(), 100u);
        const SearchStart start = StartOf(10, answer);
        const CellSearchResult r = SearchCellChanges(start);
        ASSERT_FALSE(r.suggestions.empty());
        ExpectSuggestionsHold(start, r, true);
        EXPECT_EQ(r.suggestions[0].changed.size(), 1u);
    }
}

TEST(CellSearch, ChangesThatEmptyOrCrowdThePictureAreNotSuggestedFirst) {
    // A 2 x 2 switch: one change makes it unique, but moves the share 25 points; two changes
    // keep it at a half.  Limited to one change, the search says it had to leave the share.
    const Cells answer{1, 0, 0, 1};
    const SearchStart start = StartOf(2, answer);
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

TEST(CellSearch, TwentyByTwentyPuzzlesGetUniqueSuggestionsInTime) {
    for (const char* name : {"blob20/p0001.non", "blob20/p0002.non", "blob20/p0003.non"}) {
        SCOPED_TRACE(name);
        const SearchStart start = StartOf(20, GoalOf(name));
        CellSearchOptions options;
        options.seconds = 5;
        const CellSearchResult r = SearchCellChanges(start, options);
        ASSERT_FALSE(r.suggestions.empty());
        ExpectSuggestionsHold(start, r, false);
        EXPECT_LE(r.suggestions[0].changed.size(), 8u);
    }
}

TEST(CellSearch, NothingWithinTheLimitGivesTheFewestUndecided) {
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
}

TEST(CellSearch, AUniqueAnswerNeedsNoChange) {
    Cells answer(25, 0);
    for (int c : {6, 7, 8, 12})
        answer[c] = 1;
    const CellSearchResult r = SearchCellChanges(StartOf(5, answer));
    EXPECT_TRUE(r.alreadyUnique);
    EXPECT_TRUE(r.suggestions.empty());
    EXPECT_EQ(r.judged, 1);
}

}  // namespace
