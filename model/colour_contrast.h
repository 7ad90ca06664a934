// How well two colours (0xRRGGBB) stand apart, by the WCAG 2 contrast of their relative
// luminance: what picks the ink of a number on a colour swatch, and the mark that shows on a
// colour cell.
#pragma once

#include <cstdint>

// The WCAG 2 contrast ratio of two colours, 1 (the same) to 21 (black and white).
double ContrastRatio(std::uint32_t a, std::uint32_t b);

// True when black contrasts at least as much as white with the colour: the ink for a number on it.
inline bool BlackReadsOn(std::uint32_t rgb) {
    return ContrastRatio(rgb, 0x000000) >= ContrastRatio(rgb, 0xffffff);
}
