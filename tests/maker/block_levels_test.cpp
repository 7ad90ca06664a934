// The block grid of every band, read off the gathered block levels, is the window's own: the
// same as binarizing the planes and reducing them to blocks, bit for bit, for canvases of odd
// sizes, every block count and samples also outside 0..255.
#include <gtest/gtest.h>

#include <random>

#include "construct/binarize.h"
#include "construct/block_grid.h"
#include "maker_support.h"

namespace {

struct PictureCase {
    const char* name;
    int width, height;
    int lowSample, highSample;  // samples drawn uniformly from this range
    int blotch;                 // > 0: samples constant over blotch x blotch squares
};

const PictureCase kPictures[] = {
    {"square noise", 60, 60, 0, 255, 0},
    {"wide odd canvas", 83, 41, 0, 255, 0},
    {"tall canvas", 29, 97, 0, 255, 0},
    {"blotches", 120, 120, 0, 255, 7},
    {"samples out of range", 64, 50, -300, 600, 0},
    {"smaller than the block count", 13, 9, 0, 255, 0},
};

// Every band with bounds on a coarse lattice, the edges of the range, and random ones.
std::vector<std::pair<int, int>> Bands(std::mt19937& rng) {
    std::vector<std::pair<int, int>> bands{{0, 1}, {0, 255}, {254, 255}, {0, 250}, {127, 128}};
    for (int l = 0; l < 255; l += 23)
        for (int u = l + 1; u <= 255; u += 29)
            bands.emplace_back(l, u);
    std::uniform_int_distribution<int> level(0, 255);
    while (bands.size() < 260) {
        const int a = level(rng), b = level(rng);
        if (a != b)
            bands.emplace_back(std::min(a, b), std::max(a, b));
    }
    return bands;
}

TEST(BlockLevels, GridOfEveryBandIsTheWindowsAnalysis) {
    const std::vector<int> counts{1, 3, 5, 7, 10, 20, 33};
    for (const PictureCase& pc : kPictures) {
        SCOPED_TRACE(pc.name);
        std::mt19937 rng(pc.width * 1000 + pc.height);
        std::uniform_int_distribution<int> sample(pc.lowSample, pc.highSample);
        std::vector<Rgb> blotches(pc.width * pc.height);
        for (Rgb& rgb : blotches)
            rgb = {sample(rng), sample(rng), sample(rng)};
        const ColumnBuffer planes = MakePlanes(pc.width, pc.height, [&](int x, int y) {
            if (pc.blotch > 0)
                x -= x % pc.blotch, y -= y % pc.blotch;
            return blotches[y * pc.width + x];
        });
        const std::vector<BlockLevels> levels = LevelsOf(planes, counts);
        ASSERT_EQ(levels.size(), counts.size());

        ColumnBuffer binary;
        binary.Allocate(pc.width, pc.height);
        for (auto [lower, upper] : Bands(rng)) {
            BinarizePlanes(planes, pc.width, pc.height, lower, upper, binary, nullptr);
            for (const BlockLevels& b : levels) {
                const int n = b.N();
                ColumnBuffer blocks;
                blocks.Allocate(n, n);
                ReduceToBlocks(binary, pc.width, pc.height, n, blocks);
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
    std::mt19937 rng(7);
    for (auto [width, height] : {std::pair{200, 200}, {173, 151}, {60, 95}}) {
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
                EXPECT_EQ(DifferingArea(a, la, b, lb), expected)
                    << width << "x" << height << " N " << na << " against " << nb;
            }
        }
    }
}

}  // namespace
