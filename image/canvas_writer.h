// Writes a picture into the input planes of its square canvas (column 3x red, 3x+1 green, 3x+2
// blue of pixel column x) and into its gray sums.  The picture arrives as bands of rows of
// 3-byte pixels; the rows are row-major and the planes column-major, so the writer turns
// blocks of 16 rows by 16 pixels around in registers and writes each column in runs of 32
// rows, whole cache lines, instead of one scattered sample per pixel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/column_buffer.h"
#include "image/gray_sums.h"
#include "image/square_canvas.h"

// The order of the three bytes of a pixel in the rows handed to the writer.
enum class PixelOrder { kRgb, kBgr };

class CanvasWriter {
public:
    // planes must hold 3 * canvas.side columns of canvas.side samples, or be unallocated for a
    // picture wanted as gray sums only; gray (may be null, but not without planes)
    // canvas.side columns of canvas.side sums.
    CanvasWriter(ColumnBuffer& planes, GraySums* gray, const SquareCanvas& canvas, int width,
                 int height);

    // Sets every sample outside the picture's window to white (255).
    void FillPadding();
    // count rows of the picture, the first being picture row firstRow (0 = the top row); row k
    // starts at first + k * stride (a negative stride: rows stored bottom-up) and holds width
    // pixels of 3 bytes in the given order.
    void WriteRows(const std::uint8_t* first, std::ptrdiff_t stride, int firstRow, int count,
                   PixelOrder order = PixelOrder::kRgb);
    // Rows of 3 * width bytes, red first, one after the other.
    void WriteRows(const std::uint8_t* rgb, int firstRow, int count) {
        WriteRows(rgb, static_cast<std::ptrdiff_t>(m_nWidth) * 3, firstRow, count);
    }
    // The most rows a band takes: a multiple of 32 (at least 32), about 1.5 MiB of rows.
    int BandRows() const;
    // Rows of the band that starts at picture row firstRow (going down), or (bottom-up) of the
    // band that ends just above picture row endRow: at most BandRows(), and ending (starting)
    // where the canvas rows are whole blocks of 32, so that all bands but the first and the
    // last are written in whole blocks.
    int BandRowsFrom(int firstRow) const;
    int BandRowsUpTo(int endRow) const;
    // After the last rows: makes the gray sums those of the planes (or of the pixels alone).
    void Finish();

private:
    void WriteBlocks(const std::uint8_t* const* rows, int x0, int row, int blocks,
                     PixelOrder order);
    void WriteScalar(const std::uint8_t* first, std::ptrdiff_t stride, int firstRow, int count,
                     int x0, PixelOrder order);

    ColumnBuffer& m_planes;
    GraySums* m_pGray;
    int m_nSide;
    int m_nLeft;
    int m_nTop;
    int m_nWidth;
    int m_nHeight;
    // Large canvases whose columns start on cache lines go past the caches straight to
    // memory, in whole lines: they are not read again soon.
    bool m_bPlanes;  // the planes are written
    bool m_bStreamPlanes;
    bool m_bStreamGray;
};
