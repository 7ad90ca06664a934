// The puzzle the analysis makes of a picture, without the panels: the picture's canvas turned
// black and white with the brightness band, cut into blocks, the blocks read as the answer and
// its clues.  The command line makes its puzzles here, by the window's own steps.
#pragma once

#include <QString>

#include "image/column_buffer.h"
#include "model/block_division.h"
#include "model/picture.h"
#include "model/puzzle.h"

// The blocks asked for: n x n from the list of block counts, or custom columns x rows; laid on
// the picture's square canvas, or fitted to the picture itself.
struct BlockChoice {
    int columns = 20;
    int rows = 20;
    // Custom counts are used as given; a count from the list is n = columns = rows, which
    // fitting gives to the picture's longer side (FittedCounts).
    bool custom = false;
    bool fit = false;
    static BlockChoice Square(int n) { return {n, n, false, false}; }
    friend bool operator==(const BlockChoice&, const BlockChoice&) = default;
};

// Where the picture lies on its canvas, centred as the readers put it; the whole canvas for a
// picture that fills it (a drawing) or whose size is not known.
struct PictureRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
PictureRect PictureRectOf(const Picture& picture);

// The counts and the pixels the choice cuts for this picture.  Empty when a block would be
// smaller than a pixel (BlockRefusalText tells why).
BlockDivision DivisionOf(const Picture& picture, const BlockChoice& choice);
// Why the choice gives no puzzle of this picture: its blocks would be smaller than a pixel.
QString BlockRefusalText(const Picture& picture, const BlockChoice& choice);

// The puzzle whose answer is the n x n block grid ([block column][block row], 1 = black).
Puzzle PuzzleOfBlocks(const ColumnBuffer& blocks, int n);
// The same for a columns x rows grid.
Puzzle PuzzleOfBlocks(const ColumnBuffer& blocks, int columns, int rows);

// Binarizes the picture's canvas with the band [lower, upper) and reduces it to n x n blocks.
// `binary` is the scratch buffer of the binary image, kept by the caller between pictures;
// it is needed only for a picture whose gray sums do not match its planes.  A picture read as
// gray sums only (SumsOnly) is counted from them.
Puzzle PuzzleOfPicture(const Picture& picture, int lower, int upper, int n, ColumnBuffer& binary);
// The same for the blocks of any division of the picture's canvas; no puzzle (0 x 0) for an
// empty division.
Puzzle PuzzleOfPicture(const Picture& picture, int lower, int upper, const BlockDivision& division,
                       ColumnBuffer& binary);
