#include "analysis/block_grid.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

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

}  // namespace

int BlockSide(int width, int height, int n) {
    return n > 0 ? std::max(width, height) / n : 0;
}

bool ClearBlocks(const BlockDivision& division, ColumnBuffer& answer) {
    const BlockDivision& d = division;
    if (d.columns <= 0 || d.rows <= 0 || answer.Columns() < d.columns || answer.Length() < d.rows)
        return false;
    for (int i = 0; i < d.columns; ++i)
        std::fill(answer[i], answer[i] + d.rows, 0);
    return true;
}

void ReduceToBlocks(const ColumnBuffer& binary, int width, int height, int n,
                    ColumnBuffer& answer) {
    if (n <= 0 || answer.Columns() < n || answer.Length() < n)
        return;
    ReduceToBlocks(binary, CanvasDivision(n, n, width, height), answer);
}

void ReduceToBlocks(const ColumnBuffer& binary, const BlockDivision& division,
                    ColumnBuffer& answer) {
    const BlockDivision& d = division;
    if (!ClearBlocks(d, answer))
        return;
    // Only blocks that the binary image holds in full are counted.
    int columns = d.HeldColumns();
    int rows = d.HeldRows();
    while (columns > 0 && d.xs[columns] > binary.Columns())
        --columns;
    while (rows > 0 && d.ys[rows] > binary.Length())
        --rows;
    if (columns <= 0 || rows <= 0)
        return;

    // One pass over the binary image: the pixel columns of a block column are added up into
    // one column of row sums (long contiguous runs), which is then cut into the runs of its
    // blocks.
    const int top = d.ys[0];
    const int length = d.ys[rows] - top;
    std::vector<std::int32_t> rowSums(static_cast<std::size_t>(length));
    for (int i = 0; i < columns; ++i) {
        std::int32_t* sums = rowSums.data();
        std::copy(binary[d.xs[i]] + top, binary[d.xs[i]] + top + length, sums);
        for (int x = d.xs[i] + 1; x < d.xs[i + 1]; ++x)
            AddColumn(binary[x] + top, length, sums);
        for (int j = 0; j < rows; ++j) {
            std::int32_t sum = 0;
            for (int y = d.ys[j]; y < d.ys[j + 1]; ++y)
                sum += sums[y - top];
            // Exactly half black counts as black.
            answer[i][j] = sum >= d.BlackCount(i, j) ? 1 : 0;
        }
    }
}
