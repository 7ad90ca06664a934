// Colours as the eye compares them: sRGB samples turned into CIELAB (through linear light and
// XYZ under the D65 white), where the plain distance between two colours (ΔE 1976) follows how
// different they look, and back.
#pragma once

#include <array>
#include <cstdint>

struct Rgb {
    std::uint8_t r = 255;
    std::uint8_t g = 255;
    std::uint8_t b = 255;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Lab {
    double l = 100;
    double a = 0;
    double b = 0;
};

// Squared ΔE 1976 (compared without the root wherever only the order matters).
inline double DistanceSquared(const Lab& p, const Lab& q) {
    const double dl = p.l - q.l, da = p.a - q.a, db = p.b - q.b;
    return dl * dl + da * da + db * db;
}
double DeltaE(const Lab& p, const Lab& q);

// The conversions, with the linear value of each of the 256 sRGB samples looked up.
class ColourSpace {
public:
    ColourSpace();
    Lab ToLab(Rgb c) const;
    // The nearest sRGB colour, each sample rounded and clamped to 0..255.
    static Rgb ToRgb(const Lab& c);

private:
    std::array<double, 256> m_linear{};
};
