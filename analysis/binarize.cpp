#include "analysis/binarize.h"

#include "analysis/block_grid.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
inline void Store(std::int32_t* p, __m128i v, bool stream) {
    if (stream) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(p), v);
    } else {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
    }
}
#endif

// Binary images of more bytes than this are written past the caches: they are read once
// more, by the block grid, only after the whole pass.
constexpr std::size_t kStreamFrom = std::size_t{16} << 20;

// The band as bounds on R + G + B: black when lowerSum <= sum < upperSum.
struct Band {
    std::int32_t lowerSum;
    std::int32_t upperSum;
    // lower <= (R + G + B) / 3 < upper holds exactly when 3 * lower <= R + G + B < 3 * upper,
    // for sums of samples 0..255 (0..765); bounds clamped to just outside that range keep
    // the comparison exact and free of overflow.  No division per pixel.
    static Band Of(int lower, int upper) {
        const auto sumBound = [](int bound) {
            return static_cast<std::int32_t>(std::clamp<std::int64_t>(3LL * bound, -1, 3 * 256));
        };
        return {sumBound(lower), sumBound(upper)};
    }
    std::int32_t operator()(std::int32_t sum) const { return (sum >= lowerSum) & (sum < upperSum); }
};

// One column of the binary image from a column of gray sums.
void BinarizeSums(const std::uint16_t* sums, int h, const Band& band, std::int32_t* out,
                  bool stream) {
    int y = 0;
#if defined(__SSE2__)
    // The column runs as whole 16-byte stores once its start allows them.
    stream = stream && reinterpret_cast<std::uintptr_t>(out) % 16 == 0;
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi16(1);
    const __m128i above = _mm_set1_epi16(static_cast<short>(band.lowerSum - 1));
    const __m128i below = _mm_set1_epi16(static_cast<short>(band.upperSum));
    for (; y + 8 <= h; y += 8) {
        const __m128i g = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + y));
        const __m128i in =
            _mm_and_si128(_mm_and_si128(_mm_cmpgt_epi16(g, above), _mm_cmpgt_epi16(below, g)), one);
        Store(out + y, _mm_unpacklo_epi16(in, zero), stream);
        Store(out + y + 4, _mm_unpackhi_epi16(in, zero), stream);
    }
#else
    (void)stream;
#endif
    for (; y < h; ++y)
        out[y] = band(sums[y]);
}

// One column of the binary image from the three sample columns, and the column's gray sums
// when sums is not null.
void BinarizeSamples(const std::int32_t* red, const std::int32_t* green, const std::int32_t* blue,
                     int h, const Band& band, std::int32_t* out, std::uint16_t* sums, bool stream) {
    int y = 0;
#if defined(__SSE2__)
    stream = stream && reinterpret_cast<std::uintptr_t>(out) % 16 == 0;
    const __m128i one = _mm_set1_epi32(1);
    const __m128i above = _mm_set1_epi32(band.lowerSum - 1);
    const __m128i below = _mm_set1_epi32(band.upperSum);
    for (; y + 8 <= h; y += 8) {
        __m128i sum[2];
        for (int i = 0; i < 2; ++i) {
            const int at = y + 4 * i;
            auto load = [at](const std::int32_t* column) {
                return _mm_loadu_si128(reinterpret_cast<const __m128i*>(column + at));
            };
            sum[i] = _mm_add_epi32(_mm_add_epi32(load(red), load(green)), load(blue));
            const __m128i in = _mm_and_si128(
                _mm_and_si128(_mm_cmpgt_epi32(sum[i], above), _mm_cmpgt_epi32(below, sum[i])), one);
            Store(out + at, in, stream);
        }
        if (sums) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + y), _mm_packs_epi32(sum[0], sum[1]));
        }
    }
#else
    (void)stream;
#endif
    for (; y < h; ++y) {
        const std::int32_t sum = red[y] + green[y] + blue[y];
        out[y] = band(sum);
        if (sums)
            sums[y] = static_cast<std::uint16_t>(sum);
    }
}

}  // namespace

