// The gray levels of a picture gathered per block, so that the block grid of any brightness
// band costs N x N instead of a pass over the picture.  The rules are the analysis's: a pixel is
// black when its gray level (R + G + B) / 3 lies in [lower, upper), a block of w x h pixels is
// black when at least (w * h) / 2 of its pixels are, and the blocks are those the analysis cuts
// the canvas into for N x N (model/block_division.h).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "image/column_buffer.h"
#include "model/block_division.h"

// The block counts every search looks at, smallest first.
inline constexpr int kBlockCounts[] = {5, 10, 20};
// Those and the current puzzle's count n (when it is another), smallest first.
std::vector<int> SearchCounts(int n);

// Bands have 0 <= lower < upper <= kTopLevel, as the threshold scroll bars allow.
constexpr int kTopLevel = 255;

// The gray level of every canvas pixel, column-major (column x at x * height).  A pixel whose
// sum R + G + B lies outside 0..765 is in no band at all; it gets level 255, which no band
// holds either (bands end below 255).
struct LevelPlane {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> levels;
};

// The levels of the picture held in planes (3 * width columns: red, green, blue of each pixel
// column).  Throws std::bad_alloc.
LevelPlane MakeLevelPlane(const ColumnBuffer& planes);

// Where the N x N blocks lie on a canvas, as the analysis cuts it; columns and rows are the
// blocks the canvas holds (never more than N).  A layout may also be any division the
// analysis makes (fitted to the picture, or custom columns x rows): its grid is then the
// division's columns x rows, and n the count it is known by.
struct BlockLayout {
    int n = 0;
    int columns = 0;
    int rows = 0;
    // The puzzle's grid, row by row: n x n on the square canvas.
    int gridColumns = 0;
    int gridRows = 0;
    BlockDivision division;
    static BlockLayout Of(int n, int width, int height);
    static BlockLayout OfDivision(int n, const BlockDivision& division);
    std::size_t Cells() const { return static_cast<std::size_t>(gridColumns) * gridRows; }
};

// The edges of two divisions along one side, with 0, sorted and each once: the pieces that lie
// in one block of each.
std::vector<int> MergedEdges(const std::vector<int>& a, const std::vector<int>& b);

// Pixels of the canvas whose colour differs between grid a (layout la) and grid b (layout lb),
// each n x n row by row; outside its whole blocks a grid is white.
long long DifferingArea(const std::vector<std::uint8_t>& a, const BlockLayout& la,
                        const std::vector<std::uint8_t>& b, const BlockLayout& lb);

// For one block count N: every block's pixels counted by gray level, as running totals.
class BlockLevels {
public:
    BlockLevels() = default;
    // The layout of N blocks on a width x height canvas, or any layout; counts still zero.
    BlockLevels(int n, int width, int height);
    explicit BlockLevels(const BlockLayout& layout);

    const BlockLayout& Layout() const { return m_layout; }
    int N() const { return m_layout.n; }
    int Columns() const { return m_layout.columns; }
    int Rows() const { return m_layout.rows; }
    // The in-band count at which block (i, j) turns black.
    int BlackCount(int i, int j) const { return m_layout.division.BlackCount(i, j); }

    // Pixels of block (i, j) whose level lies in [lower, upper), 0 <= lower <= upper <= 256.
    int InBand(int i, int j, int lower, int upper) const {
        const std::int32_t* totals = Totals(i, j);
        return totals[upper] - totals[lower];
    }
    bool Black(int i, int j, int lower, int upper) const {
        return InBand(i, j, lower, upper) >= BlackCount(i, j);
    }
    // The grid of the band (gridColumns x gridRows), row by row, 1 = black; cells no whole
    // block reaches are 0.
    std::vector<std::uint8_t> Grid(int lower, int upper) const;
    void GridInto(int lower, int upper, std::uint8_t* cells) const;

    // totals[t] of block (i, j): its pixels with a level below t, t = 0..256.
    const std::int32_t* Totals(int i, int j) const {
        return m_totals.data() + (static_cast<std::size_t>(i) * m_layout.rows + j) * kSlots;
    }

private:
    friend std::vector<BlockLevels> GatherBlockLevels(const LevelPlane&,
                                                      std::span<const BlockLayout>);
    static constexpr int kSlots = 257;

    BlockLayout m_layout;
    std::vector<std::int32_t> m_totals;  // kSlots per block, block (i, j) at i * rows + j
};

// The block levels of each block count, or of each layout, gathered in one pass over the plane.
std::vector<BlockLevels> GatherBlockLevels(const LevelPlane& plane, std::span<const int> counts);
std::vector<BlockLevels> GatherBlockLevels(const LevelPlane& plane,
                                           std::span<const BlockLayout> layouts);
