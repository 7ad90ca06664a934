#include "image/qt_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/canvas_writer.h"

void LimitQtAllocations() {
    // The limit is Qt's, for the whole process: set once, also when several threads read
    // pictures at the same time.
    static const bool s_limited = [] {
        QImageReader::setAllocationLimit(kQtAllocationLimitMb);
        return true;
    }();
    (void)s_limited;
}

std::unique_ptr<QImageReader> OpenQtReader(QIODevice& device, const char* format) {
    LimitQtAllocations();
    auto reader = std::make_unique<QImageReader>(&device, QByteArray(format));
    // Only the reader of the sniffed format: no guessing from the data or the file name.
    reader->setDecideFormatFromContent(false);
    reader->setAutoTransform(true);
    return reader;
}

QSize QtPictureSize(QImageReader& reader) {
    QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return QSize();
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    return size;
}

bool PrepareImagePixels(QImage& image) {
    if (image.isNull())
        return false;
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return !image.isNull() && image.format() == QImage::Format_ARGB32_Premultiplied;
}

void WriteImagePixels(const QImage& image, int width, int height, const SquareCanvas& canvas,
                      ColumnBuffer& planes, GraySums* gray) {
    CanvasWriter writer(planes, gray, canvas, width, height);
    const int bandRows = std::max(1, std::min(writer.BandRows(), height));
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(width, 0)) * 3;
    std::vector<std::uint8_t> band(rowBytes * static_cast<std::size_t>(bandRows), 0xFF);
    writer.FillPadding();
    const int shownWidth = std::min(width, image.width());
    const int shownHeight = std::min(height, image.height());
    for (int y = 0, rows = 0; y < height; y += rows) {
        rows = writer.BandRowsFrom(y);
        for (int k = 0; k < rows; ++k) {
            std::uint8_t* out = band.data() + rowBytes * static_cast<std::size_t>(k);
            if (y + k >= shownHeight) {
                std::memset(out, 0xFF, rowBytes);
                continue;
            }
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y + k));
            // Over white: each premultiplied channel plus the white that shows through (held
            // at 255 for a channel that claims more than its alpha).
            for (int x = 0; x < shownWidth; ++x, out += 3) {
                const QRgb p = line[x];
                const int through = 255 - qAlpha(p);
                out[0] = static_cast<std::uint8_t>(std::min(qRed(p) + through, 255));
                out[1] = static_cast<std::uint8_t>(std::min(qGreen(p) + through, 255));
                out[2] = static_cast<std::uint8_t>(std::min(qBlue(p) + through, 255));
            }
            std::memset(out, 0xFF, static_cast<std::size_t>(width - shownWidth) * 3);
        }
        writer.WriteRows(band.data(), y, rows);
    }
    writer.Finish();
}
