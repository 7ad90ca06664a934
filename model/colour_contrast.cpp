#include "model/colour_contrast.h"

#include <algorithm>
#include <cmath>

namespace {

// WCAG 2 relative luminance of the sRGB colour.
double RelativeLuminance(std::uint32_t rgb) {
    auto linear = [](std::uint32_t sample) {
        const double v = sample / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear((rgb >> 16) & 0xff) + 0.7152 * linear((rgb >> 8) & 0xff) +
           0.0722 * linear(rgb & 0xff);
}

}  // namespace

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
