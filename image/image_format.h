// Format codes of the sniffing step: the first bytes of a file name its format, whatever its
// name says.
#pragma once

#include <cstddef>
#include <cstdint>

enum ImageFormat : int {
    kFormatUnknown = 0,
    kFormatP1 = 1,  // "P1" to "P5", the other netpbm kinds: read through Qt's readers
    kFormatP2 = 2,
    kFormatP3 = 3,
    kFormatP4 = 4,
    kFormatP5 = 5,
    kFormatPpm = 6,  // "P6", binary portable pixmap: this program's own reader
    kFormatBmp = 7,  // "BM", Windows bitmap: this program's own reader
    kFormatPng = 8,  // the rest through Qt's readers
    kFormatJpeg = 9,
    kFormatGif = 10,
    kFormatWebp = 11,
    kFormatTiff = 12,
};

// Bytes the sniffing step looks at.
constexpr std::size_t kSniffBytes = 12;

// head: the first `size` bytes of the data (fewer than kSniffBytes when it is shorter).
int FormatFromHead(const std::uint8_t* head, std::size_t size);

// The format's name for Qt's image readers; null for the formats read by this program alone.
const char* QtFormatName(int format);
