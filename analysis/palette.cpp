#include "analysis/palette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "analysis/crop.h"

namespace {

// Pixels sampled along each side of the part analysed, at most.
constexpr int kSampleSide = 256;
// A fitted colour holding less than this share of the sampled pixels is not kept.
constexpr double kLeastShare = 0.005;
// Rounds of k-means at most, and the move (ΔE) under which the centres count as settled.
constexpr int kRounds = 40;
constexpr double kSettled = 0.05;
constexpr std::uint32_t kSeed = 20240607;

// The part analysed, in canvas pixels.
struct CanvasArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

std::optional<CanvasArea> AreaOf(const Picture& picture, const std::optional<PixelRect>& crop) {
    if (!picture.planes.IsAllocated())
        return std::nullopt;
    const PictureRect whole = PictureRectOf(picture);
    PixelRect rect{0, 0, whole.width, whole.height};
    if (crop) {
        const std::optional<PixelRect> clipped = ClipToPicture(picture, *crop);
        if (!clipped)
            return std::nullopt;
        rect = *clipped;
    }
    if (rect.IsEmpty())
        return std::nullopt;
    return CanvasArea{whole.left + rect.x, whole.top + rect.y, rect.width, rect.height};
}

std::uint8_t Sample(std::int32_t v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

Rgb PixelAt(const Picture& picture, int x, int y) {
    return {Sample(picture.planes[3 * x][y]), Sample(picture.planes[3 * x + 1][y]),
            Sample(picture.planes[3 * x + 2][y])};
}

// The commonest colour along the area's border: the pixels are counted in bins of 16 levels
// per sample, the bin whose neighbourhood (the bins next to it) holds the most wins, so that a
// colour on the edge of two bins is not split; the colour is the mean of that bin's pixels.
Rgb BorderColour(const Picture& picture, const CanvasArea& area) {
    constexpr int kBins = 16;
    std::vector<int> counts(kBins * kBins * kBins, 0);
    std::vector<std::array<long long, 3>> sums(counts.size(), {0, 0, 0});
    const auto bin = [](int r, int g, int b) { return (r * kBins + g) * kBins + b; };
    const auto add = [&](int x, int y) {
        const Rgb c = PixelAt(picture, x, y);
        const int k = bin(c.r / 16, c.g / 16, c.b / 16);
        ++counts[k];
        sums[k][0] += c.r, sums[k][1] += c.g, sums[k][2] += c.b;
    };
    const int right = area.left + area.width - 1, bottom = area.top + area.height - 1;
    for (int x = area.left; x <= right; ++x) {
        add(x, area.top);
        if (bottom > area.top)
            add(x, bottom);
    }
    for (int y = area.top + 1; y < bottom; ++y) {
        add(area.left, y);
        if (right > area.left)
            add(right, y);
    }
    int best = -1;
    long long bestCount = -1;
    for (int r = 0; r < kBins; ++r) {
        for (int g = 0; g < kBins; ++g) {
            for (int b = 0; b < kBins; ++b) {
                if (counts[bin(r, g, b)] == 0)
                    continue;
                long long near = 0;
                for (int dr = std::max(r - 1, 0); dr <= std::min(r + 1, kBins - 1); ++dr)
                    for (int dg = std::max(g - 1, 0); dg <= std::min(g + 1, kBins - 1); ++dg)
                        for (int db = std::max(b - 1, 0); db <= std::min(b + 1, kBins - 1); ++db)
                            near += counts[bin(dr, dg, db)];
                if (near > bestCount) {
                    bestCount = near;
                    best = bin(r, g, b);
                }
            }
        }
    }
    const auto mean = [&](int s) {
        return static_cast<std::uint8_t>(
            std::lround(static_cast<double>(sums[best][s]) / counts[best]));
    };
    return {mean(0), mean(1), mean(2)};
}

// The sampled pixels, one entry per distinct colour with how often it came.
struct Sampled {
    Lab lab;
    double weight = 0;
};

std::vector<Sampled> SamplesOf(const Picture& picture, const CanvasArea& area,
                               const ColourSpace& space) {
    const int columns = std::min(area.width, kSampleSide);
    const int rows = std::min(area.height, kSampleSide);
    std::vector<std::uint32_t> packed;
    packed.reserve(static_cast<std::size_t>(columns) * rows);
    for (int i = 0; i < columns; ++i) {
        const int x = area.left + static_cast<int>((2LL * i + 1) * area.width / (2 * columns));
        for (int j = 0; j < rows; ++j) {
            const int y = area.top + static_cast<int>((2LL * j + 1) * area.height / (2 * rows));
            const Rgb c = PixelAt(picture, x, y);
            packed.push_back(std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b);
        }
    }
    std::sort(packed.begin(), packed.end());
    std::vector<Sampled> samples;
    for (std::size_t k = 0; k < packed.size();) {
        std::size_t end = k;
        while (end < packed.size() && packed[end] == packed[k])
            ++end;
        const std::uint32_t v = packed[k];
        const Rgb c{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                    static_cast<std::uint8_t>(v)};
        samples.push_back({space.ToLab(c), static_cast<double>(end - k)});
        k = end;
    }
    return samples;
}

struct Centre {
    Lab lab;
    bool fixed = false;  // the background or a locked colour: never moved
    double weight = 0;   // sampled pixels nearest to it
};

int NearestCentre(const std::vector<Centre>& centres, const Lab& lab) {
    int best = 0;
    double bestDistance = DistanceSquared(centres[0].lab, lab);
    for (std::size_t k = 1; k < centres.size(); ++k) {
        const double d = DistanceSquared(centres[k].lab, lab);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(k);
        }
    }
    return best;
}

// k-means++: each new centre is a sample picked with odds its weight times its squared
// distance to the nearest centre so far; none once every sample sits on a centre.
void PickCentres(const std::vector<Sampled>& samples, int count, std::vector<Centre>& centres) {
    std::mt19937 random(kSeed);
    std::vector<double> nearest(samples.size());
    for (std::size_t s = 0; s < samples.size(); ++s)
        nearest[s] =
            DistanceSquared(samples[s].lab, centres[NearestCentre(centres, samples[s].lab)].lab);
    for (int picked = 0; picked < count; ++picked) {
        double total = 0;
        for (std::size_t s = 0; s < samples.size(); ++s)
            total += samples[s].weight * nearest[s];
        if (total <= 0)
            return;
        double target = random() / 4294967296.0 * total;
        std::size_t chosen = 0;
        for (std::size_t s = 0; s < samples.size(); ++s) {
            if (nearest[s] <= 0)
                continue;
            chosen = s;  // the last one that can be picked, should rounding leave target > 0
            target -= samples[s].weight * nearest[s];
            if (target < 0)
                break;
        }
        centres.push_back({samples[chosen].lab, false, 0});
        for (std::size_t s = 0; s < samples.size(); ++s)
            nearest[s] = std::min(nearest[s], DistanceSquared(samples[s].lab, samples[chosen].lab));
    }
}

// Lloyd's rounds: every sample goes to its nearest centre, every centre that is not fixed moves
// to the mean of its samples, until they settle.  Leaves each centre's weight.
void Settle(const std::vector<Sampled>& samples, std::vector<Centre>& centres) {
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::array<double, 4>> sums(centres.size(), {0, 0, 0, 0});
        for (const Sampled& s : samples) {
            std::array<double, 4>& sum = sums[NearestCentre(centres, s.lab)];
            sum[0] += s.weight * s.lab.l, sum[1] += s.weight * s.lab.a;
            sum[2] += s.weight * s.lab.b, sum[3] += s.weight;
        }
        double moved = 0;
        for (std::size_t k = 0; k < centres.size(); ++k) {
            centres[k].weight = sums[k][3];
            if (centres[k].fixed || sums[k][3] <= 0)
                continue;
            const Lab mean{sums[k][0] / sums[k][3], sums[k][1] / sums[k][3],
                           sums[k][2] / sums[k][3]};
            moved = std::max(moved, DeltaE(mean, centres[k].lab));
            centres[k].lab = mean;
        }
        if (moved < kSettled)
            return;
    }
}

