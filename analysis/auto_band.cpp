#include "analysis/auto_band.h"

#include <array>
#include <cstdint>
#include <vector>

#include "analysis/crop.h"

namespace {

constexpr int kSums = 3 * 255 + 1;

// Counts of R + G + B in four tables taken in turn, so that runs of equal sums (a picture's
// large flat areas) do not wait on the same counter.
using SumCounts = std::array<std::array<std::uint32_t, kSums>, 4>;

void CountColumn(const std::uint16_t* sums, int count, SumCounts& counts) {
    int y = 0;
    for (; y + 4 <= count; y += 4) {
        ++counts[0][sums[y]];
        ++counts[1][sums[y + 1]];
        ++counts[2][sums[y + 2]];
        ++counts[3][sums[y + 3]];
    }
    for (; y < count; ++y)
        ++counts[0][sums[y]];
}

}  // namespace

long long GrayHistogram::Total() const {
    long long total = 0;
    for (long long count : counts)
        total += count;
    return total;
}

GrayHistogram GrayHistogramOf(const Picture& picture, const std::optional<PixelRect>& crop) {
    GrayHistogram histogram;
    if (picture.IsEmpty() && !picture.SumsOnly())
        return histogram;
    const PictureRect whole = PictureRectOf(picture);
    const std::optional<PixelRect> area =
        ClipToPicture(picture, crop.value_or(PixelRect{0, 0, whole.width, whole.height}));
    if (!area)
        return histogram;
    const CanvasSums sums(picture);
    SumCounts counts{};
    std::vector<int> computed;
    std::vector<std::uint16_t> narrowed;
    for (int i = 0; i < area->width; ++i) {
        const int x = whole.left + area->x + i, top = whole.top + area->y;
        const std::uint16_t* column = sums.StoredColumn(x, top);
        if (!column) {
            computed.resize(static_cast<std::size_t>(area->height));
            narrowed.resize(computed.size());
            sums.ReadColumn(x, top, area->height, computed.data());
            std::copy(computed.begin(), computed.end(), narrowed.begin());
            column = narrowed.data();
        }
        CountColumn(column, area->height, counts);
    }
    // No canvas has more than 8000 x 8000 pixels: the 32-bit counters cannot overflow.
    for (const auto& table : counts) {
        for (int s = 0; s < kSums; ++s)
            histogram.counts[s / 3] += table[s];
    }
    return histogram;
}

int OtsuThreshold(const GrayHistogram& histogram) {
    const long long total = histogram.Total();
    double sumAll = 0;
    for (int g = 0; g < 256; ++g)
        sumAll += static_cast<double>(g) * static_cast<double>(histogram.counts[g]);
    // The variance between the classes [0, t) and [t, 256), times the squared pixel count:
    // (sumAll * n0 - total * s0)^2 / (n0 * n1).  Thresholds with an empty class part nothing.
    long long n0 = 0;
    double s0 = 0;
    double best = -1;
    int bestT = 0;
    for (int t = 1; t < 256; ++t) {
        n0 += histogram.counts[t - 1];
        s0 += static_cast<double>(t - 1) * static_cast<double>(histogram.counts[t - 1]);
        const long long n1 = total - n0;
        if (n0 == 0 || n1 == 0)
            continue;
        const double d = sumAll * static_cast<double>(n0) - static_cast<double>(total) * s0;
        const double between = d / static_cast<double>(n0) * d / static_cast<double>(n1);
        if (between > best) {
            best = between;
            bestT = t;
        }
    }
    if (bestT == 0)
        return 128;
    // Every threshold up to the next used level parts the pixels the same way: take the
    // middle between the dark class's lightest level and the light class's darkest.
    int lastT = bestT;
    while (lastT < 255 && histogram.counts[lastT] == 0)
        ++lastT;
    return (bestT + lastT) / 2;
}

int OtsuThreshold(const Picture& picture, const std::optional<PixelRect>& crop) {
    return OtsuThreshold(GrayHistogramOf(picture, crop));
}

Band AutoBand(const Picture& picture, bool invert, const std::optional<PixelRect>& crop) {
    const int t = OtsuThreshold(picture, crop);
    return invert ? Band{t, 256} : Band{0, t};
}
