// Fast drawing into the panel images for the analysis, writing the pixels of the image
// straight away instead of going through CDC one pixel at a time, with the same results:
// one-pixel lines that cover their start pixel and not their end pixel, text boxes exactly as
// CDC::TextOut fills them, all clipped to the surface's clip rectangle.
#pragma once

#include <QString>

#include "platform/gdi.h"

// MoveTo(x0, y0) then LineTo(x1, y1) for a horizontal or vertical line (other lines, and
// lines with a wide pen or another raster mode than copy, go through LineTo itself).
void DrawStraightLine(CDC& dc, int x0, int y0, int x1, int y1);

// TextOut(x, y, text) with a font of the given pixel height and face (created the first time
// that font, colours and text come together, then reused), in the surface's current text and
// background colours.
void StampText(CDC& dc, int x, int y, const QString& text, int fontHeight, const QString& face,
               int charSet);
