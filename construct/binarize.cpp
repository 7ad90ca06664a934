#include "construct/binarize.h"

#include <algorithm>
#include <cstdint>

namespace {

// Writes the light-blue pixels straight into the panel's image: the binary image is
// column-major, the image row-major, and only the part inside the panel's clip is visited.
void DrawBlackPixels(const ColumnBuffer& binary, int width, int height, CDC& panel) {
    CBitmap* bitmap = panel.GetCurrentBitmap();
    if (!bitmap || !bitmap->IsCreated())
        return;
    const CRect clip = panel.GetClipRect();
    const int left = std::max(clip.left, 0);
    const int top = std::max(clip.top, 0);
    const int right = std::min(clip.right, width);
    const int bottom = std::min(clip.bottom, height);
    if (right <= left || bottom <= top)
        return;

    QImage& image = bitmap->Image();
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const QRgb color = qRgb(GetRValue(kBinaryPixelColor), GetGValue(kBinaryPixelColor),
                            GetBValue(kBinaryPixelColor));
    // Strips of a few columns, so that the reads of the columns and the writes along the
    // image rows both stay in the cache.
    constexpr int kStrip = 16;
    for (int x0 = left; x0 < right; x0 += kStrip) {
        const int x1 = std::min(x0 + kStrip, right);
        for (int y = top; y < bottom; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride);
            for (int x = x0; x < x1; ++x) {
                row[x] = binary[x][y] ? color : row[x];
            }
        }
    }
}

}  // namespace

void BinarizePlanes(const ColumnBuffer& planes, int width, int height, int lower, int upper,
                    ColumnBuffer& binary, CDC* panel) {
    const int w = std::min({width, binary.Columns(), planes.Columns() / 3});
    const int h = std::min({height, binary.Length(), planes.Length()});
    if (w <= 0 || h <= 0)
        return;

    // lower <= (R + G + B) / 3 < upper holds exactly when 3 * lower <= R + G + B < 3 * upper,
    // for sums of samples 0..255 (0..765); bounds clamped to just outside that range keep
    // the comparison exact and free of overflow.  No division per pixel.
    const auto sumBound = [](int bound) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(3LL * bound, -1, 3 * 256));
    };
    const std::int32_t lowerSum = sumBound(lower);
    const std::int32_t upperSum = sumBound(upper);

    // Column by column: the three sample columns and the binary column are contiguous, so
    // the pass streams through memory.  Every pixel is independent of the others, so the
    // order does not change the result.
    for (int x = 0; x < w; ++x) {
        const std::int32_t* red = planes[3 * x];
        const std::int32_t* green = planes[3 * x + 1];
        const std::int32_t* blue = planes[3 * x + 2];
        std::int32_t* out = binary[x];
        for (int y = 0; y < h; ++y) {
            const std::int32_t sum = red[y] + green[y] + blue[y];
            out[y] = (sum >= lowerSum) & (sum < upperSum);
        }
    }
    if (panel)
        DrawBlackPixels(binary, w, h, *panel);
}
