#include "image/canvas_writer.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Canvases of more bytes than this are written past the caches.
constexpr std::size_t kStreamFrom = std::size_t{16} << 20;
// Rows of a block written in one go: a whole cache line of gray sums per column.
constexpr int kBlockRows = 32;

// The plane column (0 red, 1 green, 2 blue) of byte o (0..2) of a pixel.
int Channel(int o, PixelOrder order) {
    return order == PixelOrder::kRgb ? o : 2 - o;
}

#if defined(__SSE2__)

// r[i] holds 16 bytes of row i; afterwards r[j] holds byte j of the 16 rows, row 0 first.
void Transpose16(__m128i r[16]) {
    __m128i a[16];
    for (int i = 0; i < 8; ++i) {
        a[2 * i] = _mm_unpacklo_epi8(r[2 * i], r[2 * i + 1]);      // bytes 0..7 of two rows
        a[2 * i + 1] = _mm_unpackhi_epi8(r[2 * i], r[2 * i + 1]);  // bytes 8..15
    }
    __m128i b[16];  // groups of four rows: bytes 0-3, 4-7, 8-11, 12-15
    for (int g = 0; g < 4; ++g) {
        const __m128i* p = a + 4 * g;
        b[4 * g] = _mm_unpacklo_epi16(p[0], p[2]);
        b[4 * g + 1] = _mm_unpackhi_epi16(p[0], p[2]);
        b[4 * g + 2] = _mm_unpacklo_epi16(p[1], p[3]);
        b[4 * g + 3] = _mm_unpackhi_epi16(p[1], p[3]);
    }
    __m128i c[16];  // groups of eight rows: bytes 0-1, 2-3, ..., 14-15
    for (int h = 0; h < 2; ++h) {
        const __m128i* p = b + 8 * h;
        for (int q = 0; q < 4; ++q) {
            c[8 * h + 2 * q] = _mm_unpacklo_epi32(p[q], p[q + 4]);
            c[8 * h + 2 * q + 1] = _mm_unpackhi_epi32(p[q], p[q + 4]);
        }
    }
    for (int q = 0; q < 8; ++q) {
        r[2 * q] = _mm_unpacklo_epi64(c[q], c[q + 8]);
        r[2 * q + 1] = _mm_unpackhi_epi64(c[q], c[q + 8]);
    }
}

inline void Store(void* p, __m128i v, bool stream) {
    if (stream) {
        _mm_stream_si128(static_cast<__m128i*>(p), v);
    } else {
        _mm_storeu_si128(static_cast<__m128i*>(p), v);
    }
}

#endif

}  // namespace

CanvasWriter::CanvasWriter(ColumnBuffer& planes, GraySums* gray, const SquareCanvas& canvas,
                           int width, int height)
    : m_planes(planes),
      m_pGray(gray),
      m_nSide(static_cast<int>(canvas.side)),
      m_nLeft(static_cast<int>(canvas.padX / 2)),
      m_nTop(static_cast<int>(canvas.padY / 2)),
      m_nWidth(width),
      m_nHeight(height),
      m_bPlanes(planes.IsAllocated()) {
    // The blocks start at canvas rows that are multiples of 32; the columns start on cache
    // lines when their length in bytes is a multiple of 64 (the buffers start on one).
    const bool large = std::size_t{3} * static_cast<std::size_t>(m_nSide) *
                           static_cast<std::size_t>(m_nSide) * sizeof(std::int32_t) >=
                       kStreamFrom;
    m_bStreamPlanes = large && m_nSide % 16 == 0;
    m_bStreamGray = large && m_nSide % 32 == 0;
}

void CanvasWriter::FillPadding() {
    const int right = m_nLeft + m_nWidth;
    const int bottom = m_nTop + m_nHeight;
    for (int x = 0; x < m_nSide; ++x) {
        const bool inside = x >= m_nLeft && x < right;
        for (int c = 0; c < (m_bPlanes ? 3 : 0); ++c) {
            std::int32_t* col = m_planes[3 * x + c];
            if (!inside) {
                std::fill(col, col + m_nSide, 255);
                continue;
            }
            std::fill(col, col + m_nTop, 255);
            std::fill(col + bottom, col + m_nSide, 255);
        }
        if (!m_pGray)
            continue;
        std::uint16_t* sums = (*m_pGray)[x];
        if (!inside) {
            std::fill(sums, sums + m_nSide, std::uint16_t{765});
            continue;
        }
        std::fill(sums, sums + m_nTop, std::uint16_t{765});
        std::fill(sums + bottom, sums + m_nSide, std::uint16_t{765});
    }
}

void CanvasWriter::WriteRows(const std::uint8_t* first, std::ptrdiff_t stride, int firstRow,
                             int count, PixelOrder order) {
    if (count <= 0)
        return;
    int start = 0;
    int blocked = 0;
#if defined(__SSE2__)
    // Rows up to the first canvas row that starts a block go one by one; then blocks of
    // 16 x 16, all blocks of the band down one strip of 16 pixels before the next strip, so
    // that each column is written in one run of the band's height.
    start = std::min(count, (kBlockRows - (m_nTop + firstRow) % kBlockRows) % kBlockRows);
    blocked = (count - start) / 16 * 16;
    const int tiled = m_nWidth / 16 * 16;
    std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(blocked));
    for (int k = 0; k < blocked; ++k)
        rows[static_cast<std::size_t>(k)] = first + (start + k) * stride;
    for (int x0 = 0; x0 < tiled; x0 += 16) {
        for (int k = 0; k < blocked; k += kBlockRows)
            WriteBlocks(rows.data() + k, x0, firstRow + start + k, std::min(2, (blocked - k) / 16),
                        order);
    }
    if (m_bStreamPlanes || m_bStreamGray)
        _mm_sfence();
    WriteScalar(first + start * stride, stride, firstRow + start, blocked, tiled, order);