// Takes away one fitted centre that is not a colour of its own: one holding too few pixels
// (the lightest first), else the lighter of the nearest pair closer than kMergeDeltaE (a fixed
// centre is never taken).  False when every centre stays.
bool DropOne(std::vector<Centre>& centres, double total) {
    int drop = -1;
    for (std::size_t k = 0; k < centres.size(); ++k) {
        if (!centres[k].fixed && centres[k].weight < kLeastShare * total &&
            (drop < 0 || centres[k].weight < centres[drop].weight))
            drop = static_cast<int>(k);
    }
    double nearest = kMergeDeltaE * kMergeDeltaE;
    for (std::size_t i = 0; drop < 0 && i < centres.size(); ++i) {
        for (std::size_t j = i + 1; j < centres.size(); ++j) {
            const Centre &a = centres[i], &b = centres[j];
            const double d = DistanceSquared(a.lab, b.lab);
            if ((a.fixed && b.fixed) || d >= nearest)
                continue;
            nearest = d;
            const bool dropA = !a.fixed && (b.fixed || a.weight < b.weight);
            drop = static_cast<int>(dropA ? i : j);
        }
    }
    if (drop < 0)
        return false;
    centres.erase(centres.begin() + drop);
    return true;
}

PaletteColour ColourOf(Rgb rgb, bool locked, const ColourSpace& space) {
    return {rgb, space.ToLab(rgb), locked};
}

}  // namespace

