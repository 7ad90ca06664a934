// Binarization: the input planes and a brightness band become the binary image.  A pixel whose
// gray value (R + G + B) / 3 lies in [lower, upper) is black (1), every other pixel white (0).
#pragma once

#include "image/column_buffer.h"
#include "image/gray_sums.h"
#include "model/block_division.h"

// The part of a binary image that a pass wrote: its first width columns and height rows.
struct BinaryExtent {
    int width = 0;
    int height = 0;
};

// Writes binary[x][y] for every pixel of the width x height picture held in planes (column 3x
// red, 3x+1 green, 3x+2 blue).  Samples are intensities 0..255.  Pixels that the buffers do not
// hold are skipped, so a picture larger than its buffers reads nothing outside; the extent
// returned is what was written (none when the buffers hold no pixel).
// gray: the picture's gray sums, or null.  When they match the planes they are read instead
// of the three planes (a sixth of the bytes); otherwise the pass over the planes makes them
// for the next time, when the picture fills its planes.
BinaryExtent BinarizePlanes(const ColumnBuffer& planes, int width, int height, int lower, int upper,
                            ColumnBuffer& binary, GraySums* gray = nullptr);

// The n x n block grid (answer: [block column][block row], 1 = black) of the band [lower, upper)
// counted straight from the gray sums of a width x height canvas, in one pass over the sums and
// without a binary image: the same grid BinarizePlanes and ReduceToBlocks give.  Does nothing
// when answer is smaller than n x n or the sums do not cover the canvas.
void ReduceSumsToBlocks(const GraySums& gray, int width, int height, int lower, int upper, int n,
                        ColumnBuffer& answer);
// The same for any division: answer holds division.columns x division.rows cells.
void ReduceSumsToBlocks(const GraySums& gray, const BlockDivision& division, int lower, int upper,
                        ColumnBuffer& answer);
