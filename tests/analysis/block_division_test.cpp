// The blocks a picture is cut into: fitted to the picture's own width and height on odd sizes
// against a pixel-by-pixel count, the counts that follow the picture's shape, the square canvas
// with counts that do not divide it, and choices whose blocks would be smaller than a pixel.
// The block grid counted from the gray sums agrees, block for block, with the binary image
// reduced to blocks, for every block count, odd and tiny canvases and bands at the edges.
// The automatic band and the crop: Otsu's threshold against the textbook computation on
// pictures of known gray levels (the canvas's white never counted), the trimmed rectangle
// against a pixel count, and a cropped picture analysed as a picture of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

#include "../support/painted.h"
#include "analysis/analysis.h"
#include "analysis/auto_band.h"
#include "analysis/binarize.h"
#include "analysis/block_grid.h"
#include "analysis/crop.h"

namespace {

// A pictureWidth x pictureHeight picture centred on a side x side white canvas, as the readers
// leave it, with a pseudo-random gray at each picture pixel.
Picture CentredPicture(int side, int pictureWidth, int pictureHeight, unsigned seed) {
    return painted::Centred(
        pictureWidth, pictureHeight,
        [&seed](int, int) {
            seed = seed * 1103515245u + 12345u;
            return painted::Gray(static_cast<int>((seed >> 16) % 256));
        },
        side);
}

// Block index of pixel p (from the picture's edge) among `count` blocks over `length` pixels:
// the last block whose first pixel, floor(i * length / count), is not after p.
int BlockOf(int p, int count, int length) {
    return ((p + 1) * count + length - 1) / length - 1;
}

// The fitted grid counted pixel by pixel: a block is black when at least half of its pixels,
// rounded down, have a gray level in the band.
std::vector<std::uint8_t> CountedGrid(const Picture& picture, int columns, int rows, int lower,
                                      int upper) {
    const int left = (picture.CanvasWidth() - picture.width) / 2;
    const int top = (picture.CanvasHeight() - picture.height) / 2;
    std::vector<int> black(columns * rows), area(columns * rows);
    for (int x = 0; x < picture.width; ++x) {
        for (int y = 0; y < picture.height; ++y) {
            const int cx = left + x, cy = top + y;
            const int gray = (picture.planes[3 * cx][cy] + picture.planes[3 * cx + 1][cy] +
                              picture.planes[3 * cx + 2][cy]) /
                             3;
            const int cell =
                BlockOf(y, rows, picture.height) * columns + BlockOf(x, columns, picture.width);
            ++area[cell];
            black[cell] += gray >= lower && gray < upper;
        }
    }
    std::vector<std::uint8_t> grid(columns * rows);
    for (int k = 0; k < columns * rows; ++k)
        grid[k] = black[k] >= area[k] / 2;
    return grid;
}

TEST(FittedBlocks, OddSizesMatchACountPixelByPixelFromSumsAndFromTheBinaryImage) {
    struct Case {
        int side, width, height, columns, rows, lower, upper;
    };
    const Case cases[] = {
        {80, 77, 43, 13, 7, 0, 128},  {80, 77, 43, 9, 11, 50, 200}, {60, 41, 59, 17, 23, 0, 90},
        {40, 40, 13, 40, 13, 0, 128}, {100, 99, 1, 7, 1, 0, 200},   {120, 101, 57, 30, 17, 60, 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.width << "x" << c.height << " in " << c.columns << "x" << c.rows);
        Picture picture = CentredPicture(c.side, c.width, c.height, c.side * 7u + c.columns);
        BlockChoice choice{c.columns, c.rows, true, true};
        const BlockDivision division = DivisionOf(picture, choice);
        ASSERT_FALSE(division.IsEmpty());
        // The blocks cover the picture exactly, their sides differing by at most a pixel.
        EXPECT_EQ(division.xs.front(), (c.side - c.width) / 2);
        EXPECT_EQ(division.xs.back() - division.xs.front(), c.width);
        EXPECT_EQ(division.ys.back() - division.ys.front(), c.height);
        for (int i = 0; i < c.columns; ++i)
            EXPECT_LE(std::abs(division.BlockWidth(i) - c.width / c.columns), 1);

        const std::vector<std::uint8_t> want =
            CountedGrid(picture, c.columns, c.rows, c.lower, c.upper);
        ColumnBuffer binary;
        // Without sums the planes go through the binary image; then again with the sums the
        // binarization made on the way.
        const AnalysisSettings settings{c.lower, c.upper, choice};
        const Puzzle fromPlanes = Analyze(picture, settings, binary).puzzle;
        picture.gray.Allocate(c.side, c.side);
        BinarizePlanes(picture.planes, c.side, c.side, 0, 1, binary, &picture.gray);
        ASSERT_TRUE(picture.gray.Match(picture.planes));
        const Puzzle fromSums = Analyze(picture, settings, binary).puzzle;
        EXPECT_EQ(std::tie(fromPlanes.width, fromPlanes.height), std::tie(c.columns, c.rows));
        EXPECT_EQ(fromPlanes.answer, want);
        EXPECT_EQ(fromSums.answer, want);
    }
}

TEST(FittedBlocks, OneCountGivesTheLongerSideAndBlocksNearestToSquareTheOther) {
    struct Case {
        int n, width, height;
        BlockCounts want;
    };
    const Case cases[] = {
        {30, 1920, 1080, {30, 17}},  // 16.875 rows: 17 keeps the blocks nearer square
        {30, 1080, 1920, {17, 30}},
        {20, 260, 260, {20, 20}},
        {5, 300, 200, {5, 3}},
        {30, 1000, 10, {30, 1}},
        {10, 320, 180, {10, 6}},
        {25, 320, 180, {25, 14}},
        // 2.46 rows: the nearest count is 2, but blocks of 33.3 x 27.3 pixels are nearer
        // square than blocks of 33.3 x 41.
        {30, 1000, 82, {30, 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FittedCounts(c.n, c.width, c.height), c.want) << c.n << " " << c.width;
    // Through the choice: a 320 x 180 picture on its 320 canvas.
    const Picture picture = CentredPicture(320, 320, 180, 1);
    const BlockDivision d = DivisionOf(picture, {30, 30, false, true});
    EXPECT_EQ(std::tie(d.columns, d.rows), std::make_tuple(30, 17));
    EXPECT_EQ(std::tie(d.ys.front(), d.ys.back()), std::make_tuple(70, 250));
}

TEST(CanvasBlocks, ClassicCountsStayWholeAndOtherCountsCoverTheCanvas) {
    // 20 on the drawing's 260: whole blocks of 13, as always.
    const BlockDivision classic = CanvasDivision(20, 20, 260, 260);
    ASSERT_EQ(classic.xs.size(), 21u);
    for (int k = 0; k <= 20; ++k)
        EXPECT_EQ(classic.xs[k], 13 * k);
    // 20 on a 270 x 270 canvas keeps its whole blocks of 13 and leaves the last 10 pixels.
    EXPECT_EQ(CanvasDivision(20, 20, 270, 270).xs.back(), 260);
    // 30 on 260: blocks of 8 or 9 pixels up to the canvas's edge.
    const BlockDivision thirty = CanvasDivision(30, 30, 260, 260);
    ASSERT_EQ(thirty.xs.size(), 31u);
    EXPECT_EQ(thirty.xs.back(), 260);
    for (int i = 0; i < 30; ++i)
        EXPECT_TRUE(thirty.BlockWidth(i) == 8 || thirty.BlockWidth(i) == 9) << i;
    // Where the count divides the side, the blocks are whole.
    const BlockDivision forty = CanvasDivision(40, 40, 280, 280);
    ASSERT_EQ(forty.xs.size(), 41u);
    for (int k = 0; k <= 40; ++k)
        EXPECT_EQ(forty.xs[k], 7 * k);
}

TEST(BlockRefusal, BlocksSmallerThanAPixelGiveNoDivision) {
    const Picture small = CentredPicture(40, 40, 30, 3);
    struct Case {
        BlockChoice choice;
        bool refused;
    };
    const Case cases[] = {
        {BlockChoice::Square(50), true}, {BlockChoice::Square(40), false},
        {{41, 10, true, false}, true},   {{40, 30, true, true}, false},
        {{40, 31, true, true}, true},    {{99, 1, true, false}, true},
        {{20, 20, false, true}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.choice.columns << "x" << c.choice.rows << " fit " << c.choice.fit);
        EXPECT_EQ(DivisionOf(small, c.choice).IsEmpty(), c.refused);
    }
    const QString text = BlockRefusalText(small, BlockChoice::Square(50));
    EXPECT_TRUE(text.contains(QStringLiteral("50×50"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("40×40"))) << text.toStdString();
    EXPECT_TRUE(BlockRefusalText(small, {40, 31, true, true}).contains(QStringLiteral("40×30")));
}

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
