// Binarization: the input planes and a brightness band become the binary image.  A pixel whose
// gray value (R + G + B) / 3 lies in [lower, upper) is black (1), every other pixel white (0).
#pragma once

#include "image/column_buffer.h"
#include "image/gray_sums.h"
#include "model/block_division.h"
#include "platform/gdi.h"

// Colour of the black pixels in the binary panel (test mode).
constexpr COLORREF kBinaryPixelColor = RGB(100, 100, 255);

// Writes binary[x][y] for every pixel of the width x height picture held in planes (column 3x
// red, 3x+1 green, 3x+2 blue).  With a panel, every black pixel (x, y) is also set to
// kBinaryPixelColor in it, at the picture's own scale and clipped to the panel.  Samples are
// intensities 0..255.  Pixels that the buffers do not hold are skipped, so a picture larger
// than its buffers reads nothing outside.
// gray: the picture's gray sums, or null.  When they match the planes they are read instead
// of the three planes (a sixth of the bytes); otherwise the pass over the planes makes them
// for the next time, when the picture fills its planes.
void BinarizePlanes(const ColumnBuffer& planes, int width, int height, int lower, int upper,
                    ColumnBuffer& binary, CDC* panel, GraySums* gray = nullptr);

// The n x n block grid (answer: [block column][block row], 1 = black) of the band [lower, upper)
// counted straight from the gray sums of a width x height canvas, in one pass over the sums and
// without a binary image: the same grid BinarizePlanes and ReduceToBlocks give.  Does nothing
// when answer is smaller than n x n or the sums do not cover the canvas.
void ReduceSumsToBlocks(const GraySums& gray, int width, int height, int lower, int upper, int n,
                        ColumnBuffer& answer);
// The same for any division: answer holds division.columns x division.rows cells.
void ReduceSumsToBlocks(const GraySums& gray, const BlockDivision& division, int lower, int upper,
                        ColumnBuffer& answer);
