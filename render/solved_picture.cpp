#include "render/solved_picture.h"

#include <cstdint>

std::vector<COLORREF> BlockColors(const Picture& picture, int columns, int rows) {
    std::vector<COLORREF> colors;
    if (picture.IsEmpty() || columns <= 0 || rows <= 0)
        return colors;
    const int bw = picture.CanvasWidth() / columns, bh = picture.CanvasHeight() / rows;
    if (bw < 1 || bh < 1)
        return colors;
    const std::int64_t count = static_cast<std::int64_t>(bw) * bh;
    colors.reserve(static_cast<std::size_t>(columns) * rows);
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            std::int64_t sum[3] = {0, 0, 0};
            for (int x = i * bw; x < (i + 1) * bw; ++x) {
                for (int plane = 0; plane < 3; ++plane) {
                    const std::int32_t* samples = picture.planes[3 * x + plane];
                    for (int y = j * bh; y < (j + 1) * bh; ++y)
                        sum[plane] += samples[y];
                }
            }
            // Rounded to the nearest whole sample.
            const auto mean = [&](int plane) {
                return static_cast<int>((sum[plane] + count / 2) / count);
            };
            colors.push_back(RGB(mean(0), mean(1), mean(2)));
        }
    }
    return colors;
}
