// Binarization: the band [lower, upper) on the plain mean of the three samples, the layout of
// the planes, and the light-blue pixels of the binary panel.
#include "construct/binarize.h"

#include <gtest/gtest.h>

#include <utility>

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

// Each pixel has its own gray and unequal channels, so reading a wrong column of the planes or
// swapping x and y changes the result.  The panel is narrower and taller than the picture: it
// clips the light-blue pixels, while the binary image is complete.
TEST(Binarize, EachPixelFromItsOwnColumnsAndLightBlueInThePanel) {
    const int w = 30, h = 23;
    auto gray = [](int x, int y) { return 190 - 5 * x + 2 * y; };
    auto black = [&](int x, int y) { return gray(x, y) >= 80 && gray(x, y) < 125; };
    const ColumnBuffer planes = MakePlanes(w, h, [&](int x, int y) {
        const int g = gray(x, y);
        return Rgb{g - 30, g + 15, g + 15};
    });
    ColumnBuffer binary = MakeBuffer(w, h, [](int, int) { return 7; });
    Surface panel(26, 40);
    BinarizePlanes(planes, w, h, 80, 125, binary, &panel.dc);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < w; ++x) {
            if (y < h) {
                ASSERT_EQ(binary[x][y], black(x, y) ? 1 : 0) << x << "," << y;
            }
            if (x < 26) {
                ASSERT_EQ(panel.at(x, y), y < h && black(x, y) ? kBinaryPixelColor : kFaceColor)
                    << x << "," << y;
            }
        }
    }
}

// With the gray sums: the first pass over the planes makes them, the next passes read them
// alone, and a change of the planes makes the pass read the planes again.  Every band gives
// what the planes give.
TEST(Binarize, GraySumsGiveWhatThePlanesGiveAndFollowTheirChanges) {
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
    for (int pass = 0; pass < 3; ++pass) {
        for (const auto& [lower, upper] : bands) {
            SCOPED_TRACE(::testing::Message()
                         << "pass " << pass << " band " << lower << "," << upper);
            BinarizePlanes(planes, w, h, lower, upper, binary, nullptr, &gray);
            ASSERT_TRUE(gray.Match(planes));
            for (int x = 0; x < w; ++x) {
                for (int y = 0; y < h; ++y)
                    ASSERT_EQ(binary[x][y], black(x, y, lower, upper)) << x << "," << y;
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

}  // namespace
