// Block reduction: the majority rule per block and the grid's orientation.  The panels it
// draws are checked pixel by pixel through the view.
#include "construct/block_grid.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "analysis_support.h"

namespace {

ColumnBuffer Reduce(const ColumnBuffer& binary, int size, int n) {
    ColumnBuffer answer = MakeBuffer(n, n, [](int, int) { return 7; });
    ReduceToBlocks(binary, size, size, n, answer);
    return answer;
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
        const ColumnBuffer answer = Reduce(binary, c.size, c.n);
        for (int i = 0; i < c.n; ++i) {
            for (int j = 0; j < c.n; ++j)
                EXPECT_EQ(answer[i][j], count(i, j) >= c.at ? 1 : 0) << i << "," << j;
        }
    }
}

TEST(BlockGrid, AllBlackAndAllWhitePictures) {
    for (int n : {5, 10, 20}) {
        for (int value : {0, 1}) {
            const ColumnBuffer answer =
                Reduce(MakeBuffer(260, 260, [&](int, int) { return value; }), 260, n);
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < n; ++j)
                    ASSERT_EQ(answer[i][j], value) << "n " << n << " cell " << i << "," << j;
            }
        }
    }
}

}  // namespace
