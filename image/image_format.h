// Format codes of the sniffing step: the first two bytes of a file name its format.
#pragma once

enum ImageFormat : int {
    kFormatUnknown = 0,
    kFormatP1 = 1,
    kFormatP2 = 2,
    kFormatP3 = 3,
    kFormatP4 = 4,
    kFormatP5 = 5,
    kFormatPpm = 6,  // "P6", binary portable pixmap: read
    kFormatBmp = 7,  // "BM", Windows bitmap: read
};

// magic: the first two bytes of the file, zero where the file is shorter.
int FormatFromMagic(const char magic[2]);
