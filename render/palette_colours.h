// The colours of a colour puzzle as the panels draw them: its palette's 0xRRGGBB values in the
// panels' colour types, and the mark of an undecided cell, which must show on every colour.
#pragma once

#include <QColor>
#include <cstdint>

#include "model/colour_contrast.h"
#include "platform/gdi.h"

inline COLORREF ColorRefOf(std::uint32_t rgb) {
    return RGB((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
}
inline QRgb QRgbOf(std::uint32_t rgb) {
    return 0xff000000u | (rgb & 0xffffffu);
}

// The undecided mark on a cell of colour `cell`: the usual mark (0xRRGGBB, a yellow) unless it
// would hardly stand out there, as on white or yellow cells; then a dark blue.
inline std::uint32_t UndecidedMarkOn(std::uint32_t cell, std::uint32_t usual) {
    constexpr double kLeastContrast = 2.0;
    constexpr std::uint32_t kDarkMark = 0x1a2a8c;
    return ContrastRatio(cell, usual) >= kLeastContrast ? usual : kDarkMark;
}
