// The search over bands and block counts: pictures built so that exactly one band, or exactly
// one block count, gives a grid with one solution; pictures where none does; and a check of
// every band against a plain walk over all of them.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "../solver/plain_logic.h"
#include "maker/band_search.h"
#include "maker_support.h"

namespace {

constexpr int kWhite = 255;  // in no band

// Cells of a 20 x 20 block picture: (i, j) -> gray level.
using LevelMap = std::map<std::pair<int, int>, int>;

ColumnBuffer Picture20(const LevelMap& cells) {
    return BlockPicture(20, 10, [&](int i, int j) {
        const auto it = cells.find({i, j});
        return it == cells.end() ? kWhite : it->second;
    });
}

// A diagonal pair of cells at (i, j) and (i + 1, j + 1), alone in their rows and columns: the
// clues cannot tell it from the other diagonal.
void AddSwitch(LevelMap& cells, int i, int j, int level) {
    cells[{i, j}] = level;
    cells[{i + 1, j + 1}] = level;
}
void AddRectangle(LevelMap& cells, int i0, int j0, int w, int h, int level) {
    for (int i = i0; i < i0 + w; ++i)
        for (int j = j0; j < j0 + h; ++j)
            cells[{i, j}] = level;
}

SearchStart StartAt(const std::vector<BlockLevels>& levels, int n, int lower, int upper) {
    for (const BlockLevels& b : levels) {
        if (b.N() == n) {
            const int side = b.Side() * b.N();
            return {lower, upper, n, b.Grid(lower, upper), side, side};
        }
    }
    return {};
}

TEST(BandSearch, FindsTheOneBandThatSeparatesASolvableShape) {
    // Levels 40, 120 and 200: every band takes a run of them.  Only level 120 alone, a
    // rectangle, has one solution; a switch at 40 and another at 200 spoil every other run.
    struct Case {
        const char* name;
        int w, h;          // the rectangle's size in blocks
        bool withinShare;  // its share of filled cells keeps near the switch's 0.5 %
    };
    for (const Case& c :
         {Case{"small rectangle", 6, 6, true}, Case{"large rectangle", 10, 10, false}}) {
        SCOPED_TRACE(c.name);
        LevelMap cells;
        AddSwitch(cells, 12, 12, 40);
        AddRectangle(cells, 1, 1, c.w, c.h, 120);
        AddSwitch(cells, 16, 17, 200);
        const std::vector<BlockLevels> levels = LevelsOf(Picture20(cells), {20});
        // The current puzzle is the first switch alone: band [0, 100).
        const SearchStart start = StartAt(levels, 20, 0, 100);
        const BandSearchResult r = SearchBands(levels, start);

        // Distinct picture grids: each run of levels but the current one.
        EXPECT_EQ(r.grids, 5);
        ASSERT_EQ(r.suggestions.size(), 1u);
        const Suggestion& s = r.suggestions[0];
        EXPECT_EQ(s.verdict, Verdict::Line);
        // The band nearest [0, 100) that holds 120 and neither 40 nor 200.
        EXPECT_EQ(s.lower, 41);
        EXPECT_EQ(s.upper, 121);
        EXPECT_EQ(s.bandDistance, 41 + 21);
        EXPECT_EQ(s.n, 20);
        EXPECT_EQ(s.changedCells, c.w * c.h + 2);
        EXPECT_EQ(s.withinShare, c.withinShare);
        EXPECT_EQ(r.onlyOutsideShare, !c.withinShare);
        EXPECT_EQ(s.cells, levels[0].Grid(41, 121));
        EXPECT_FALSE(r.hasBest);
    }
}

TEST(BandSearch, FindsTheOneBlockCountThatSolves) {
    // 200 x 200 pixels: blocks of 40, 20 and 10 pixels for N = 5, 10 and 20.  A rectangle on
    // the 40-pixel lattice solves at every N; a diagonal pair of 20-pixel squares straddling
    // 40-pixel blocks (a quarter of each) and a diagonal pair of 10-pixel squares inside one
    // 20-pixel block make switches at N = 10 and N = 20 and vanish at N = 5.
    LevelMap cells;
    AddRectangle(cells, 4, 8, 12, 4, 90);
    AddRectangle(cells, 2, 12, 2, 2, 90);
    AddRectangle(cells, 4, 14, 2, 2, 90);
    AddSwitch(cells, 16, 16, 90);
    const std::vector<BlockLevels> levels = LevelsOf(Picture20(cells));
    const SearchStart start = StartAt(levels, 20, 0, 250);
    ASSERT_EQ(Solve(Puzzle::FromGrid(20, 20, start.answer)).verdict, Verdict::Multiple);

    const BandSearchResult r = SearchBands(levels, start);
    EXPECT_EQ(r.grids, 2);  // the grids of N = 10 and N = 5; N = 20's is the current one
    ASSERT_EQ(r.suggestions.size(), 1u);
    const Suggestion& s = r.suggestions[0];
    EXPECT_EQ(s.n, 5);
    EXPECT_EQ(std::make_pair(s.lower, s.upper), std::make_pair(0, 250));
    EXPECT_EQ(s.changedCells, -1);
    EXPECT_TRUE(s.IsUnique());
    // Only the switches' pixels change colour: 2 * 400 + 2 * 100 of 40000.
    EXPECT_DOUBLE_EQ(s.changedArea, 1000.0 / 40000);
}

TEST(BandSearch, SaysNothingWorksAndGivesTheGridWithFewestUndecidedCells) {
    // Switches at three levels: every run of levels is one, two or three switches.
    LevelMap cells;
    AddSwitch(cells, 1, 1, 40);
    AddSwitch(cells, 6, 6, 120);
    AddSwitch(cells, 12, 3, 120);
    AddSwitch(cells, 16, 15, 200);
    const std::vector<BlockLevels> levels = LevelsOf(Picture20(cells), {20});
    const BandSearchResult r = SearchBands(levels, StartAt(levels, 20, 100, 150));
    EXPECT_TRUE(r.suggestions.empty());
    EXPECT_EQ(r.grids, 5);
    EXPECT_EQ(r.judged, 5);
    ASSERT_TRUE(r.hasBest);
    EXPECT_EQ(r.best.verdict, Verdict::Multiple);
    EXPECT_EQ(r.best.undecidedCount, 4);
    EXPECT_EQ(r.best.cells, levels[0].Grid(r.best.lower, r.best.upper));
}

TEST(BandSearch, CancelStopsBeforeJudging) {
    LevelMap cells;
    AddRectangle(cells, 3, 3, 5, 5, 100);
    AddSwitch(cells, 12, 12, 150);
    const std::vector<BlockLevels> levels = LevelsOf(Picture20(cells));
    std::atomic<bool> cancel{true};
    BandSearchOptions options;
    options.cancel = &cancel;
    const BandSearchResult r = SearchBands(levels, StartAt(levels, 20, 0, 250), options);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.judged, 0);
    EXPECT_TRUE(r.suggestions.empty());
}

