// The blocks a picture is cut into: fitted to the picture's own width and height on odd sizes
// against a pixel-by-pixel count, the counts that follow the picture's shape, the square canvas
// with counts that do not divide it, and choices whose blocks would be smaller than a pixel.
#include <gtest/gtest.h>

#include <tuple>

#include "../support/painted.h"
#include "analysis/analysis.h"
#include "analysis/binarize.h"

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

}  // namespace
