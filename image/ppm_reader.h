// Binary portable pixmap ("P6") pixels: width x height pixels of red, green and blue samples,
// rows top to bottom, right after the header (image/netpbm_header.h).  A sample takes one
// byte, or two (most significant first) when the maximum sample value is above 255; samples
// are scaled from 0..maxval to 0..255, rounded, and a sample above maxval counts as maxval.
#pragma once

#include "image/byte_reader.h"
#include "image/column_buffer.h"
#include "image/gray_sums.h"
#include "image/netpbm_header.h"
#include "image/square_canvas.h"

// Reads the pixels from the reader's position into the planes of the canvas, centred, and
// makes every other sample white; with gray, also the gray sums.  Samples the data does not
// supply stay white.  planes must hold 3 * canvas.side columns of canvas.side samples, gray
// canvas.side columns of canvas.side sums; header.width and header.height fit the canvas.
void ReadPpmPixels(ByteReader& reader, const NetpbmHeader& header, const SquareCanvas& canvas,
                   ColumnBuffer& planes, GraySums* gray);
