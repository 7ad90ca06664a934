// Binarization (the band [lower, upper) on the plain mean of the three samples, the layout of
// the planes, the light-blue pixels of the binary panel, the gray sums) against a plain
// reference.  The reduction to blocks is checked pixel by pixel in the analysis tests.
#include <utility>

#include "analysis/binarize.h"
#include "render/binary_panel.h"

#include "analysis_support.h"

namespace {

// Each sample differs, so that reading a wrong column of the planes, swapping x and y or
// weighting the channels shows; the band [101, 102) has pixels on both sides of both its ends.
// With the gray sums: the first pass over the planes makes them, the next passes read them
// alone, and a change of the planes makes the pass read the planes again.  Every band gives
// what the planes give, and every other run (each band both ways) draws the black pixels light
// blue into a panel narrower and taller than the picture, which clips them.
TEST(Binarize, EachPixelFromItsOwnColumnsAndTheGraySumsFollowThePlanes) {
    const int w = 37, h = 40;  // vector lengths and the rest, in every column
    // Channel c of pixel (x, y) is column 3x + c of the planes.
    auto sample = [](int x, int y, int c) { return (x * 37 + y * 11 + c * 101) % 256; };
    ColumnBuffer planes =
        MakeBuffer(3 * w, h, [&](int x, int y) { return sample(x / 3, y, x % 3); });
    auto black = [&](int x, int y, int lower, int upper) {
        const int sum = sample(x, y, 0) + sample(x, y, 1) + sample(x, y, 2);
        return sum >= 3 * lower && sum < 3 * upper ? 1 : 0;
    };
    GraySums gray;
    ColumnBuffer binary = MakeBuffer(w, h, [](int, int) { return 7; });
    const std::pair<int, int> bands[] = {{0, 250}, {101, 102}, {-5, 300}, {254, 256}};
    int run = 0;
    for (int pass = 0; pass < 3; ++pass) {
        for (const auto& [lower, upper] : bands) {
            SCOPED_TRACE(::testing::Message()
                         << "pass " << pass << " band " << lower << "," << upper);
            Surface panel(30, 45);
            const bool drawn = (run++ + pass) % 2 == 1;
            const BinaryExtent extent = BinarizePlanes(planes, w, h, lower, upper, binary, &gray);
            if (drawn)
                DrawBinaryPixels(binary, extent, panel.dc);
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
        BinarizePlanes(planes, w, h, 200, 256, binary, &gray);
        EXPECT_EQ(binary[1][0], 0);
        planes[3][0] = 255;
        EXPECT_FALSE(gray.Match(planes));
        BinarizePlanes(planes, w, h, 200, 256, binary, &gray);
        EXPECT_EQ(binary[1][0], 1);
        planes[3][0] = sample(1, 0, 0);
    }
}

}  // namespace
