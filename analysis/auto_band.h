// The band chosen from the picture itself: Otsu's threshold over the gray levels of the
// picture's own pixels (the white of the square canvas round it does not count), the level
// that parts them into a dark and a light class of the largest variance between the two.
#pragma once

#include <optional>

#include "analysis/analysis.h"
#include "model/picture.h"

// The gray level of every pixel of the picture's own rectangle (inside crop when given,
// clipped to the picture), counted: histogram[g] pixels have the gray level g, which is
// (R + G + B) / 3 rounded down, the level the binarization compares with the band.
struct GrayHistogram {
    long long counts[256] = {};
    long long Total() const;
};
GrayHistogram GrayHistogramOf(const Picture& picture,
                              const std::optional<PixelRect>& crop = std::nullopt);

// The threshold t (1..255) whose band [0, t) holds the dark class.  When several thresholds
// part the pixels alike (no level between them is used) the one half way between the two
// classes' nearest levels is taken, so that the band does not hug either class.  Pixels all of
// one gray level (or none) cannot be parted: the threshold is then 128, so that a dark level
// falls in the band and a light one outside it.
int OtsuThreshold(const Picture& picture, const std::optional<PixelRect>& crop = std::nullopt);
int OtsuThreshold(const GrayHistogram& histogram);

// The band of the dark class, [0, t); inverted, that of the light class, [t, 256).
struct Band {
    int lower;
    int upper;
};
Band AutoBand(const Picture& picture, bool invert,
              const std::optional<PixelRect>& crop = std::nullopt);
