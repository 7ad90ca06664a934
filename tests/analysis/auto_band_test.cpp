// The automatic band and the crop: Otsu's threshold against the textbook computation on
// pictures of known gray levels (the canvas's white never counted), the trimmed rectangle
// against a pixel count, and a cropped picture analysed as a picture of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "../support/painted.h"
#include "analysis/auto_band.h"
#include "analysis/binarize.h"
#include "analysis/crop.h"

namespace {

using painted::Gray;

// A width x height picture centred on its square white canvas, as the readers leave it; with
// its gray sums made when `sums`.
Picture Painted(int width, int height, const painted::Paint& paint, bool sums) {
    Picture picture = painted::Centred(width, height, paint);
    if (sums) {
        const int side = picture.CanvasWidth();
        ColumnBuffer binary;
        binary.Allocate(side, side);
        picture.gray.Allocate(side, side);
        BinarizePlanes(picture.planes, side, side, 0, 1, binary, &picture.gray);
    }
    return picture;
}

int GrayAt(const Picture& picture, int x, int y) {
    const PictureRect r = PictureRectOf(picture);
    const int cx = r.left + x, cy = r.top + y;
    return (picture.planes[3 * cx][cy] + picture.planes[3 * cx + 1][cy] +
            picture.planes[3 * cx + 2][cy]) /
           3;
}

// The textbook threshold: the t of the largest w0 * w1 * (m0 - m1)^2, over the picture's own
// pixels read one by one; of several that part the pixels alike, the middle one.
int TextbookOtsu(const Picture& picture) {
    std::vector<double> between(256, -1);
    for (int t = 1; t < 256; ++t) {
        double n0 = 0, n1 = 0, s0 = 0, s1 = 0;
        for (int x = 0; x < picture.width; ++x) {
            for (int y = 0; y < picture.height; ++y) {
                const int g = GrayAt(picture, x, y);
                (g < t ? n0 : n1) += 1;
                (g < t ? s0 : s1) += g;
            }
        }
        const double n = n0 + n1;
        if (n0 > 0 && n1 > 0)
            between[t] = n0 / n * n1 / n * std::pow(s0 / n0 - s1 / n1, 2);
    }
    const double best = *std::max_element(between.begin(), between.end());
    int first = 256, last = 0;
    for (int t = 1; t < 256; ++t) {
        if (between[t] >= best * (1 - 1e-12))
            first = std::min(first, t), last = std::max(last, t);
    }
    return (first + last) / 2;
}

unsigned Next(unsigned& seed) {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
}

TEST(AutoBand, OtsuMatchesTheTextbookOnNoisyPicturesWithOrWithoutSums) {
    for (unsigned seed : {1u, 7u, 42u}) {
        // Two noisy classes of unequal size and spread, one of them coloured.
        unsigned s = seed;
        const painted::Paint paint = [&s, seed](int x, int) {
            const bool dark = x < 13 + static_cast<int>(seed % 9);
            painted::Samples samples;
            for (int c = 0; c < 3; ++c) {
                const int base = dark ? 60 + c * 10 : 170 - c * 5;
                samples[c] = std::clamp(base + static_cast<int>(Next(s) % 61) - 30, 0, 255);
            }
            return samples;
        };
        for (bool sums : {false, true}) {
            s = seed;
            const Picture picture = Painted(37, 23, paint, sums);
            const int want = TextbookOtsu(picture);
            EXPECT_EQ(OtsuThreshold(picture), want) << seed << " sums " << sums;
            const Band band = AutoBand(picture, false);
            const Band inverted = AutoBand(picture, true);
            EXPECT_EQ(std::tie(band.lower, band.upper), std::make_tuple(0, want));
            EXPECT_EQ(std::tie(inverted.lower, inverted.upper), std::make_tuple(want, 256));
        }
    }
}

TEST(AutoBand, TwoLevelsPartHalfWayAndOneLevelFallsByItsHalf) {
    // 50 and 200 part at every threshold from 51 to 200: the middle, 125, is taken.  The
    // picture is narrow on its canvas, so counting the canvas's white would move it.
    const Picture two = Painted(
        10, 40, [](int x, int y) { return Gray((x + y) % 3 ? 200 : 50); }, true);
    EXPECT_EQ(OtsuThreshold(two), 125);
    // Within a crop of the dark pixels and one other level.
    const Picture mixed = Painted(
        40, 10, [](int x, int y) { return Gray(x < 20 ? (y < 5 ? 10 : 30) : 220); }, false);
    EXPECT_EQ(OtsuThreshold(mixed, PixelRect{0, 0, 20, 10}), 20);
    EXPECT_EQ(OtsuThreshold(mixed, PixelRect{15, 0, 10, 10}), 125);
    // One gray level (or no pixel) cannot be parted: a dark level is black, a light one white.
    for (int level : {0, 90, 127, 128, 255}) {
        const Picture flat = Painted(
            30, 30, [level](int, int) { return Gray(level); }, true);
        const Band band = AutoBand(flat, false);
        EXPECT_EQ(level >= band.lower && level < band.upper, level < 128) << level;
    }
    EXPECT_EQ(OtsuThreshold(two, PixelRect{50, 50, 5, 5}), 128);
}

TEST(Crop, TrimBoundsThePixelsInTheBandAndACropKeepsThemAsTheyWere) {
    unsigned s = 3;
    const painted::Paint paint = [&s](int x, int y) {
        const bool spot = (x - 20) * (x - 20) + (y - 14) * (y - 14) < 60;
        return Gray(static_cast<int>(Next(s) % 100) + (spot || (x == 33 && y == 3) ? 0 : 150));
    };
    for (bool sums : {false, true}) {
        s = 3;
        const Picture picture = Painted(45, 30, paint, sums);
        // The box counted pixel by pixel, in the whole picture and within a part of it.
        for (const PixelRect within : {PixelRect{0, 0, 45, 30}, PixelRect{-5, 8, 32, 99}}) {
            int left = 99, top = 99, right = -1, bottom = -1;
            for (int x = std::max(within.x, 0); x < std::min(within.x + within.width, 45); ++x) {
                for (int y = std::max(within.y, 0); y < std::min(within.y + within.height, 30);
                     ++y) {
                    if (GrayAt(picture, x, y) >= 100)
                        continue;
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
            }
            const std::optional<PixelRect> trim = TrimRect(picture, 0, 100, within);
            ASSERT_TRUE(trim) << sums;
            EXPECT_EQ(*trim, (PixelRect{left, top, right - left + 1, bottom - top + 1})) << sums;
        }
        EXPECT_FALSE(TrimRect(picture, 250, 256));
        // Cropped (and clipped to 15 x 12): a picture of its own with the same pixels.
        const PixelRect rect{30, 5, 25, 12};
        const Picture cropped = CroppedPicture(picture, rect);
        EXPECT_EQ(std::tie(cropped.width, cropped.height), std::make_tuple(15, 12));
        EXPECT_TRUE(cropped.gray.Match(cropped.planes));
        EXPECT_EQ(OtsuThreshold(cropped), OtsuThreshold(picture, rect));
        EXPECT_TRUE(CroppedPicture(picture, {45, 0, 5, 5}).IsEmpty());
    }
}

}  // namespace
