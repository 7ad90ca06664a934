// Windows bitmap ("BM") headers and pixels.  Read: uncompressed bitmaps of 1, 4 and 8 bits
// through their colour table, 24 bits as blue, green, red, and 16 and 32 bits through their
// colour masks (5-5-5 and blue, green, red, unused by default; the masks of the file when it
// says so).  Rows are stored bottom-up, or top-down when the height is negative; each row
// takes a multiple of 4 bytes.  Compressed bitmaps (run-length, embedded JPEG or PNG), negative
// widths, unknown bit counts and headers shorter than 40 bytes are refused.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "image/byte_reader.h"
#include "image/column_buffer.h"
#include "image/gray_sums.h"
#include "image/square_canvas.h"

struct BmpHeader {
    std::uint32_t offBits = 0;   // start of the pixel data, from the start of the file
    std::uint32_t infoSize = 0;  // 40, or larger for the later header versions
    std::int32_t width = 0;
    std::int32_t storedHeight = 0;  // negative: rows stored top-down
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;

    bool topDown = false;
    std::int64_t height = 0;  // the magnitude of storedHeight
    // Red, green and blue masks of 16 and 32-bit pixels.
    std::array<std::uint32_t, 3> masks{};
    // Colour table of 1, 4 and 8-bit bitmaps, as red, green, blue.
    std::vector<std::array<std::uint8_t, 3>> palette;
};

enum class BmpHeaderStatus {
    kOk,
    kTruncated,    // the data ends inside the headers, the masks or the colour table
    kUnsupported,  // compressed, negative width, unknown bit count or header size
};

// Reads the headers, the masks and the colour table (positioning the reader itself).
BmpHeaderStatus ReadBmpHeader(ByteReader& reader, BmpHeader& header);

// Bytes of one stored row (a multiple of 4).
std::int64_t BmpRowStride(std::int64_t width, int bitCount);

// Reads the pixels from header.offBits into the planes of the canvas, centred and upright, and
// makes every other sample white; with gray, also the gray sums.  Pixels the data does not
// supply stay white.  planes must hold 3 * canvas.side columns of canvas.side samples, gray
// canvas.side columns of canvas.side sums.
void ReadBmpPixels(ByteReader& reader, const BmpHeader& header, const SquareCanvas& canvas,
                   ColumnBuffer& planes, GraySums* gray);
