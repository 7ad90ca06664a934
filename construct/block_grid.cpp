#include "construct/block_grid.h"

#include "construct/panel_drawing.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Whole blocks across and down, never more than n.
struct BlockLayout {
    int side = 0;
    int columns = 0;
    int rows = 0;
};

BlockLayout Layout(int width, int height, int n) {
    BlockLayout layout;
    layout.side = BlockSide(width, height, n);
    if (layout.side <= 0)
        return layout;
    layout.columns = std::min(width / layout.side, n);
    layout.rows = std::min(height / layout.side, n);
    return layout;
}

void DrawGridLines(CDC& dc, const BlockLayout& b, int width, int height) {
    for (int i = 0; i < b.columns; ++i)
        DrawStraightLine(dc, i * b.side, 0, i * b.side, height);
    for (int j = 0; j < b.rows; ++j)
        DrawStraightLine(dc, 0, j * b.side, width, j * b.side);
    // Closing edges below the last block row and right of the last block column.
    DrawStraightLine(dc, 0, b.rows * b.side, width, b.rows * b.side);
    DrawStraightLine(dc, b.columns * b.side, 0, b.columns * b.side, height);
}

// sums[y] += column[y] for y < length, four at a time where the machine allows.
void AddColumn(const std::int32_t* column, int length, std::int32_t* sums) {
    int y = 0;
#if defined(__SSE2__)
    for (; y + 8 <= length; y += 8) {
        auto* s = reinterpret_cast<__m128i*>(sums + y);
        const auto* c = reinterpret_cast<const __m128i*>(column + y);
        _mm_storeu_si128(s, _mm_add_epi32(_mm_loadu_si128(s), _mm_loadu_si128(c)));
        _mm_storeu_si128(s + 1, _mm_add_epi32(_mm_loadu_si128(s + 1), _mm_loadu_si128(c + 1)));
    }
#endif
    for (; y < length; ++y)
        sums[y] += column[y];
}

void WriteInvisibleLabel(CDC& dc) {
    dc.SetTextColor(kInvisibleTextColor);
    dc.SetBkColor(kInvisibleBkColor);
    dc.TextOut(kInvisibleLabelX, kInvisibleLabelY, QString::fromLatin1(kInvisibleLabel));
}

}  // namespace

int BlockSide(int width, int height, int n) {
    return n > 0 ? std::max(width, height) / n : 0;
}

void ReduceToBlocks(const ColumnBuffer& binary, int width, int height, int n,
                    ColumnBuffer& answer) {
    if (n <= 0 || answer.Columns() < n || answer.Length() < n)
        return;
    for (int i = 0; i < n; ++i)
        std::fill(answer[i], answer[i] + n, 0);

    BlockLayout b = Layout(width, height, n);
    if (b.side <= 0)
        return;
    const int B = b.side;
    // Only blocks that the binary image holds in full are counted.
    b.columns = std::min(b.columns, binary.Columns() / B);
    b.rows = std::min(b.rows, binary.Length() / B);
    if (b.columns <= 0 || b.rows <= 0)
        return;

    // One pass over the binary image: the B pixel columns of a block column are added up
    // into one column of row sums (long contiguous runs), which is then cut into the B-pixel
    // runs of its blocks.
    std::vector<std::int32_t> counts(static_cast<std::size_t>(b.columns) * b.rows, 0);
    std::vector<std::int32_t> rowSums(static_cast<std::size_t>(b.rows) * B);
    const int length = b.rows * B;
    for (int i = 0; i < b.columns; ++i) {
        std::int32_t* sums = rowSums.data();
        std::copy(binary[i * B], binary[i * B] + length, sums);
        for (int x = i * B + 1; x < (i + 1) * B; ++x)
            AddColumn(binary[x], length, sums);
        std::int32_t* blockCounts = counts.data() + static_cast<std::size_t>(i) * b.rows;
        for (int j = 0; j < b.rows; ++j) {
            const std::int32_t* run = sums + j * B;
            std::int32_t sum = 0;
            for (int k = 0; k < B; ++k)
                sum += run[k];
            blockCounts[j] = sum;
        }
    }

    // Exactly half black counts as black.
    const std::int32_t threshold = (B * B) / 2;
    for (int i = 0; i < b.columns; ++i) {
        for (int j = 0; j < b.rows; ++j) {
            answer[i][j] = counts[static_cast<std::size_t>(i) * b.rows + j] >= threshold ? 1 : 0;
        }
    }
}

void DrawBlockPanels(const ColumnBuffer& answer, int width, int height, int n, bool testMode,
                     CDC& blockPanel, CDC& binaryPanel) {
    const BlockLayout b = Layout(width, height, n);
    if (b.columns > 0 && b.rows > 0 && answer.Columns() >= b.columns && answer.Length() >= b.rows) {
        // The red blocks go first: each covers only its own left and top edge, and every
        // line is drawn over them afterwards, so the lines stay whole.
        if (testMode) {
            // One fill per run of black blocks along a block row.
            for (int j = 0; j < b.rows; ++j) {
                for (int i = 0; i < b.columns;) {
                    if (answer[i][j] != 1) {
                        ++i;
                        continue;
                    }
                    int end = i + 1;
                    while (end < b.columns && answer[end][j] == 1)
                        ++end;
                    blockPanel.FillSolidRect(i * b.side, j * b.side, (end - i) * b.side, b.side,
                                             kBlockColor);
                    i = end;
                }
            }
        }
        DrawGridLines(blockPanel, b, width, height);
        DrawGridLines(binaryPanel, b, width, height);
    }
    if (!testMode) {
        WriteInvisibleLabel(binaryPanel);
        WriteInvisibleLabel(blockPanel);
    }
}

void DrawUndecidedMarks(const std::vector<std::uint8_t>& undecided, int width, int height, int n,
                        CDC& blockPanel) {
    const BlockLayout b = Layout(width, height, n);
    if (b.side <= 0 || undecided.size() != static_cast<std::size_t>(n) * n)
        return;
    const int s = UndecidedMarkSide(b.side);
    // Centred on the block's inside, the pixels right of and below its grid lines.
    const int offset = (b.side - s + 1) / 2;
    for (int j = 0; j < b.rows; ++j) {
        for (int i = 0; i < b.columns; ++i) {
            if (undecided[static_cast<std::size_t>(j) * n + i])
                blockPanel.FillSolidRect(i * b.side + offset, j * b.side + offset, s, s,
                                         kUndecidedMarkColor);
        }
    }
}
