// The square canvas of a picture read from a file: the picture is centred on a white square
// whose side is its larger dimension rounded up to a multiple of 20.
#pragma once

#include <QString>
#include <cstdint>

// A canvas larger than this a side is refused before anything is allocated: a broken or
// hostile header may claim up to 2^31 pixels.
constexpr std::int64_t kMaxCanvasSide = 8000;

struct SquareCanvas {
    std::int64_t side = 0;
    // side - width and side - height; the picture starts at padX / 2, padY / 2.
    std::int64_t padX = 0;
    std::int64_t padY = 0;
};

// Width and height must not be negative.
SquareCanvas ComputeSquareCanvas(std::int64_t width, std::int64_t height);
bool CanvasTooLarge(std::int64_t width, std::int64_t height);

// The two lines of the image information text for a picture of width x height on a canvas of
// the given side: "Xsize:W→S" and "Ysize:H→S", each ended by CR LF.
QString CanvasInfoLines(std::int64_t width, std::int64_t height, std::int64_t side);
