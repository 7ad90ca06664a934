#include "analysis/colour_space.h"

#include <algorithm>
#include <cmath>

namespace {

// The D65 white in XYZ.
constexpr double kWhiteX = 0.95047, kWhiteY = 1.0, kWhiteZ = 1.08883;
constexpr double kDelta = 6.0 / 29.0;

double LabCurve(double t) {
    return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3 * kDelta * kDelta) + 4.0 / 29.0;
}

double LabCurveInverse(double t) {
    return t > kDelta ? t * t * t : 3 * kDelta * kDelta * (t - 4.0 / 29.0);
}

std::uint8_t Encoded(double linear) {
    const double v =
        linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::clamp(std::lround(v * 255), 0L, 255L));
}

}  // namespace

double DeltaE(const Lab& p, const Lab& q) {
    return std::sqrt(DistanceSquared(p, q));
}

ColourSpace::ColourSpace() {
    for (int v = 0; v < 256; ++v) {
        const double c = v / 255.0;
        m_linear[v] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
}

Lab ColourSpace::ToLab(Rgb c) const {
    const double r = m_linear[c.r], g = m_linear[c.g], b = m_linear[c.b];
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / kWhiteX;
    const double y = (0.2126729 * r + 0.7151522 * g + 0.0721750 * b) / kWhiteY;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / kWhiteZ;
    const double fx = LabCurve(x), fy = LabCurve(y), fz = LabCurve(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

Rgb ColourSpace::ToRgb(const Lab& c) {
    const double fy = (c.l + 16) / 116;
    const double x = kWhiteX * LabCurveInverse(fy + c.a / 500);
    const double y = kWhiteY * LabCurveInverse(fy);
    const double z = kWhiteZ * LabCurveInverse(fy - c.b / 200);
    return {Encoded(3.2404542 * x - 1.5371385 * y - 0.4985314 * z),
            Encoded(-0.9692660 * x + 1.8760108 * y + 0.0415560 * z),
            Encoded(0.0556434 * x - 0.2040259 * y + 1.0572252 * z)};
}
