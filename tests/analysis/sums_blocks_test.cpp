// The block grid counted from the gray sums agrees, block for block, with the binary image
// reduced to blocks, for every block count, odd and tiny canvases and bands at the edges.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "../support/painted.h"
#include "analysis/binarize.h"
#include "analysis/block_grid.h"

namespace {

// A picture whose gray level drifts, so that blocks are mixed and some split exactly in half.
Picture Drifting(int width, int height, unsigned seed, bool stripes) {
    std::mt19937 rng(seed);
    int level = 0;
    return painted::Filling(width, height, [&](int x, int y) {
        level = y == 0 ? static_cast<int>(rng() % 256) : level;
        level = std::clamp(level + static_cast<int>(rng() % 41) - 20, 0, 255);
        const int value = stripes ? (x % 2 ? 0 : 255) : level;
        return painted::Samples{std::max(value - 1, 0), value, std::min(value + 1, 255)};
    });
}

TEST(SumsToBlocks, AgreesWithTheBinaryImageReducedToBlocks) {
    const std::tuple<int, int, bool> pictures[] = {
        // width, height, stripes
        {1, 1, false},  {4, 9, false},     {7, 5, false},     {13, 29, false},
        {41, 40, true}, {260, 260, false}, {301, 299, false}, {200, 120, true}};
    const std::pair<int, int> bands[] = {{0, 250},   {0, 0},    {100, 101}, {0, 255},
                                         {200, 100}, {-5, 300}, {127, 128}};
    unsigned seed = 1;
    for (const auto& [width, height, stripes] : pictures) {
        Picture picture = Drifting(width, height, seed++, stripes);
        ColumnBuffer binary;
        binary.Allocate(width, height);
        for (const auto& [lower, upper] : bands) {
            BinarizePlanes(picture.planes, width, height, lower, upper, binary, &picture.gray);
            ASSERT_TRUE(picture.gray.Match(picture.planes));
            for (int n : {5, 10, 20}) {
                SCOPED_TRACE(testing::Message() << width << "x" << height << " band " << lower
                                                << "," << upper << " n " << n);
                ColumnBuffer expected, counted;
                expected.Allocate(n, n);
                counted.Allocate(n, n);
                ReduceToBlocks(binary, width, height, n, expected);
                counted[0][0] = 7;  // every cell is written, also where no block reaches
                ReduceSumsToBlocks(picture.gray, width, height, lower, upper, n, counted);
                for (int i = 0; i < n; ++i) {
                    for (int j = 0; j < n; ++j)
                        ASSERT_EQ(counted[i][j], expected[i][j]) << i << "," << j;
                }
            }
        }
    }
}

}  // namespace
