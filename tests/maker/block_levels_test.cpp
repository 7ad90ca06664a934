// The block grid of every band, read off the gathered block levels, is the window's own: the
// same as binarizing the planes and reducing them to blocks, bit for bit.
#include <gtest/gtest.h>

#include <random>

#include "construct/binarize.h"
#include "construct/block_grid.h"
#include "maker_support.h"

namespace {

TEST(BlockLevels, GridOfEveryBandIsTheWindowsAnalysis) {
    // Canvases no block count divides, wide and tall; samples whose sum lies outside 0..765;
    // a canvas smaller than most block counts, which then have no whole block.
    const struct {
        int width, height, lowSample, highSample;
    } cases[] = {{83, 41, 0, 255}, {29, 97, 0, 255}, {64, 50, -300, 600}, {13, 9, 0, 255}};
    const std::vector<int> counts{1, 3, 5, 7, 10, 20, 33};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
        std::mt19937 rng(c.width * 1000 + c.height);
        std::uniform_int_distribution<int> sample(c.lowSample, c.highSample);
        const ColumnBuffer planes = MakePlanes(c.width, c.height, [&](int, int) {
            return Rgb{sample(rng), sample(rng), sample(rng)};
        });
        const std::vector<BlockLevels> levels = GatherBlockLevels(MakeLevelPlane(planes), counts);
        ASSERT_EQ(levels.size(), counts.size());
        // The edges of the range, then random bands.
        std::vector<std::pair<int, int>> bands{{0, 1}, {0, 255}, {254, 255}};
        std::uniform_int_distribution<int> level(0, 255);
        while (bands.size() < 120) {
            const int a = level(rng), b = level(rng);
            if (a != b)
                bands.emplace_back(std::min(a, b), std::max(a, b));
        }
        ColumnBuffer binary;
        binary.Allocate(c.width, c.height);
        for (auto [lower, upper] : bands) {
            BinarizePlanes(planes, c.width, c.height, lower, upper, binary, nullptr);
            for (const BlockLevels& b : levels) {
                const int n = b.N();
                ColumnBuffer blocks;
                blocks.Allocate(n, n);
                ReduceToBlocks(binary, c.width, c.height, n, blocks);
                const Cells grid = b.Grid(lower, upper);
                for (int i = 0; i < n; ++i)
                    for (int j = 0; j < n; ++j)
                        ASSERT_EQ(grid[j * n + i], blocks[i][j])
                            << "N " << n << " band " << lower << ".." << upper << " block " << i
                            << "," << j;
            }
        }
    }
}

TEST(BlockLevels, DifferingAreaCountsThePixelsWhoseColourChanges) {
    // A canvas no block count divides, so that layouts of different counts cover different
    // parts of it.
    const int width = 173, height = 151;
    std::mt19937 rng(7);
    for (int na : {5, 10, 20}) {
        for (int nb : {5, 10, 20}) {
            const BlockLayout la = BlockLayout::Of(na, width, height);
            const BlockLayout lb = BlockLayout::Of(nb, width, height);
            Cells a(na * na), b(nb * nb);
            for (auto& c : a)
                c = rng() & 1;
            for (auto& c : b)
                c = rng() & 1;
            const auto colour = [](const Cells& g, const BlockLayout& l, int x, int y) {
                const int i = x / l.side, j = y / l.side;
                return i < l.columns && j < l.rows && g[j * l.n + i];
            };
            long long expected = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    expected += colour(a, la, x, y) != colour(b, lb, x, y);
            EXPECT_EQ(DifferingArea(a, la, b, lb), expected) << "N " << na << " against " << nb;
        }
    }
}

}  // namespace