Palette FindPalette(const Picture& picture, const PaletteOptions& options) {
    const ColourSpace space;
    Palette palette;
    palette.background = ColourOf(Rgb{}, false, space);
    const std::optional<CanvasArea> area = AreaOf(picture, options.crop);
    if (!area)
        return palette;
    palette.background = ColourOf(BorderColour(picture, *area), false, space);

    std::vector<Rgb> locked = options.locked;
    if (locked.size() > static_cast<std::size_t>(kMaxPaletteColours))
        locked.resize(kMaxPaletteColours);
    const int wanted = std::clamp(options.colours, 1, kMaxPaletteColours);
    std::vector<Centre> centres{{palette.background.lab, true, 0}};
    for (Rgb c : locked)
        centres.push_back({space.ToLab(c), true, 0});
    const std::size_t fixedCount = centres.size();

    const std::vector<Sampled> samples = SamplesOf(picture, *area, space);
    double total = 0;
    for (const Sampled& s : samples)
        total += s.weight;
    PickCentres(samples, wanted - static_cast<int>(locked.size()), centres);
    do
        Settle(samples, centres);
    while (DropOne(centres, total));

    for (Rgb c : locked)
        palette.colours.push_back(ColourOf(c, true, space));
    std::vector<Centre> fitted(centres.begin() + static_cast<std::ptrdiff_t>(fixedCount),
                               centres.end());
    std::stable_sort(fitted.begin(), fitted.end(),
                     [](const Centre& a, const Centre& b) { return a.weight > b.weight; });
    for (const Centre& c : fitted)
        palette.colours.push_back(ColourOf(ColourSpace::ToRgb(c.lab), false, space));
    return palette;
}

namespace {

// The palette index nearest to each colour, looked up in bins of 4 levels per sample and
// worked out the first time a bin is met.
class NearestIndex {
public:
    NearestIndex(const Palette& palette, const ColourSpace& space)
        : m_space(space), m_table(std::size_t{1} << 18, kUnknown) {
        m_labs.push_back(palette.background.lab);
        for (const PaletteColour& c : palette.colours)
            m_labs.push_back(c.lab);
    }
    std::uint8_t operator()(std::int32_t r, std::int32_t g, std::int32_t b) {
        const Rgb c{Sample(r), Sample(g), Sample(b)};
        std::uint8_t& slot = m_table[(c.r >> 2) << 12 | (c.g >> 2) << 6 | (c.b >> 2)];
        if (slot == kUnknown) {
            const auto middle = [](std::uint8_t v) { return static_cast<std::uint8_t>(v | 2); };
            const Lab lab = m_space.ToLab({middle(c.r), middle(c.g), middle(c.b)});
            slot = 0;
            for (std::size_t k = 1; k < m_labs.size(); ++k) {
                if (DistanceSquared(m_labs[k], lab) < DistanceSquared(m_labs[slot], lab))
                    slot = static_cast<std::uint8_t>(k);
            }
        }
        return slot;
    }
    int Count() const { return static_cast<int>(m_labs.size()); }

private:
    static constexpr std::uint8_t kUnknown = 0xff;
    const ColourSpace& m_space;
    std::vector<Lab> m_labs;
    std::vector<std::uint8_t> m_table;
};

}  // namespace