#endif
    WriteScalar(first, stride, firstRow, start, 0, order);
    const int rest = start + blocked;
    WriteScalar(first + rest * stride, stride, firstRow + rest, count - rest, 0, order);
}

void CanvasWriter::WriteBlocks(const std::uint8_t* const* rows, int x0, int row, int blocks,
                               PixelOrder order) {
#if defined(__SSE2__)
    const int top = m_nTop + row;
    // Whole cache lines only: 16 rows of samples, and 32 rows of sums.
    const bool streamPlanes = m_bStreamPlanes && top % 16 == 0;
    const bool streamGray = m_bStreamGray && blocks == 2 && top % kBlockRows == 0;
    const __m128i zero = _mm_setzero_si128();
    __m128i sums[2][16][2];  // block, pixel, rows 0-7 and 8-15
    for (int b = 0; b < blocks; ++b) {
        // The 48 bytes of 16 pixels in each of 16 rows, turned around: t[i] holds byte i of
        // the pixels' bytes for the 16 rows, which is byte i % 3 of pixel i / 3.
        __m128i t[48];
        for (int chunk = 0; chunk < 3; ++chunk) {
            __m128i* r = t + 16 * chunk;
            for (int i = 0; i < 16; ++i) {
                r[i] = _mm_loadu_si128(
                    reinterpret_cast<const __m128i*>(rows[16 * b + i] + 3 * x0 + 16 * chunk));
            }
            Transpose16(r);
        }
        for (int p = 0; p < 16; ++p) {
            const int x = m_nLeft + x0 + p;
            __m128i sumLo = zero;
            __m128i sumHi = zero;
            for (int o = 0; o < 3; ++o) {
                const __m128i v = t[3 * p + o];
                const __m128i lo = _mm_unpacklo_epi8(v, zero);
                const __m128i hi = _mm_unpackhi_epi8(v, zero);
                if (m_bPlanes) {
                    std::int32_t* col = m_planes[3 * x + Channel(o, order)] + top + 16 * b;
                    Store(col, _mm_unpacklo_epi16(lo, zero), streamPlanes);
                    Store(col + 4, _mm_unpackhi_epi16(lo, zero), streamPlanes);
                    Store(col + 8, _mm_unpacklo_epi16(hi, zero), streamPlanes);
                    Store(col + 12, _mm_unpackhi_epi16(hi, zero), streamPlanes);
                }
                sumLo = _mm_add_epi16(sumLo, lo);
                sumHi = _mm_add_epi16(sumHi, hi);
            }
            sums[b][p][0] = sumLo;
            sums[b][p][1] = sumHi;
        }
    }
    if (!m_pGray)
        return;
    for (int p = 0; p < 16; ++p) {
        std::uint16_t* column = (*m_pGray)[m_nLeft + x0 + p] + top;
        for (int b = 0; b < blocks; ++b) {
            Store(column + 16 * b, sums[b][p][0], streamGray);
            Store(column + 16 * b + 8, sums[b][p][1], streamGray);
        }
    }
#else
    (void)rows;
    (void)x0;
    (void)row;
    (void)blocks;
    (void)order;
#endif
}

void CanvasWriter::WriteScalar(const std::uint8_t* first, std::ptrdiff_t stride, int firstRow,
                               int count, int x0, PixelOrder order) {
    if (count <= 0)
        return;
    const int top = m_nTop + firstRow;
    // Column by column, so that each column is written in one sequential run.
    for (int x = x0; x < m_nWidth; ++x) {
        const std::uint8_t* pixel = first + std::ptrdiff_t{3} * x;
        for (int o = 0; o < (m_bPlanes ? 3 : 0); ++o) {
            std::int32_t* col = m_planes[3 * (m_nLeft + x) + Channel(o, order)] + top;
            const std::uint8_t* src = pixel + o;
            for (int k = 0; k < count; ++k)
                col[k] = src[k * stride];
        }
        if (m_pGray) {
            std::uint16_t* sums = (*m_pGray)[m_nLeft + x] + top;
            for (int k = 0; k < count; ++k) {
                const std::uint8_t* s = pixel + k * stride;
                sums[k] = static_cast<std::uint16_t>(s[0] + s[1] + s[2]);
            }
        }
    }
}

int CanvasWriter::BandRows() const {
    // About 1.5 MiB of row bytes, which stay in the cache while they are turned around.
    const int rowBytes = std::max(1, m_nWidth * 3);
    return std::clamp(1536 * 1024 / rowBytes, kBlockRows, 256) / kBlockRows * kBlockRows;
}

int CanvasWriter::BandRowsFrom(int firstRow) const {
    // Up to a canvas row that is a multiple of the block rows.
    const int misaligned = (m_nTop + firstRow) % kBlockRows;
    return std::min(BandRows() - misaligned, m_nHeight - firstRow);
}

int CanvasWriter::BandRowsUpTo(int endRow) const {
    const int misaligned = (m_nTop + endRow) % kBlockRows;
    const int rows = misaligned == 0 ? BandRows() : misaligned;
    return std::min(rows, endRow);
}

void CanvasWriter::Finish() {
    if (m_pGray && m_bPlanes) {
        m_pGray->MadeFrom(m_planes);
    } else if (m_pGray) {
        m_pGray->MadeWithoutPlanes();
    }
}
