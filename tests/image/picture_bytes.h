// Test pictures built from bytes: PPM and bitmap files with chosen headers and pixels, and a
// check of the planes of a square canvas against the expected picture.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "image/column_buffer.h"

using Rgb = std::array<int, 3>;
using PixelFn = std::function<Rgb(int x, int y)>;

// Every pixel and every sample different, so that a swapped channel, a flipped row or a
// shifted column shows.
inline Rgb Pattern(int x, int y) {
    return {(x * 7 + y * 31 + 1) % 256, (x * 13 + y * 3 + 90) % 256, (x * 29 + y * 17 + 170) % 256};
}

// A "P6" file: the header text, then width x height pixels, rows top to bottom.
inline QByteArray Ppm(const QByteArray& header, int width, int height,
                      const PixelFn& pixel = Pattern) {
    QByteArray bytes = header;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            for (int v : c)
                bytes.append(static_cast<char>(v));
        }
    }
    return bytes;
}

inline QByteArray Ppm(int width, int height, const PixelFn& pixel = Pattern) {
    return Ppm(QByteArray("P6\n") + QByteArray::number(width) + ' ' + QByteArray::number(height) +
                   "\n255\n",
               width, height, pixel);
}

inline void PutLe16(QByteArray& b, int at, std::uint32_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
inline void PutLe32(QByteArray& b, int at, std::uint32_t v) {
    PutLe16(b, at, v & 0xFFFF);
    PutLe16(b, at + 2, v >> 16);
}
inline void AppendLe32(QByteArray& b, std::uint32_t v) {
    b.append(4, '\0');
    PutLe32(b, b.size() - 4, v);
}

struct BmpSpec {
    std::int32_t width = 0;
    std::int32_t height = 0;  // as stored: negative for top-down rows
    int bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 40;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks;    // written right after the 40-byte part
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB entries, written after the info header
};

// A bitmap file: file header, info header (padded to infoSize), masks, colour table, then the
// pixel data as given; bfOffBits points at the pixel data.
inline QByteArray Bmp(const BmpSpec& s, const QByteArray& pixelData) {
    QByteArray b(14 + 40, '\0');
    b[0] = 'B';
    b[1] = 'M';
    PutLe32(b, 14, s.infoSize);
    PutLe32(b, 18, static_cast<std::uint32_t>(s.width));
    PutLe32(b, 22, static_cast<std::uint32_t>(s.height));
    PutLe16(b, 26, 1);
    PutLe16(b, 28, static_cast<std::uint32_t>(s.bitCount));
    PutLe32(b, 30, s.compression);
    PutLe32(b, 46, s.colorsUsed);
    for (std::uint32_t m : s.masks)
        AppendLe32(b, m);
    if (b.size() < 14 + static_cast<int>(s.infoSize))
        b.append(14 + s.infoSize - b.size(), '\0');
    for (std::uint32_t c : s.palette)
        AppendLe32(b, c);
    PutLe32(b, 10, static_cast<std::uint32_t>(b.size()));
    b.append(pixelData);
    PutLe32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

// The stored rows of a 24-bit picture: blue, green, red per pixel, each row padded to a
// multiple of 4 bytes with `padByte`, bottom row first unless topDown.
inline QByteArray Bmp24Rows(int width, int height, bool topDown = false,
                            const PixelFn& pixel = Pattern, char padByte = '\x5A') {
    QByteArray rows;
    for (int k = 0; k < height; ++k) {
        const int y = topDown ? k : height - 1 - k;
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            rows.append(static_cast<char>(c[2]));
            rows.append(static_cast<char>(c[1]));
            rows.append(static_cast<char>(c[0]));
        }
        rows.append(width % 4, padByte);
    }
    return rows;
}

inline QByteArray Bmp24(int width, int height, const PixelFn& pixel = Pattern) {
    BmpSpec s;
    s.width = width;
    s.height = height;
    return Bmp(s, Bmp24Rows(width, height, false, pixel));
}

// Checks all 3 * side x side samples: the picture of width x height at (left, top), as
// `expected` says, white elsewhere.  Stops reporting after a few differences.
inline void ExpectCanvas(const ColumnBuffer& planes, int side, int left, int top, int width,
                         int height, const PixelFn& expected) {
    ASSERT_EQ(planes.Columns(), 3 * side);
    ASSERT_EQ(planes.Length(), side);
    int failures = 0;
    for (int x = 0; x < side && failures < 5; ++x) {
        for (int y = 0; y < side && failures < 5; ++y) {
            const bool inside = x >= left && x < left + width && y >= top && y < top + height;
            const Rgb want = inside ? expected(x - left, y - top) : Rgb{255, 255, 255};
            const Rgb got = {planes[3 * x][y], planes[3 * x + 1][y], planes[3 * x + 2][y]};
            if (got != want) {
                ++failures;
                ADD_FAILURE() << "pixel " << x << "," << y << ": got " << got[0] << "," << got[1]
                              << "," << got[2] << " want " << want[0] << "," << want[1] << ","
                              << want[2];
            }
        }
    }
}
