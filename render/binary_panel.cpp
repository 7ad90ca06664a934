#include "render/binary_panel.h"

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    auto row = [bits, stride](int y) { return reinterpret_cast<QRgb*>(bits + y * stride); };
    // One pixel, without a branch: black and white pixels are too mixed to be predicted.
    auto pixel = [&](int x, int y) {
        const QRgb black = 0u - static_cast<QRgb>(binary[x][y] != 0);
        row(y)[x] = (color & black) | (row(y)[x] & ~black);
    };
    int x0 = left;
#if defined(__SSE2__)
    // Blocks of 4 x 4: four column runs of the binary image turned into four image rows.
    const int rows4 = top + (bottom - top) / 4 * 4;
    const __m128i zero = _mm_setzero_si128();
    const __m128i blue = _mm_set1_epi32(static_cast<int>(color));
    for (; x0 + 4 <= right; x0 += 4) {
        for (int y = top; y < rows4; y += 4) {
            __m128i c[4];
            for (int i = 0; i < 4; ++i)
                c[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(binary[x0 + i] + y));
            const __m128i lo01 = _mm_unpacklo_epi32(c[0], c[1]);
            const __m128i hi01 = _mm_unpackhi_epi32(c[0], c[1]);
            const __m128i lo23 = _mm_unpacklo_epi32(c[2], c[3]);
            const __m128i hi23 = _mm_unpackhi_epi32(c[2], c[3]);
            const __m128i r[4] = {_mm_unpacklo_epi64(lo01, lo23), _mm_unpackhi_epi64(lo01, lo23),
                                  _mm_unpacklo_epi64(hi01, hi23), _mm_unpackhi_epi64(hi01, hi23)};
            for (int k = 0; k < 4; ++k) {
                auto* out = reinterpret_cast<__m128i*>(row(y + k) + x0);
                const __m128i white = _mm_cmpeq_epi32(r[k], zero);
                _mm_storeu_si128(out, _mm_or_si128(_mm_and_si128(white, _mm_loadu_si128(out)),
                                                   _mm_andnot_si128(white, blue)));
            }
        }
        for (int y = rows4; y < bottom; ++y) {
            for (int x = x0; x < x0 + 4; ++x)
                pixel(x, y);
        }
    }
#endif
    // The columns left over, a strip at a time so that the column reads and the row writes
    // both stay in the cache.
    constexpr int kStrip = 16;
    for (; x0 < right; x0 += kStrip) {
        const int x1 = std::min(x0 + kStrip, right);
        for (int y = top; y < bottom; ++y) {
            for (int x = x0; x < x1; ++x)
                pixel(x, y);
        }
    }
}

}  // namespace

void DrawBinaryPixels(const ColumnBuffer& binary, BinaryExtent extent, CDC& panel) {
    if (extent.width > 0 && extent.height > 0)
        DrawBlackPixels(binary, extent.width, extent.height, panel);
}
