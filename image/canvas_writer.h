// Writes a picture into the input planes of its square canvas: column 3x holds red, 3x+1 green
// and 3x+2 blue of pixel column x.  The picture arrives as bands of rows of RGB bytes; the
// writer turns them into column runs so that the planes are written in long sequential
// stretches rather than one scattered sample per pixel.
#pragma once

#include <cstdint>

#include "image/column_buffer.h"
#include "image/square_canvas.h"

class CanvasWriter {
public:
    // planes must hold 3 * canvas.side columns of canvas.side samples.
    CanvasWriter(ColumnBuffer& planes, const SquareCanvas& canvas, int width, int height);

    // Sets every sample outside the picture's window to white (255).
    void FillPadding();
    // rgb holds count rows of the picture, 3 * width bytes each (red, green, blue per pixel),
    // the first of them being picture row firstRow (0 = the picture's top row).
    void WriteRows(const std::uint8_t* rgb, int firstRow, int count);
    // A good number of rows per band for this width.
    int BandRows() const;

private:
    ColumnBuffer& m_planes;
    int m_nSide;
    int m_nLeft;
    int m_nTop;
    int m_nWidth;
    int m_nHeight;
};
