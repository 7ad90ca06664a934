#include "render/solved_picture.h"

#include <algorithm>
#include <cstdint>

namespace {

// The mean colour of the pixels [x0, x1) x [y0, y1) of the canvas, rounded to the nearest
// whole sample.
COLORREF MeanColor(const Picture& picture, int x0, int x1, int y0, int y1) {
    std::int64_t sum[3] = {0, 0, 0};
    for (int x = x0; x < x1; ++x) {
        for (int plane = 0; plane < 3; ++plane) {
            const std::int32_t* samples = picture.planes[3 * x + plane];
            for (int y = y0; y < y1; ++y)
                sum[plane] += samples[y];
        }
    }
    const std::int64_t count = static_cast<std::int64_t>(x1 - x0) * (y1 - y0);
    const auto mean = [&](int plane) { return static_cast<int>((sum[plane] + count / 2) / count); };
    return RGB(mean(0), mean(1), mean(2));
}

}  // namespace

std::vector<COLORREF> BlockColors(const Picture& picture, const BlockDivision& division) {
    std::vector<COLORREF> colors;
    if (picture.IsEmpty() || division.IsEmpty())
        return colors;
    const int width = picture.CanvasWidth(), height = picture.CanvasHeight();
    colors.assign(static_cast<std::size_t>(division.columns) * division.rows, RGB(255, 255, 255));
    const int held = std::min(division.HeldColumns(), division.columns);
    const int heldRows = std::min(division.HeldRows(), division.rows);
    for (int j = 0; j < heldRows; ++j) {
        const int y0 = std::clamp(division.ys[j], 0, height);
        const int y1 = std::clamp(division.ys[j + 1], y0, height);
        for (int i = 0; i < held; ++i) {
            const int x0 = std::clamp(division.xs[i], 0, width);
            const int x1 = std::clamp(division.xs[i + 1], x0, width);
            if (x1 > x0 && y1 > y0)
                colors[static_cast<std::size_t>(j) * division.columns + i] =
                    MeanColor(picture, x0, x1, y0, y1);
        }
    }
    return colors;
}
