// Surfaces, pictures and pixel queries shared by the analysis tests.
#pragma once

#include <array>
#include <functional>

#include "image/column_buffer.h"
#include "platform/gdi.h"

// An off-screen image of its own, filled with one colour.
class Surface {
public:
    Surface(int width, int height, COLORREF fill = kFaceColor) {
        m_bitmap.CreateBitmap(width, height);
        m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, width, height, fill);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    CDC& dc() { return m_dc; }
    COLORREF at(int x, int y) const { return m_dc.GetPixel(x, y); }
    int width() const { return m_dc.Width(); }
    int height() const { return m_dc.Height(); }

private:
    CBitmap m_bitmap;
    CDC m_dc;
};

using Rgb = std::array<int, 3>;

// Input planes of a width x height picture: column 3x red, 3x+1 green, 3x+2 blue.
inline ColumnBuffer MakePlanes(int width, int height, const std::function<Rgb(int, int)>& pixel) {
    ColumnBuffer planes;
    planes.Allocate(3 * width, height);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const Rgb c = pixel(x, y);
            planes[3 * x][y] = c[0];
            planes[3 * x + 1][y] = c[1];
            planes[3 * x + 2][y] = c[2];
        }
    }
    return planes;
}

// A width x height binary image with value(x, y) in each pixel.
inline ColumnBuffer MakeBinary(int width, int height, const std::function<int(int, int)>& value) {
    ColumnBuffer binary;
    binary.Allocate(width, height);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            binary[x][y] = value(x, y);
    }
    return binary;
}

// Number of pixels of colour c in [left, right) x [top, bottom).
inline int CountColor(const CDC& dc, int left, int top, int right, int bottom, COLORREF c) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            count += dc.GetPixel(x, y) == c ? 1 : 0;
    }
    return count;
}
