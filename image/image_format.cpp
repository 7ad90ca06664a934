#include "image/image_format.h"

#include <cstring>

namespace {

bool Starts(const std::uint8_t* head, std::size_t size, const char* magic, std::size_t length,
            std::size_t at = 0) {
    return size >= at + length && std::memcmp(head + at, magic, length) == 0;
}

}  // namespace

int FormatFromHead(const std::uint8_t* head, std::size_t size) {
    if (size >= 2 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6')
        return head[1] - '0';
    if (Starts(head, size, "BM", 2))
        return kFormatBmp;
    if (Starts(head, size, "\x89PNG\r\n\x1a\n", 8))
        return kFormatPng;
    if (Starts(head, size, "\xFF\xD8\xFF", 3))
        return kFormatJpeg;
    if (Starts(head, size, "GIF87a", 6) || Starts(head, size, "GIF89a", 6))
        return kFormatGif;
    if (Starts(head, size, "RIFF", 4) && Starts(head, size, "WEBP", 4, 8))
        return kFormatWebp;
    // Little- and big-endian TIFF, and their 64-bit offset form.
    if (Starts(head, size, "II*\0", 4) || Starts(head, size, "MM\0*", 4) ||
        Starts(head, size, "II+\0", 4) || Starts(head, size, "MM\0+", 4))
        return kFormatTiff;
    return kFormatUnknown;
}

const char* QtFormatName(int format) {
    switch (format) {
        case kFormatP1:
        case kFormatP4:
            return "pbm";
        case kFormatP2:
        case kFormatP5:
            return "pgm";
        case kFormatP3:
            return "ppm";
        case kFormatPng:
            return "png";
        case kFormatJpeg:
            return "jpeg";
        case kFormatGif:
            return "gif";
        case kFormatWebp:
            return "webp";
        case kFormatTiff:
            return "tiff";
        default:
            return nullptr;
    }
}