BinaryExtent BinarizePlanes(const ColumnBuffer& planes, int width, int height, int lower, int upper,
                            ColumnBuffer& binary, GraySums* gray) {
    const int w = std::min({width, binary.Columns(), planes.Columns() / 3});
    const int h = std::min({height, binary.Length(), planes.Length()});
    if (w <= 0 || h <= 0)
        return {};

    const Band band = Band::Of(lower, upper);

    // Column by column: the sample columns and the binary column are contiguous, so the pass
    // streams through memory.  Every pixel is independent of the others, so the order does
    // not change the result.
    const bool stream = binary.Size() * sizeof(std::int32_t) >= kStreamFrom;
    if (gray && gray->Match(planes)) {
        for (int x = 0; x < w; ++x)
            BinarizeSums(std::as_const(*gray)[x], h, band, binary[x], stream);
    } else {
        // The sums are made along when the picture fills its planes, and kept for next time;
        // without the memory for them the pass does without.
        const bool whole = w == planes.Columns() / 3 && h == planes.Length();
        if (gray && whole && (gray->Columns() != w || gray->Length() != h)) {
            try {
                gray->Allocate(w, h);
            } catch (const std::bad_alloc&) {
                gray->Free();
            }
        }
        const bool makeSums = gray && whole && gray->IsAllocated();
        for (int x = 0; x < w; ++x) {
            BinarizeSamples(planes[3 * x], planes[3 * x + 1], planes[3 * x + 2], h, band, binary[x],
                            makeSums ? (*gray)[x] : nullptr, stream);
        }
        if (makeSums)
            gray->MadeFrom(planes);
    }
#if defined(__SSE2__)
    if (stream)
        _mm_sfence();
#endif
    return {w, h};
}

void ReduceSumsToBlocks(const GraySums& gray, int width, int height, int lower, int upper, int n,
                        ColumnBuffer& answer) {
    if (n <= 0 || answer.Columns() < n || answer.Length() < n || gray.Columns() < width ||
        gray.Length() < height)
        return;
    ReduceSumsToBlocks(gray, CanvasDivision(n, n, width, height), lower, upper, answer);
}

void ReduceSumsToBlocks(const GraySums& gray, const BlockDivision& division, int lower, int upper,
                        ColumnBuffer& answer) {
    const BlockDivision& d = division;
    if (!ClearBlocks(d, answer))
        return;
    if (d.IsEmpty() || gray.Columns() < d.xs.back() || gray.Length() < d.ys.back())
        return;
    const int columns = d.HeldColumns();
    const int rows = d.HeldRows();
    const int top = d.ys[0];
    const int length = d.ys[rows] - top;
    const Band band = Band::Of(lower, upper);

    // Per block column: the in-band pixels of each pixel row counted across its pixel columns
    // (at most the block's width, which fits 16 bits for any canvas the program takes), then
    // cut into the runs of its blocks.
    std::vector<std::uint16_t> rowCounts(static_cast<std::size_t>(length));
    for (int i = 0; i < columns; ++i) {
        std::fill(rowCounts.begin(), rowCounts.end(), std::uint16_t{0});
        for (int x = d.xs[i]; x < d.xs[i + 1]; ++x) {
            const std::uint16_t* sums = gray[x] + top;
            std::uint16_t* counts = rowCounts.data();
            int y = 0;
#if defined(__SSE2__)
            const __m128i above = _mm_set1_epi16(static_cast<short>(band.lowerSum - 1));
            const __m128i below = _mm_set1_epi16(static_cast<short>(band.upperSum));
            for (; y + 8 <= length; y += 8) {
                const __m128i g = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + y));
                const __m128i in =
                    _mm_and_si128(_mm_cmpgt_epi16(g, above), _mm_cmpgt_epi16(below, g));
                auto* c = reinterpret_cast<__m128i*>(counts + y);
                _mm_storeu_si128(c, _mm_sub_epi16(_mm_loadu_si128(c), in));  // in is 0 or -1
            }
#endif
            for (; y < length; ++y)
                counts[y] = static_cast<std::uint16_t>(counts[y] + band(sums[y]));
        }
        for (int j = 0; j < rows; ++j) {
            std::int32_t count = 0;
            for (int k = d.ys[j]; k < d.ys[j + 1]; ++k)
                count += rowCounts[k - top];
            // Exactly half black counts as black.
            answer[i][j] = count >= d.BlackCount(i, j) ? 1 : 0;
        }
    }
}