// A plain walk: every band of every block count, its grid judged, the nearest band kept for
// each grid.  The search must report exactly the unique ones, each checked by the plain
// solution count where the grid is small enough.
TEST(BandSearch, ReportsEveryUniqueGridOfEveryBandWithItsNearestBand) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> level(0, 255);
    std::vector<int> blotch(25);
    for (int& v : blotch)
        v = level(rng);
    // 100 x 100 pixels of 5 x 5 blotches of gray, a little noise over them.
    const ColumnBuffer planes = MakePlanes(100, 100, [&](int x, int y) {
        const int v =
            std::clamp(blotch[(y / 20) * 5 + x / 20] + static_cast<int>(rng() % 41) - 20, 0, 255);
        return Rgb{v, v, std::clamp(v + 3, 0, 255)};
    });
    const std::vector<BlockLevels> levels = LevelsOf(planes);
    const SearchStart start = StartAt(levels, 10, 60, 170);
    BandSearchOptions options;
    options.maxSuggestions = 100000;
    std::vector<Suggestion> streamed;
    BandSearchEvents events;
    events.found = [&](const Suggestion& s) { streamed.push_back(s); };
    const BandSearchResult r = SearchBands(levels, start, options, events);

    std::map<std::pair<int, Cells>, std::tuple<int, int, int>> nearest;  // -> distance, l, u
    for (const BlockLevels& b : levels) {
        for (int l = 0; l < 255; ++l) {
            for (int u = l + 1; u <= 255; ++u) {
                const Cells grid = b.Grid(l, u);
                const auto d = std::make_tuple(std::abs(l - 60) + std::abs(u - 170), l, u);
                auto [it, added] = nearest.try_emplace({b.N(), grid}, d);
                if (!added && d < it->second)
                    it->second = d;
            }
        }
    }
    const FilledShare current = ShareOf(start.answer);
    std::set<std::tuple<int, int, int>> expected;  // n, l, u of every unique picture grid
    for (const auto& [key, d] : nearest) {
        const auto& [n, grid] = key;
        const FilledShare share = ShareOf(grid);
        if (!IsPicture(share) || !ShareWithin(share, current) ||
            (n == start.n && grid == start.answer))
            continue;
        const SolveResult s = Solve(Puzzle::FromGrid(n, n, grid));
        if (s.verdict == Verdict::Line || s.verdict == Verdict::Unique)
            expected.insert({n, std::get<1>(d), std::get<2>(d)});
    }
    ASSERT_FALSE(expected.empty());
    std::set<std::tuple<int, int, int>> got;
    for (std::size_t k = 0; k < r.suggestions.size(); ++k) {
        const Suggestion& s = r.suggestions[k];
        got.insert({s.n, s.lower, s.upper});
        if (k > 0) {
            EXPECT_FALSE(RanksBefore(s, r.suggestions[k - 1], start.n)) << k;
        }
        const BlockLayout layout = BlockLayout::Of(s.n, 100, 100);
        EXPECT_DOUBLE_EQ(
            s.changedArea,
            DifferingArea(s.cells, layout, start.answer, BlockLayout::Of(10, 100, 100)) / 10000.0);
        if (s.n <= 10) {
            const Puzzle p = Puzzle::FromGrid(s.n, s.n, s.cells);
            EXPECT_EQ(CountSolutions(p, std::vector<int>(s.n * s.n, -1), 2), 1);
        }
    }
    EXPECT_EQ(got, expected);
    EXPECT_EQ(streamed.size(), r.suggestions.size());
    EXPECT_FALSE(r.onlyOutsideShare);
}

}  // namespace
