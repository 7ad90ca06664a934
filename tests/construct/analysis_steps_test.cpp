// The analysis steps: binarization (the band [lower, upper) on the plain mean of the three
// samples, the layout of the planes, the light-blue pixels of the binary panel, the gray sums)
// and the reduction to blocks (the majority rule per block and the grid's orientation).
#include <cstdlib>
#include <utility>

#include "construct/binarize.h"
#include "construct/block_grid.h"

#include "analysis_support.h"

namespace {

TEST(Binarize, BandIsLowerInclusiveUpperExclusiveOnThePlainMean) {
    const struct {
        int lower, upper;
        Rgb pixel;
        int expected;
    } cases[] = {
        {0, 250, {0, 0, 0}, 1},          // all black
        {0, 250, {249, 249, 250}, 1},    // 749 / 3 = 249
        {0, 250, {250, 250, 250}, 0},    // upper excluded
        {0, 255, {255, 255, 255}, 0},    // the view's reset band: only pure white is out
        {100, 200, {100, 100, 100}, 1},  // lower included
        {100, 200, {99, 100, 100}, 0},   // 299 / 3 = 99
        {100, 200, {0, 45, 255}, 1},     // 300 / 3 = 100: no channel weights
        {130, 120, {125, 125, 125}, 0},  // an empty band
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "band [" << c.lower << ", " << c.upper << ") pixel "
                                          << c.pixel[0] << "," << c.pixel[1] << "," << c.pixel[2]);
        const ColumnBuffer planes = MakePlanes(1, 1, [&](int, int) { return c.pixel; });
        ColumnBuffer binary = MakeBuffer(1, 1, [](int, int) { return 7; });
        BinarizePlanes(planes, 1, 1, c.lower, c.upper, binary, nullptr);
        EXPECT_EQ(binary[0][0], c.expected);
    }
}

// Each sample differs, so that reading a wrong column of the planes or swapping x and y shows.
// With the gray sums: the first pass over the planes makes them, the next passes read them
// alone, and a change of the planes makes the pass read the planes again.  Every band gives
// what the planes give, and every other run draws the black pixels light blue into a panel
// narrower and taller than the picture, which clips them.
TEST(Binarize, EachPixelFromItsOwnColumnsAndTheGraySumsFollowThePlanes) {
    const int w = 37, h = 40;  // vector lengths and the rest, in every column
    auto sample = [](int x, int y, int c) { return (x * 37 + y * 11 + c * 101) % 256; };
    ColumnBuffer planes = MakePlanes(w, h, [&](int x, int y) {
        return Rgb{sample(x, y, 0), sample(x, y, 1), sample(x, y, 2)};
    });
    auto black = [&](int x, int y, int lower, int upper) {
        const int sum = sample(x, y, 0) + sample(x, y, 1) + sample(x, y, 2);
        return sum >= 3 * lower && sum < 3 * upper ? 1 : 0;
    };
    GraySums gray;
    ColumnBuffer binary = MakeBuffer(w, h, [](int, int) { return 7; });
    const std::pair<int, int> bands[] = {{0, 250}, {0, 255}, {100, 101}, {-5, 300}, {254, 256}};
    int run = 0;
    for (int pass = 0; pass < 3; ++pass) {
        for (const auto& [lower, upper] : bands) {
            SCOPED_TRACE(::testing::Message()
                         << "pass " << pass << " band " << lower << "," << upper);
            Surface panel(30, 45);
            const bool drawn = run++ % 2 == 1;
            BinarizePlanes(planes, w, h, lower, upper, binary, drawn ? &panel.dc : nullptr, &gray);
            ASSERT_TRUE(gray.Match(planes));
            for (int x = 0; x < w; ++x) {
                for (int y = 0; y < 45; ++y) {
                    const int expected = y < h ? black(x, y, lower, upper) : 0;
                    if (y < h) {
                        ASSERT_EQ(binary[x][y], expected) << x << "," << y;
                    }
                    if (x < 30) {
                        ASSERT_EQ(panel.at(x, y),
                                  drawn && expected ? kBinaryPixelColor : kFaceColor)
                            << x << "," << y;
                    }
                }
            }
        }
        // The sums are read, not the planes: a sample changed behind the planes' back does
        // not show (pixel (1, 0) sums to 414 before, 632 after), one written through them does.
        const_cast<std::int32_t*>(std::as_const(planes)[3])[0] = 255;
        BinarizePlanes(planes, w, h, 200, 256, binary, nullptr, &gray);
        EXPECT_EQ(binary[1][0], 0);
        planes[3][0] = 255;
        EXPECT_FALSE(gray.Match(planes));
        BinarizePlanes(planes, w, h, 200, 256, binary, nullptr, &gray);
        EXPECT_EQ(binary[1][0], 1);
        planes[3][0] = sample(1, 0, 0);
    }
}

// Block (3, 7) holds `at` black pixels and block (7, 3) `below`, taken in column-major order
// so that they spread over several columns of the block.  The four neighbours of (7, 3) are
// full: a count that leaks over a block's edge turns it black.
TEST(BlockGrid, MajorityThreshold) {
    const struct {
        int size, n, side, at, below;
    } cases[] = {{260, 20, 13, 84, 83}, {100, 10, 10, 50, 49}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "B = " << c.side);
        ASSERT_EQ(BlockSide(c.size, c.size, c.n), c.side);
        const int b = c.side;
        auto count = [&](int i, int j) {
            const int d = std::abs(i - 7) + std::abs(j - 3);
            return i == 3 && j == 7 ? c.at : d == 0 ? c.below : d == 1 ? b * b : 0;
        };
        const ColumnBuffer binary = MakeBuffer(c.size, c.size, [&](int x, int y) {
            return (x % b) * b + y % b < count(x / b, y / b);
        });
        ColumnBuffer answer = MakeBuffer(c.n, c.n, [](int, int) { return 7; });
        ReduceToBlocks(binary, c.size, c.size, c.n, answer);
        for (int i = 0; i < c.n; ++i) {
            for (int j = 0; j < c.n; ++j)
                EXPECT_EQ(answer[i][j], count(i, j) >= c.at ? 1 : 0) << i << "," << j;
        }
    }
}

}  // namespace
