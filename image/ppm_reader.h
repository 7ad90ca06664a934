// Binary portable pixmap ("P6") header and pixels.  The header this program reads is:
// "P6", one separator byte (both consumed by the sniffing step), at most one comment line
// right after it, then "width height" ended by LF, then one line (the maximum sample value)
// that is skipped.  In the number fields every byte counts as a decimal digit, any byte other
// than "0".."9" (a CR, a tab, an extra space in the height) as the digit 0.  Every sample is
// one byte.
#pragma once

#include <cstdint>

#include "image/byte_reader.h"
#include "image/column_buffer.h"
#include "image/square_canvas.h"

struct PpmHeader {
    // Never negative; a value too large for any canvas is held at a large bound instead of
    // overflowing.
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// Reads the header from the position after the separator byte.  False when the data ends
// inside the header.
bool ReadPpmHeader(ByteReader& reader, PpmHeader& header);

// Reads width x height pixels (red, green, blue bytes, rows top to bottom) into the planes of
// the canvas, centred, and makes every other sample white.  Samples the data does not supply
// stay white.  planes must hold 3 * canvas.side columns of canvas.side samples.
void ReadPpmPixels(ByteReader& reader, int width, int height, const SquareCanvas& canvas,
                   ColumnBuffer& planes);
