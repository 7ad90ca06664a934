// Pictures painted from a function of each pixel, for the analysis, search, session and
// command-line tests: the planes, a picture on its canvas as the readers leave it, and a P6 file.
// The planes are painted column by column, each from the top, so that a paint may keep a state.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "image/square_canvas.h"
#include "model/picture.h"

namespace painted {

using Samples = std::array<int, 3>;  // red, green, blue
using Paint = std::function<Samples(int x, int y)>;

inline Samples Gray(int level) {
    return {level, level, level};
}

// Planes of a width x height canvas: column 3x red, 3x+1 green, 3x+2 blue.
inline ColumnBuffer Planes(int width, int height, const Paint& paint) {
    ColumnBuffer planes;
    planes.Allocate(3 * width, height);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const Samples samples = paint(x, y);
            for (int c = 0; c < 3; ++c)
                planes[3 * x + c][y] = samples[c];
        }
    }
    return planes;
}

// A width x height picture that fills its canvas.
inline Picture Filling(int width, int height, const Paint& paint) {
    Picture picture = Picture::Filling(width, height);
    picture.planes = Planes(width, height, paint);
    return picture;
}

// A width x height picture centred on a white side x side canvas: by default the square canvas
// the readers make for that size.
inline Picture Centred(int width, int height, const Paint& paint, int side = 0) {
    side = side > 0 ? side : static_cast<int>(ComputeSquareCanvas(width, height).side);
    const int left = (side - width) / 2, top = (side - height) / 2;
    Picture picture = Filling(side, side, [&](int x, int y) {
        const bool inside = x >= left && x < left + width && y >= top && y < top + height;
        return inside ? paint(x - left, y - top) : Gray(255);
    });
    picture.width = width;
    picture.height = height;
    return picture;
}

// The picture as the bytes of a P6 file.
inline std::string Ppm(int width, int height, const Paint& paint) {
    std::string bytes = "P6\n" + std::to_string(width) + ' ' + std::to_string(height) + "\n255\n";
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (const int sample : paint(x, y))
                bytes += static_cast<char>(sample);
        }
    }
    return bytes;
}

}  // namespace painted
