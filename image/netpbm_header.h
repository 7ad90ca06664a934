// Headers of the netpbm family, "P1" to "P6", read by the netpbm rules: the magic, then the
// width, the height and (except for the bitmaps P1 and P4) the maximum sample value, as
// decimal numbers.  Before each number comes whitespace of any kind and length (space, tab,
// CR, LF, vertical tab, form feed) or comments, a comment running from "#" through the next CR
// or LF; exactly one whitespace byte (or a comment through its line end) follows the last
// number, and the raster starts right after it.
#pragma once

#include <cstdint>

#include "image/byte_reader.h"

struct NetpbmHeader {
    int kind = 0;  // 1..6, the digit of the magic
    // Never negative; a number too large for any canvas is held at a large bound instead of
    // overflowing.
    std::int64_t width = 0;
    std::int64_t height = 0;
    int maxval = 1;  // 1..65535; 1 for the bitmaps

    // Bytes of one sample in the binary rasters: two above 255, most significant first.
    int SampleBytes() const { return maxval > 255 ? 2 : 1; }
};

// Reads the header from the start of the data (the reader's current position).  False when
// it breaks the rules above, has a maximum sample value outside 1..65535, or the data ends
// inside it; on true the reader is at the first byte of the raster.
bool ReadNetpbmHeader(ByteReader& reader, NetpbmHeader& header);
