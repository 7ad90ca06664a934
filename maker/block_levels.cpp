#include "maker/block_levels.h"

#include <algorithm>

LevelPlane MakeLevelPlane(const ColumnBuffer& planes) {
    LevelPlane plane;
    plane.width = planes.Columns() / 3;
    plane.height = planes.Length();
    if (plane.width <= 0 || plane.height <= 0) {
        plane.width = plane.height = 0;
        return plane;
    }
    plane.levels.resize(static_cast<std::size_t>(plane.width) * plane.height);
    for (int x = 0; x < plane.width; ++x) {
        const std::int32_t* red = planes[3 * x];
        const std::int32_t* green = planes[3 * x + 1];
        const std::int32_t* blue = planes[3 * x + 2];
        std::uint8_t* out = plane.levels.data() + static_cast<std::size_t>(x) * plane.height;
        for (int y = 0; y < plane.height; ++y) {
            // The window's band test looks at the sum alone, whatever the samples.
            const std::int64_t sum = std::int64_t{red[y]} + green[y] + blue[y];
            const bool inRange = sum >= 0 && sum <= 765;
            out[y] = static_cast<std::uint8_t>(inRange ? sum / 3 : 255u);
        }
    }
    return plane;
}

std::vector<int> SearchCounts(int n) {
    std::vector<int> counts(std::begin(kBlockCounts), std::end(kBlockCounts));
    if (n > 0 && std::find(counts.begin(), counts.end(), n) == counts.end()) {
        counts.push_back(n);
        std::sort(counts.begin(), counts.end());
    }
    return counts;
}

BlockLayout BlockLayout::Of(int n, int width, int height) {
    BlockLayout layout;
    layout.n = n;
    layout.gridColumns = layout.gridRows = std::max(n, 0);
    if (n <= 0 || width <= 0 || height <= 0)
        return layout;
    layout.division = CanvasDivision(n, n, width, height);
    if (layout.division.IsEmpty())
        return layout;
    layout.columns = layout.division.HeldColumns();
    layout.rows = layout.division.HeldRows();
    return layout;
}

BlockLayout BlockLayout::OfDivision(int n, const BlockDivision& division) {
    BlockLayout layout;
    layout.n = n;
    layout.division = division;
    layout.gridColumns = division.columns;
    layout.gridRows = division.rows;
    if (!division.IsEmpty()) {
        layout.columns = division.HeldColumns();
        layout.rows = division.HeldRows();
    }
    return layout;
}

std::vector<int> MergedEdges(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<int> edges{0};
    edges.insert(edges.end(), a.begin(), a.end());
    edges.insert(edges.end(), b.begin(), b.end());
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    return edges;
}

long long DifferingArea(const std::vector<std::uint8_t>& a, const BlockLayout& la,
                        const std::vector<std::uint8_t>& b, const BlockLayout& lb) {
    const BlockDivision& da = la.division;
    const BlockDivision& db = lb.division;
    const std::vector<int> xs = MergedEdges(da.xs, db.xs);
    const std::vector<int> ys = MergedEdges(da.ys, db.ys);
    const auto colour = [](const std::vector<std::uint8_t>& g, const BlockLayout& l, int x, int y) {
        const int i = l.division.ColumnAt(x), j = l.division.RowAt(y);
        return i >= 0 && j >= 0 && g[static_cast<std::size_t>(j) * l.gridColumns + i] != 0;
    };
    long long area = 0;
    for (std::size_t u = 0; u + 1 < xs.size(); ++u) {
        for (std::size_t v = 0; v + 1 < ys.size(); ++v) {
            if (colour(a, la, xs[u], ys[v]) != colour(b, lb, xs[u], ys[v]))
                area += static_cast<long long>(xs[u + 1] - xs[u]) * (ys[v + 1] - ys[v]);
        }
    }
    return area;
}

BlockLevels::BlockLevels(int n, int width, int height)
    : BlockLevels(BlockLayout::Of(n, width, height)) {}

BlockLevels::BlockLevels(const BlockLayout& layout) : m_layout(layout) {
    m_totals.assign(static_cast<std::size_t>(m_layout.columns) * m_layout.rows * kSlots, 0);
}

void BlockLevels::GridInto(int lower, int upper, std::uint8_t* cells) const {
    const int n = m_layout.gridColumns;
    std::fill(cells, cells + m_layout.Cells(), 0);
    for (int i = 0; i < m_layout.columns; ++i) {
        for (int j = 0; j < m_layout.rows; ++j) {
            const std::int32_t* totals = Totals(i, j);
            cells[static_cast<std::size_t>(j) * n + i] =
                totals[upper] - totals[lower] >= BlackCount(i, j);
        }
    }
}

std::vector<std::uint8_t> BlockLevels::Grid(int lower, int upper) const {
    std::vector<std::uint8_t> cells(m_layout.Cells());
    GridInto(lower, upper, cells.data());
    return cells;
}

std::vector<BlockLevels> GatherBlockLevels(const LevelPlane& plane, std::span<const int> counts) {
    std::vector<BlockLayout> layouts;
    for (int n : counts)
        layouts.push_back(BlockLayout::Of(n, plane.width, plane.height));
    return GatherBlockLevels(plane, layouts);
}

std::vector<BlockLevels> GatherBlockLevels(const LevelPlane& plane,
                                           std::span<const BlockLayout> layouts) {
    std::vector<BlockLevels> all;
    for (const BlockLayout& layout : layouts)
        all.emplace_back(layout);

    // One pass over the pixel columns: every column adds each of its block runs to the
    // histogram of the block it falls in, for every block count.  A histogram holds the count
    // of level v at slot v + 1, so that the running totals below leave slot t with the pixels
    // under level t.
    for (int x = 0; x < plane.width; ++x) {
        const std::uint8_t* column =
            plane.levels.data() + static_cast<std::size_t>(x) * plane.height;
        for (BlockLevels& b : all) {
            const BlockLayout& l = b.m_layout;
            const BlockDivision& d = l.division;
            const int i = l.columns > 0 ? d.ColumnAt(x) : -1;
            if (i < 0)
                continue;
            for (int j = 0; j < l.rows; ++j) {
                std::int32_t* histogram =
                    b.m_totals.data() +
                    (static_cast<std::size_t>(i) * l.rows + j) * BlockLevels::kSlots + 1;
                for (int y = d.ys[j]; y < d.ys[j + 1]; ++y)
                    ++histogram[column[y]];
            }
        }
    }
    for (BlockLevels& b : all) {
        for (std::size_t start = 0; start < b.m_totals.size(); start += BlockLevels::kSlots) {
            std::int32_t* totals = b.m_totals.data() + start;
            for (int t = 1; t < BlockLevels::kSlots; ++t)
                totals[t] += totals[t - 1];
        }
    }
    return all;
}
