// Surfaces, buffers and pixel queries shared by the analysis tests.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "image/column_buffer.h"
#include "platform/gdi.h"

// An off-screen image of its own, filled with one colour.
struct Surface {
    Surface(int width, int height, COLORREF fill = kFaceColor) {
        bitmap.CreateBitmap(width, height);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, fill);
    }
    COLORREF at(int x, int y) const { return dc.GetPixel(x, y); }
    CBitmap bitmap;
    CDC dc;
};

// A columns x length buffer with value(x, y) in buf[x][y].
inline ColumnBuffer MakeBuffer(int columns, int length, const std::function<int(int, int)>& value) {
    ColumnBuffer buffer;
    buffer.Allocate(columns, length);
    for (int x = 0; x < columns; ++x) {
        for (int y = 0; y < length; ++y)
            buffer[x][y] = value(x, y);
    }
    return buffer;
}

using Rgb = std::array<int, 3>;

// Input planes of a width x height picture: column 3x red, 3x+1 green, 3x+2 blue.
inline ColumnBuffer MakePlanes(int width, int height, const std::function<Rgb(int, int)>& pixel) {
    return MakeBuffer(3 * width, height, [&](int x, int y) { return pixel(x / 3, y)[x % 3]; });
}

// An n x n grid from its rows, top row first, each row left to right.
inline ColumnBuffer GridFromRows(const std::vector<std::vector<int>>& rows) {
    const int n = static_cast<int>(rows.size());
    return MakeBuffer(n, n, [&](int i, int j) { return rows[j][i]; });
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

// On a block line of a size x size picture cut into blocks of side b (ends left out).
inline bool OnBlockLine(int x, int y, int b, int size) {
    return (x % b == 0 && x <= size && y < size) || (y % b == 0 && y <= size && x < size);
}
