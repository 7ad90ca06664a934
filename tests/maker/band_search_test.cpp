// The search over bands and block counts: pictures built so that exactly one band, or exactly
// one block count, gives a grid with one solution, and a check of every band against a plain
// walk over the window's analysis of all of them.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "analysis/binarize.h"
#include "analysis/block_grid.h"
#include "maker/band_search.h"
#include "maker_support.h"
#include "session/colour_search.h"

namespace {

SearchStart StartAt(const std::vector<BlockLevels>& levels, int n, int lower, int upper,
                    int width = 200, int height = 200) {
    for (const BlockLevels& b : levels)
        if (b.N() == n)
            return {lower, upper, n, b.Grid(lower, upper), width, height};
    return {};
}

TEST(BandSearch, FindsTheOneBandOrBlockCountThatSolves) {
    // In the three-level pictures the current puzzle is the switch at 40 alone, band [0, 100):
    // the answer is the band nearest it that holds 120 and neither 40 nor 200.  The large
    // rectangle's share of filled cells is far from the switch's 0.5 %.
    const struct {
        const char* name;
        LevelMap picture;
        std::vector<int> counts;
        int startUpper;
        int n, lower, upper, distance;
        int changedCells;   // -1 at another block count
        int changedPixels;  // of the 200 x 200
        bool withinShare;
    } cases[] = {
        {"small rectangle", ThreeLevels(6), {20}, 100, 20, 41, 121, 62, 38, 3800, true},
        {"large rectangle", ThreeLevels(10), {20}, 100, 20, 41, 121, 62, 102, 10200, false},
        // Only the switches' pixels change colour: 2 * 400 + 2 * 100.
        {"block count", CoarseOnly(), {5, 10, 20}, 250, 5, 0, 250, 0, -1, 1000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ColumnBuffer planes = Planes(200, 200, [&](int x, int y) {
            return painted::Gray(LevelAt(c.picture, x / 10, y / 10));
        });
        const std::vector<BlockLevels> levels = GatherBlockLevels(MakeLevelPlane(planes), c.counts);
        const BandSearchResult r = SearchBands(levels, StartAt(levels, 20, 0, c.startUpper));
        ASSERT_EQ(r.suggestions.size(), 1u);
        const Suggestion& s = r.suggestions[0];
        EXPECT_EQ(s.verdict, Verdict::Line);
        EXPECT_EQ(std::make_tuple(s.n, s.lower, s.upper), std::make_tuple(c.n, c.lower, c.upper));
        EXPECT_EQ(s.bandDistance, c.distance);
        EXPECT_EQ(s.changedCells, c.changedCells);
        EXPECT_DOUBLE_EQ(s.changedArea, c.changedPixels / 40000.0);
        EXPECT_EQ(s.withinShare, c.withinShare);
        EXPECT_EQ(r.onlyOutsideShare, !c.withinShare);
        EXPECT_EQ(s.cells, StartAt(levels, c.n, c.lower, c.upper).answer);
    }
}

// A plain walk: every band of every block count, its grid made by the window's analysis
// (binarized, then reduced to blocks) and judged, the nearest band kept for each grid.  The
// block levels must give the same grids, and the search must report exactly the unique ones,
// best first.
TEST(BandSearch, ReportsEveryUniqueGridOfTheWindowsAnalysisWithItsNearestBand) {
    // 60 x 45 pixels, which no block count divides, of 15-pixel blotches of gray with a little
    // noise over them, and a few pixels whose samples are in no band.
    const int width = 60, height = 45;
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> level(0, 255);
    std::vector<int> blotch(12);
    for (int& v : blotch)
        v = level(rng);
    const ColumnBuffer planes = Planes(width, height, [&](int x, int y) {
        if ((x + 3 * y) % 61 == 0)
            return Rgb{-40, 500, 900};
        const int v =
            std::clamp(blotch[(y / 15) * 4 + x / 15] + static_cast<int>(rng() % 41) - 20, 0, 255);
        return Rgb{v, v, std::clamp(v + 3, 0, 255)};
    });
    const std::vector<BlockLevels> levels = GatherBlockLevels(MakeLevelPlane(planes), kBlockCounts);
    const SearchStart start = StartAt(levels, 10, 60, 170, width, height);
    BandSearchOptions options;
    options.maxSuggestions = 100000;
    const BandSearchResult r = SearchBands(levels, start, options);

    std::map<std::pair<int, Cells>, std::tuple<int, int, int>> nearest;  // -> distance, l, u
    ColumnBuffer binary, blocks;
    binary.Allocate(width, height);
    blocks.Allocate(20, 20);
    for (int l = 0; l < 255; ++l) {
        for (int u = l + 1; u <= 255; ++u) {
            BinarizePlanes(planes, width, height, l, u, binary);
            for (const BlockLevels& b : levels) {
                const int n = b.N();
                ReduceToBlocks(binary, width, height, n, blocks);
                Cells grid(n * n);
                for (int k = 0; k < n * n; ++k)
                    grid[k] = blocks[k % n][k / n];
                ASSERT_EQ(b.Grid(l, u), grid) << "N " << n << " band " << l << ".." << u;
                const auto d = std::make_tuple(std::abs(l - 60) + std::abs(u - 170), l, u);
                auto& best = nearest.try_emplace({n, grid}, d).first->second;
                best = std::min(best, d);
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
    }
    EXPECT_EQ(got, expected);
    EXPECT_FALSE(r.onlyOutsideShare);
}

TEST(ColourSearch, FindsTheNearestColourCountAndBlocksWithOneSolution) {
    const Picture picture = painted::Filling(50, 50, GreenRowAndTwoReds);
    const struct {
        const char* name;
        int colours;
        std::vector<std::uint32_t> locked;
        int firstColours, firstN;
    } cases[] = {
        {"the reds merged", 2, {}, 3, 5},
        {"unique as it is", 3, {}, 3, 5},
        {"locked dark red stays first", 2, {0x821428}, 3, 5},
    };
    for (const auto& c : cases) {
        AnalysisSettings current{0, 250, BlockChoice::Square(5)};
        current.colours = c.colours;
        current.locked = c.locked;
        const ColourSearchResult r = SearchColours(picture, current);
        ASSERT_FALSE(r.suggestions.empty()) << c.name;
        EXPECT_EQ(r.suggestions[0].colours, c.firstColours) << c.name;
        EXPECT_EQ(r.suggestions[0].n, c.firstN) << c.name;
        const std::vector<AnalysisSettings> order = ColourSearchOrder(current);
        std::ptrdiff_t last = -1;
        for (const Suggestion& s : r.suggestions) {
            AnalysisSettings asked = current;
            asked.colours = s.colours;
            asked.blocks = BlockChoice::Square(s.n);
            const std::ptrdiff_t at = std::find(order.begin(), order.end(), asked) - order.begin();
            EXPECT_GT(at, last) << c.name << " " << s.colours << "/" << s.n;
            last = at;
            ColumnBuffer binary;
            const Puzzle made = Analyze(picture, asked, binary).puzzle;
            EXPECT_EQ(s.cells, made.answer) << c.name;
            EXPECT_EQ(s.palette, made.palette) << c.name;
            EXPECT_TRUE(s.IsUnique());
            if (!c.locked.empty()) {
                EXPECT_EQ(s.palette.at(1), c.locked[0]) << c.name;
            }
        }
    }
    // Each colour count 2..8 with each of the counts 5, 10, 20 and 7; a custom grid alone.
    AnalysisSettings seven{0, 250, BlockChoice::Square(7)};
    seven.colours = 4;
    EXPECT_EQ(ColourSearchOrder(seven).size(), 28u);
    EXPECT_EQ(ColourSearchOrder(seven)[0], seven);
    EXPECT_EQ(ColourSearchOrder(seven)[1].blocks.columns, 7);
    seven.blocks = {7, 3, true, false};
    EXPECT_EQ(ColourSearchOrder(seven).size(), 7u);
    const std::atomic<bool> stop{true};
    ColourSearchOptions options;
    options.cancel = &stop;
    const ColourSearchResult cancelled = SearchColours(picture, seven, options);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.suggestions.empty());
}

}  // namespace
