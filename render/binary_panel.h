// The binary panel: the black pixels of the binary image drawn light blue over the panel, at
// the picture's own scale.
#pragma once

#include "analysis/binarize.h"
#include "image/column_buffer.h"
#include "platform/gdi.h"

// Colour of the black pixels in the binary panel (test mode).
constexpr COLORREF kBinaryPixelColor = RGB(100, 100, 255);

// Sets every black pixel (x, y) of the extent of binary to kBinaryPixelColor in the panel's
// image, clipped to the panel; white pixels leave the panel as it is.
void DrawBinaryPixels(const ColumnBuffer& binary, BinaryExtent extent, CDC& panel);
