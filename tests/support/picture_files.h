// Picture files built in memory for the model's and the window's loading tests: P6 and bitmap
// files of a test pattern, and files encoded by Qt's writers.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace picture_files {

using Rgb = std::array<int, 3>;

// Every sample different, so that a swapped channel, a flipped row or a shifted column shows.
inline Rgb Pattern(int x, int y) {
    return {(x * 7 + y * 31 + 1) % 256, (x * 13 + y * 3 + 90) % 256, (x * 29 + y * 17 + 170) % 256};
}

inline QImage PatternImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = Pattern(x, y);
            image.setPixel(x, y, qRgb(c[0], c[1], c[2]));
        }
    }
    return image;
}

// Pattern rows, red or (bgr) blue first, each row followed by `pad` non-zero bytes.
inline QByteArray PatternRows(int width, int height, bool bgr = false, bool bottomUp = false,
                              int pad = 0) {
    QByteArray bytes;
    for (int k = 0; k < height; ++k) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = Pattern(x, bottomUp ? height - 1 - k : k);
            for (int s : {0, 1, 2})
                bytes.append(static_cast<char>(c[bgr ? 2 - s : s]));
        }
        bytes.append(pad, '\x5A');
    }
    return bytes;
}

// A P6 file of the pattern; the header defaults to "P6\nW H\n255\n".
inline QByteArray Ppm(int width, int height, QByteArray header = {}) {
    if (header.isEmpty())
        header = "P6\n" + QByteArray::number(width) + ' ' + QByteArray::number(height) + "\n255\n";
    return header + PatternRows(width, height);
}

// Writes v little-endian at `at`, growing b when needed.
inline void PutLe(QByteArray& b, qsizetype at, std::uint32_t v, int bytes = 4) {
    if (b.size() < at + bytes)
        b.resize(at + bytes);
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<char>(v >> (8 * i));
}

struct BmpLayout {
    int bitCount = 24;
    std::uint32_t compression = 0, infoSize = 40;
    std::vector<std::uint32_t> masks = {};    // written right after the 40-byte part
    std::vector<std::uint32_t> palette = {};  // 0x00RRGGBB, written after the info header
};

// Headers, masks, colour table, then the pixels at bfOffBits; a negative height: top-down.
inline QByteArray Bmp(std::int32_t width, std::int32_t height, const BmpLayout& s,
                      const QByteArray& pixels = {}) {
    QByteArray b = "BM" + QByteArray(52, '\0');
    PutLe(b, 14, s.infoSize);
    PutLe(b, 18, static_cast<std::uint32_t>(width));
    PutLe(b, 22, static_cast<std::uint32_t>(height));
    PutLe(b, 26, 1, 2);  // planes
    PutLe(b, 28, static_cast<std::uint32_t>(s.bitCount), 2);
    PutLe(b, 30, s.compression);
    for (std::uint32_t v : s.masks)
        PutLe(b, b.size(), v);
    b.append(std::max<qsizetype>(0, 14 + s.infoSize - b.size()), '\0');
    for (std::uint32_t v : s.palette)
        PutLe(b, b.size(), v);
    PutLe(b, 10, static_cast<std::uint32_t>(b.size()));
    return b + pixels;
}

// A 24-bit bitmap of the pattern: rows padded to 4 bytes, bottom row first unless topDown.
inline QByteArray Bmp24(int width, int height, bool topDown = false, const BmpLayout& layout = {}) {
    return Bmp(width, topDown ? -height : height, layout,
               PatternRows(width, height, true, !topDown, width % 4));
}

// The image encoded by Qt's writer of `format`; quality 100 makes WebP lossless.
inline QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    return image.save(&buffer, format, 100) ? bytes : QByteArray();
}

}  // namespace picture_files
