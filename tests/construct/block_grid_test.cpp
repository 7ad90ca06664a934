// Block reduction: the majority rule per block, the grid's orientation, and the block and
// binary panels with their red blocks, grid lines and the play-mode label.
#include "construct/block_grid.h"

#include <gtest/gtest.h>

#include "analysis_support.h"

namespace {

ColumnBuffer Reduce(const ColumnBuffer& binary, int size, int n) {
    ColumnBuffer answer;
    answer.Allocate(n, n);
    answer.Fill(7);
    ReduceToBlocks(binary, size, size, n, answer);
    return answer;
}

// A binary image whose block (bi, bj) of side b holds `count` black pixels, the first ones in
// column-major order, so they spread over several pixel columns of the block.
ColumnBuffer BlockWithCount(int b, int bi, int bj, int count, ColumnBuffer binary) {
    for (int k = 0; k < count; ++k)
        binary[bi * b + k / b][bj * b + k % b] = 1;
    return binary;
}

TEST(BlockGrid, MajorityThresholdForThirteenPixelBlocks) {
    // 260 x 260, N = 20: B = 13, threshold 169 / 2 = 84.
    ASSERT_EQ(BlockSide(260, 260, 20), 13);
    ColumnBuffer binary = MakeBinary(260, 260, [](int, int) { return 0; });
    binary = BlockWithCount(13, 3, 7, 84, std::move(binary));
    binary = BlockWithCount(13, 7, 3, 83, std::move(binary));
    binary = BlockWithCount(13, 19, 0, 169, std::move(binary));
    const ColumnBuffer answer = Reduce(binary, 260, 20);
    for (int i = 0; i < 20; ++i) {
        for (int j = 0; j < 20; ++j) {
            const bool black = (i == 3 && j == 7) || (i == 19 && j == 0);
            EXPECT_EQ(answer[i][j], black ? 1 : 0) << i << "," << j;
        }
    }
}

TEST(BlockGrid, MajorityThresholdForTenPixelBlocks) {
    // 100 x 100, N = 10: B = 10, threshold 50 of 100.
    ColumnBuffer binary = MakeBinary(100, 100, [](int, int) { return 0; });
    binary = BlockWithCount(10, 2, 5, 50, std::move(binary));
    binary = BlockWithCount(10, 5, 2, 49, std::move(binary));
    const ColumnBuffer answer = Reduce(binary, 100, 10);
    EXPECT_EQ(answer[2][5], 1);
    EXPECT_EQ(answer[5][2], 0);
    int black = 0;
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j)
            black += answer[i][j];
    }
    EXPECT_EQ(black, 1);
}

TEST(BlockGrid, AllBlackAndAllWhitePictures) {
    for (int n : {5, 10, 20}) {
        for (int value : {0, 1}) {
            const ColumnBuffer binary = MakeBinary(260, 260, [&](int, int) { return value; });
            const ColumnBuffer answer = Reduce(binary, 260, n);
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < n; ++j) {
                    ASSERT_EQ(answer[i][j], value) << "n " << n << " cell " << i << "," << j;
                }
            }
        }
    }
}

// Fully black blocks in a checkerboard: a count that leaks over a block's edges would turn
// the white blocks between them black.
TEST(BlockGrid, PixelsCountOnlyInTheirOwnBlock) {
    const int b = 20;  // 200 x 200, N = 10
    const ColumnBuffer binary =
        MakeBinary(200, 200, [&](int x, int y) { return (x / b + y / b) % 2; });
    const ColumnBuffer answer = Reduce(binary, 200, 10);
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j)
            EXPECT_EQ(answer[i][j], (i + j) % 2) << i << "," << j;
    }
}

// Expected colour of a block panel pixel for a size x size picture cut into blocks of side b:
// black grid lines over red blocks where the answer is 1.
COLORREF ExpectedBlockPixel(const ColumnBuffer& answer, int size, int b, int x, int y,
                            bool testMode) {
    const bool vertical = x % b == 0 && x <= size && y < size;
    const bool horizontal = y % b == 0 && y <= size && x < size;
    if (vertical || horizontal)
        return RGB(0, 0, 0);
    if (testMode && x < size && y < size && answer[x / b][y / b] == 1)
        return RGB(255, 0, 0);
    return kFaceColor;
}

TEST(BlockGrid, TestModeDrawsRedBlocksUnderBlackLines) {
    const int size = 260, n = 20, b = 13;
    ColumnBuffer answer;
    answer.Allocate(n, n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            answer[i][j] = (i * 3 + j * 7) % 4 == 0 ? 1 : 0;
    }
    Surface block(280, 290);
    Surface binary(280, 290, RGB(100, 100, 255));
    DrawBlockPanels(answer, size, size, n, true, block.dc(), binary.dc());
    for (int y = 0; y < 290; ++y) {
        for (int x = 0; x < 280; ++x) {
            ASSERT_EQ(block.at(x, y), ExpectedBlockPixel(answer, size, b, x, y, true))
                << x << "," << y;
            const COLORREF line = ExpectedBlockPixel(answer, size, b, x, y, false);
            ASSERT_EQ(binary.at(x, y), line == RGB(0, 0, 0) ? line : RGB(100, 100, 255))
                << x << "," << y;
        }
    }
    // The closing lines stop one pixel short: (260, 259) and (259, 260) are on them, the
    // corner (260, 260) is not.
    EXPECT_EQ(block.at(260, 259), RGB(0, 0, 0));
    EXPECT_EQ(block.at(259, 260), RGB(0, 0, 0));
    EXPECT_EQ(block.at(260, 260), kFaceColor);
}

TEST(BlockGrid, PlayModeShowsOnlyLinesAndTheLabel) {
    const int size = 260, n = 20, b = 13;
    ColumnBuffer answer;
    answer.Allocate(n, n);
    answer.Fill(1);
    Surface block(280, 280);
    Surface binary(280, 280);
    DrawBlockPanels(answer, size, size, n, false, block.dc(), binary.dc());

    CFont* none = nullptr;
    block.dc().SelectObject(none);
    const CRect extent = block.dc().TextExtent(QStringLiteral("INVISIBLE"));
    ASSERT_GT(extent.Width(), 0);
    const CRect label{10, 10, 10 + extent.Width(), 10 + extent.Height()};
    for (Surface* panel : {&block, &binary}) {
        int text = 0;
        for (int y = 0; y < 280; ++y) {
            for (int x = 0; x < 280; ++x) {
                const COLORREF c = panel->at(x, y);
                if (label.Contains(x, y)) {
                    // The label is written over the lines, on its own opaque box.
                    ASSERT_TRUE(c == RGB(255, 200, 200) || c == RGB(240, 100, 100))
                        << x << "," << y;
                    text += c == RGB(240, 100, 100) ? 1 : 0;
                } else {
                    ASSERT_EQ(c, ExpectedBlockPixel(answer, size, b, x, y, false)) << x << "," << y;
                }
            }
        }
        EXPECT_EQ(panel->at(10, 10), RGB(255, 200, 200));
        EXPECT_GT(text, 20);
    }
}

}  // namespace
