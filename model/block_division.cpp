#include "model/block_division.h"

#include <algorithm>
#include <cmath>

int BlockDivision::IndexAt(const std::vector<int>& edges, int p) {
    if (edges.size() < 2 || p < edges.front() || p >= edges.back())
        return -1;
    return static_cast<int>(std::upper_bound(edges.begin(), edges.end(), p) - edges.begin()) - 1;
}

namespace {

// count blocks over length pixels from start, sides differing by at most a pixel.
std::vector<int> EvenEdges(int count, int start, int length) {
    std::vector<int> edges(static_cast<std::size_t>(count) + 1);
    for (int k = 0; k <= count; ++k)
        edges[k] = start + static_cast<int>(static_cast<long long>(k) * length / count);
    return edges;
}

// Whole blocks of `side` from 0, as many as fit in length but never more than count.
std::vector<int> WholeEdges(int count, int side, int length) {
    const int held = std::min(length / side, count);
    std::vector<int> edges;
    if (held <= 0)
        return edges;
    for (int k = 0; k <= held; ++k)
        edges.push_back(k * side);
    return edges;
}

bool IsClassic(int columns, int rows) {
    return columns == rows &&
           std::find(std::begin(kClassicBlockCounts), std::end(kClassicBlockCounts), columns) !=
               std::end(kClassicBlockCounts);
}

}  // namespace

BlockDivision CanvasDivision(int columns, int rows, int width, int height) {
    BlockDivision d;
    d.columns = columns;
    d.rows = rows;
    if (columns <= 0 || rows <= 0 || width <= 0 || height <= 0)
        return d;
    d.spanRight = width;
    d.spanBottom = height;
    if (IsClassic(columns, rows)) {
        const int side = std::max(width, height) / columns;
        if (side <= 0)
            return d;
        d.xs = WholeEdges(columns, side, width);
        d.ys = WholeEdges(rows, side, height);
        if (d.xs.empty() || d.ys.empty())
            d.xs.clear(), d.ys.clear();
        return d;
    }
    if (columns > width || rows > height)
        return d;
    d.xs = EvenEdges(columns, 0, width);
    d.ys = EvenEdges(rows, 0, height);
    return d;
}

BlockDivision PictureDivision(int columns, int rows, int left, int top, int width, int height) {
    BlockDivision d;
    d.columns = columns;
    d.rows = rows;
    if (columns <= 0 || rows <= 0 || columns > width || rows > height)
        return d;
    d.spanLeft = left;
    d.spanTop = top;
    d.spanRight = left + width;
    d.spanBottom = top + height;
    d.xs = EvenEdges(columns, left, width);
    d.ys = EvenEdges(rows, top, height);
    return d;
}

BlockCounts FittedCounts(int n, int width, int height) {
    if (n <= 0 || width <= 0 || height <= 0)
        return {n, n};
    const bool wide = width >= height;
    const int longer = wide ? width : height;
    const int shorter = wide ? height : width;
    // Blocks of longer / n by shorter / k pixels: square at k = n * shorter / longer.
    const double exact = static_cast<double>(n) * shorter / longer;
    const auto skew = [&](int k) { return std::fabs(std::log(exact / k)); };
    const int below = std::clamp(static_cast<int>(std::floor(exact)), 1, n);
    const int above = std::clamp(below + 1, 1, n);
    const int k = skew(above) <= skew(below) ? above : below;
    return wide ? BlockCounts{n, k} : BlockCounts{k, n};
}
