// Binarization: the band [lower, upper) on the plain mean of the three samples, the layout of
// the planes, and the light-blue pixels of the binary panel.
#include "construct/binarize.h"

#include <gtest/gtest.h>

#include "analysis_support.h"

namespace {

struct BandCase {
    int lower, upper;
    Rgb pixel;
    int expected;
};

int BinarizeOne(const BandCase& c) {
    const ColumnBuffer planes = MakePlanes(1, 1, [&](int, int) { return c.pixel; });
    ColumnBuffer binary;
    binary.Allocate(1, 1);
    BinarizePlanes(planes, 1, 1, c.lower, c.upper, binary, nullptr);
    return binary[0][0];
}

TEST(Binarize, BandIsLowerInclusiveUpperExclusiveOnThePlainMean) {
    const BandCase cases[] = {
        // The initial band [0, 250).
        {0, 250, {249, 249, 250}, 1},  // gray 249
        {0, 250, {250, 250, 250}, 0},  // gray 250
        {0, 250, {255, 0, 0}, 1},      // gray 85: red is not weighted
        {0, 250, {0, 0, 0}, 1},
        // The band after the view's reset, [0, 255): only pure white stays white.
        {0, 255, {254, 255, 255}, 1},
        {0, 255, {255, 255, 255}, 0},
        // [100, 200).
        {100, 200, {100, 100, 100}, 1},
        {100, 200, {200, 200, 200}, 0},
        {100, 200, {99, 99, 99}, 0},
        {100, 200, {199, 199, 201}, 1},  // 599 / 3 = 199, fraction dropped
        {100, 200, {99, 100, 100}, 0},   // 299 / 3 = 99
        {100, 200, {100, 100, 101}, 1},  // 301 / 3 = 100
        {100, 200, {0, 45, 255}, 1},     // 300 / 3 = 100: blue counts as much as red
        {100, 200, {0, 0, 255}, 0},      // 85
        // Upper not above lower: nothing is in the band.
        {120, 120, {120, 120, 120}, 0},
        {130, 120, {125, 125, 125}, 0},
    };
    for (const BandCase& c : cases) {
        EXPECT_EQ(BinarizeOne(c), c.expected)
            << "band [" << c.lower << ", " << c.upper << ") pixel " << c.pixel[0] << ","
            << c.pixel[1] << "," << c.pixel[2];
    }
}

// Each pixel has its own gray, and its channels differ, so reading a wrong column of the
// planes or swapping x and y changes the result.
TEST(Binarize, EveryPixelIsReadFromItsOwnThreeColumns) {
    const int w = 7, h = 5;
    auto gray = [](int x, int y) { return 40 + 20 * x + 3 * y; };
    const ColumnBuffer planes = MakePlanes(w, h, [&](int x, int y) {
        const int g = gray(x, y);
        return Rgb{g - 30, g + 45, g - 15};
    });
    ColumnBuffer binary;
    binary.Allocate(w, h);
    binary.Fill(7);  // whatever was there before is overwritten
    BinarizePlanes(planes, w, h, 80, 125, binary, nullptr);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            const int g = gray(x, y);
            EXPECT_EQ(binary[x][y], (g >= 80 && g < 125) ? 1 : 0) << x << "," << y;
        }
    }
}

TEST(Binarize, AllBlackAndAllWhitePictures) {
    for (int value : {0, 255}) {
        const ColumnBuffer planes = MakePlanes(20, 20, [&](int, int) {
            return Rgb{value, value, value};
        });
        ColumnBuffer binary;
        binary.Allocate(20, 20);
        BinarizePlanes(planes, 20, 20, 0, 250, binary, nullptr);
        int black = 0;
        for (int x = 0; x < 20; ++x) {
            for (int y = 0; y < 20; ++y)
                black += binary[x][y];
        }
        EXPECT_EQ(black, value == 0 ? 400 : 0) << "value " << value;
    }
}

TEST(Binarize, TestModeSetsExactlyTheBlackPixelsLightBlue) {
    const int w = 30, h = 24;
    // A diagonal band of dark pixels and a dark dot, on white.
    auto dark = [](int x, int y) { return (x - y >= 2 && x - y < 6) || (x == 25 && y == 3); };
    const ColumnBuffer planes = MakePlanes(w, h, [&](int x, int y) {
        return dark(x, y) ? Rgb{10, 20, 30} : Rgb{255, 255, 255};
    });
    ColumnBuffer binary;
    binary.Allocate(w, h);
    Surface panel(40, 40);
    BinarizePlanes(planes, w, h, 0, 250, binary, &panel.dc());
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inPicture = x < w && y < h;
            const COLORREF expected = inPicture && dark(x, y) ? RGB(100, 100, 255) : kFaceColor;
            ASSERT_EQ(panel.at(x, y), expected) << x << "," << y;
        }
    }
}

TEST(Binarize, PanelClipsAPictureLargerThanItselfButTheImageIsComplete) {
    const int w = 80, h = 60;
    const ColumnBuffer planes = MakePlanes(w, h, [](int, int) { return Rgb{0, 0, 0}; });
    ColumnBuffer binary;
    binary.Allocate(w, h);
    binary.Fill(0);
    Surface panel(50, 40);
    BinarizePlanes(planes, w, h, 0, 250, binary, &panel.dc());
    EXPECT_EQ(CountColor(panel.dc(), 0, 0, 50, 40, RGB(100, 100, 255)), 50 * 40);
    EXPECT_EQ(binary[w - 1][h - 1], 1);
    EXPECT_EQ(binary[w - 1][0], 1);
}

}  // namespace
