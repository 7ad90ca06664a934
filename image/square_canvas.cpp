#include "image/square_canvas.h"

SquareCanvas ComputeSquareCanvas(std::int64_t width, std::int64_t height) {
    SquareCanvas c;
    if (width >= height) {
        std::int64_t side = width;
        const std::int64_t r = width % 20;
        if (r > 0) {
            side = (width / 20 + 1) * 20;
            c.padX = 20 - r;
        }
        c.side = side;
        c.padY = side - height;
    } else {
        std::int64_t side = height;
        const std::int64_t r = height % 20;
        if (r > 0) {
            side = (height / 20 + 1) * 20;
            c.padY = 20 - r;
        }
        c.side = side;
        c.padX = side - width;
    }
    return c;
}

bool CanvasTooLarge(std::int64_t width, std::int64_t height) {
    return ComputeSquareCanvas(width, height).side > kMaxCanvasSide;
}

QString CanvasInfoLines(std::int64_t width, std::int64_t height, std::int64_t side) {
    return QStringLiteral("Xsize:%1\u2192%2\r\nYsize:%3\u2192%2\r\n")
        .arg(width)
        .arg(side)
        .arg(height);
}
