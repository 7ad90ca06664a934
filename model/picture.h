// The input picture: the three colour planes of its canvas, with the size the picture had
// before it was put on the canvas.  The document owns the one picture of the program.
#pragma once

#include "image/column_buffer.h"
#include "image/gray_sums.h"

struct Picture {
    // 3 * canvas width columns of canvas height samples: column 3x holds the red, 3x+1 the
    // green and 3x+2 the blue samples of pixel column x, row 0 at the top; samples are
    // intensities 0..255 (255 in all three is white).
    ColumnBuffer planes;
    // R + G + B of every canvas pixel, made with the planes by the readers (or by the first
    // analysis); trusted only while they match the planes (GraySums::Match).
    GraySums gray;
    // The picture as it came (the file's header, or the drawing), centred on the canvas.
    int width = 0;
    int height = 0;

    bool IsEmpty() const { return !planes.IsAllocated(); }
    // A picture read for its gray sums alone (the command line's puzzles): no planes.
    bool SumsOnly() const { return !planes.IsAllocated() && gray.IsMade(); }
    // The canvas is what the planes (or the sums alone) hold, so the two can never disagree.
    int CanvasWidth() const { return SumsOnly() ? gray.Columns() : planes.Columns() / 3; }
    int CanvasHeight() const { return SumsOnly() ? gray.Length() : planes.Length(); }

    // A width x height picture that fills its canvas, samples not yet written.  Throws
    // std::bad_alloc when the planes cannot be had.
    static Picture Filling(int width, int height) {
        Picture picture;
        picture.planes.Allocate(3 * width, height);
        picture.width = width;
        picture.height = height;
        return picture;
    }
};
