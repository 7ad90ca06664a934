// Pictures decoded by Qt's image readers: PNG, JPEG, GIF (its first frame), WebP, TIFF (its
// first page) and the netpbm kinds other than P6.  The header is read first, so that a size
// beyond the canvas limit is refused before anything is decoded; the readers' allocation limit
// is set to what the largest allowed picture needs, as a second guard.  A JPEG's (or TIFF's)
// orientation is applied, and transparent pixels are laid over white.
#pragma once

#include <QIODevice>
#include <QImage>
#include <QImageReader>
#include <QSize>
#include <memory>

#include "image/column_buffer.h"
#include "image/gray_sums.h"
#include "image/square_canvas.h"

// Megabytes Qt's readers may allocate for one picture: kMaxCanvasSide squared at 8 bytes a
// pixel (16 bits a channel).
constexpr int kQtAllocationLimitMb =
    static_cast<int>((kMaxCanvasSide * kMaxCanvasSide * 8 + (1 << 20) - 1) >> 20);

// Sets the allocation limit of Qt's readers (also of the images Qt decodes for the clipboard
// and drops), once for the process.
void LimitQtAllocations();

// A reader of `format` (a name of QtFormatName) over device, from its current position, with
// the orientation applied and the allocation limit set.
std::unique_ptr<QImageReader> OpenQtReader(QIODevice& device, const char* format);

// The size of the picture as it will be shown (turned by its orientation), read from the
// header alone; invalid when the header cannot be read.
QSize QtPictureSize(QImageReader& reader);

// Makes image 32-bit premultiplied ARGB, which WriteImagePixels takes, in place where Qt can;
// false when the memory for it cannot be had or the image is null.
bool PrepareImagePixels(QImage& image);

// Writes the prepared image, laid over white, into the planes of the canvas (and the gray
// sums, with gray) as a picture of width x height, centred; every other sample is white, also
// where the image is smaller than width x height.  Throws std::bad_alloc (for its band of
// rows) before writing anything.
void WriteImagePixels(const QImage& image, int width, int height, const SquareCanvas& canvas,
                      ColumnBuffer& planes, GraySums* gray);
