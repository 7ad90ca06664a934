// The puzzle the analysis makes of a picture, without the panels: the picture's canvas turned
// black and white with the brightness band, reduced to n x n blocks, the blocks read as the
// answer and its clues.  The command line makes its puzzles here, by the window's own steps.
#pragma once

#include "image/column_buffer.h"
#include "model/picture.h"
#include "model/puzzle.h"

// The puzzle whose answer is the n x n block grid ([block column][block row], 1 = black).
Puzzle PuzzleOfBlocks(const ColumnBuffer& blocks, int n);

// Binarizes the picture's canvas with the band [lower, upper) and reduces it to n x n blocks.
// `binary` is the scratch buffer of the binary image, kept by the caller between pictures;
// it is needed only for a picture whose gray sums do not match its planes.  A picture read as
// gray sums only (SumsOnly) is counted from them.
Puzzle PuzzleOfPicture(const Picture& picture, int lower, int upper, int n, ColumnBuffer& binary);
