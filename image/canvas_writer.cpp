#include "image/canvas_writer.h"

#include <algorithm>

CanvasWriter::CanvasWriter(ColumnBuffer& planes, const SquareCanvas& canvas, int width, int height)
    : m_planes(planes),
      m_nSide(static_cast<int>(canvas.side)),
      m_nLeft(static_cast<int>(canvas.padX / 2)),
      m_nTop(static_cast<int>(canvas.padY / 2)),
      m_nWidth(width),
      m_nHeight(height) {}

void CanvasWriter::FillPadding() {
    for (int x = 0; x < m_nSide; ++x) {
        const bool inside = x >= m_nLeft && x < m_nLeft + m_nWidth;
        for (int c = 0; c < 3; ++c) {
            std::int32_t* col = m_planes[3 * x + c];
            if (!inside) {
                std::fill(col, col + m_nSide, 255);
                continue;
            }
            std::fill(col, col + m_nTop, 255);
            std::fill(col + m_nTop + m_nHeight, col + m_nSide, 255);
        }
    }
}

void CanvasWriter::WriteRows(const std::uint8_t* rgb, int firstRow, int count) {
    const std::size_t rowBytes = static_cast<std::size_t>(m_nWidth) * 3;
    for (int x = 0; x < m_nWidth; ++x) {
        for (int c = 0; c < 3; ++c) {
            std::int32_t* col = m_planes[3 * (m_nLeft + x) + c] + m_nTop + firstRow;
            const std::uint8_t* src = rgb + static_cast<std::size_t>(x) * 3 + c;
            for (int k = 0; k < count; ++k)
                col[k] = src[k * rowBytes];
        }
    }
}

int CanvasWriter::BandRows() const {
    // About 256 KiB of row bytes, and at least 16 rows so that each column run fills whole
    // cache lines of the planes.
    const int rowBytes = std::max(1, m_nWidth * 3);
    return std::clamp(256 * 1024 / rowBytes, 16, 256);
}