Palette PaletteOf(const Picture& picture, const AnalysisSettings& settings) {
    PaletteOptions options;
    options.colours = std::clamp(settings.colours, 1, kMaxPaletteColours);
    options.crop = settings.crop;
    for (const std::uint32_t rgb : settings.locked)
        options.locked.push_back({static_cast<std::uint8_t>(rgb >> 16),
                                  static_cast<std::uint8_t>(rgb >> 8),
                                  static_cast<std::uint8_t>(rgb)});
    return FindPalette(picture, options);
}

std::vector<std::uint8_t> BlockColours(const Picture& picture, const BlockDivision& division,
                                       const Palette& palette) {
    std::vector<std::uint8_t> cells(
        static_cast<std::size_t>(std::max(division.columns, 0)) * std::max(division.rows, 0), 0);
    if (!picture.planes.IsAllocated() || division.IsEmpty())
        return cells;
    const ColourSpace space;
    NearestIndex nearest(palette, space);
    const int colours = nearest.Count();
    const int width = picture.CanvasWidth(), height = picture.CanvasHeight();
    const int held = std::min(division.HeldRows(), division.rows);
    // The white the canvas adds round the picture is background, whatever colour is nearest.
    const PictureRect inside = PictureRectOf(picture);
    const auto inPicture = [&](int p, int from, int length) {
        return p >= from && p < from + length;
    };
    std::vector<int> counts(static_cast<std::size_t>(held) * colours);
    for (int i = 0; i < std::min(division.HeldColumns(), division.columns); ++i) {
        std::fill(counts.begin(), counts.end(), 0);
        for (int x = division.xs[i]; x < std::min(division.xs[i + 1], width); ++x) {
            const std::int32_t* red = picture.planes[3 * x];
            const std::int32_t* green = picture.planes[3 * x + 1];
            const std::int32_t* blue = picture.planes[3 * x + 2];
            const bool column = inPicture(x, inside.left, inside.width);
            for (int j = 0; j < held; ++j) {
                int* count = counts.data() + static_cast<std::size_t>(j) * colours;
                for (int y = division.ys[j]; y < std::min(division.ys[j + 1], height); ++y)
                    ++count[column && inPicture(y, inside.top, inside.height)
                                ? nearest(red[y], green[y], blue[y])
                                : 0];
            }
        }
        for (int j = 0; j < held; ++j) {
            const int* count = counts.data() + static_cast<std::size_t>(j) * colours;
            cells[static_cast<std::size_t>(j) * division.columns + i] =
                static_cast<std::uint8_t>(std::max_element(count, count + colours) - count);
        }
    }
    return cells;
}

std::optional<PixelRect> ColourTrimRect(const Picture& picture, const Palette& palette,
                                        const std::optional<PixelRect>& within) {
    const std::optional<CanvasArea> area = AreaOf(picture, within);
    if (!area)
        return std::nullopt;
    const ColourSpace space;
    NearestIndex nearest(palette, space);
    int left = -1, right = -1, top = area->height, bottom = -1;
    for (int i = 0; i < area->width; ++i) {
        const int x = area->left + i;
        const std::int32_t* red = picture.planes[3 * x] + area->top;
        const std::int32_t* green = picture.planes[3 * x + 1] + area->top;
        const std::int32_t* blue = picture.planes[3 * x + 2] + area->top;
        int first = -1, last = -1;
        for (int j = 0; j < area->height; ++j) {
            if (nearest(red[j], green[j], blue[j]) != 0) {
                if (first < 0)
                    first = j;
                last = j;
            }
        }
        if (first < 0)
            continue;
        if (left < 0)
            left = i;
        right = i;
        top = std::min(top, first);
        bottom = std::max(bottom, last);
    }
    if (left < 0)
        return std::nullopt;
    // A pixel of the area round the box, where there is one: the crop's border, from which
    // its analysis takes the background, is then background too.
    left = std::max(left - 1, 0);
    top = std::max(top - 1, 0);
    right = std::min(right + 1, area->width - 1);
    bottom = std::min(bottom + 1, area->height - 1);
    const PictureRect whole = PictureRectOf(picture);
    return PixelRect{area->left - whole.left + left, area->top - whole.top + top, right - left + 1,
                     bottom - top + 1};
}
