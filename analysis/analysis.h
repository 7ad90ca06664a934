// The analysis of a picture, without any drawing: the picture's canvas turned black and white
// with the brightness band, cut into blocks, the blocks read as the answer and its clues.  The
// window and ngm-cli make both analyse here, with one settings value each time.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/binarize.h"
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

// A rectangle of the picture's own pixels: (0, 0) is its top left pixel, whatever white the
// canvas adds round it.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool IsEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Everything an analysis is asked: the brightness band [lower, upper), the blocks, the part of
// the picture analysed (none: the whole picture) and the colours of the puzzle.
struct AnalysisSettings {
    AnalysisSettings() = default;
    // Braces of three (band and blocks) or four values read as they always have.
    AnalysisSettings(int lower, int upper, BlockChoice blocks,
                     std::optional<PixelRect> crop = std::nullopt)
        : lower(lower), upper(upper), blocks(blocks), crop(crop) {}
    int lower = 0;
    int upper = 250;
    BlockChoice blocks;
    std::optional<PixelRect> crop;
    // 0 or 1: black and white by the band; 2..kMaxColours: a colour puzzle of that many
    // colours besides its background, the band then only drawing the binary image.
    int colours = 0;
    // Colours the user chose to keep in the palette (0xRRGGBB), first and in this order.
    std::vector<std::uint32_t> locked;
    bool IsColour() const { return colours >= 2; }
    friend bool operator==(const AnalysisSettings&, const AnalysisSettings&) = default;
};

// What an analysis makes of a picture.  An empty division means the blocks were refused (each
// would be smaller than a pixel): no blocks and no puzzle (0 x 0) then.
struct Analysis {
    BinaryExtent binary;     // the part of the binary image written; none when not asked for
    BlockDivision division;  // where the blocks lie on the canvas
    // [block column][block row], 1 = black; for a colour puzzle 1 = not the background, the
    // colours being the puzzle's answer.
    ColumnBuffer blocks;
    Puzzle puzzle;  // the blocks as answer, with their clues; untitled
    bool Refused() const { return division.IsEmpty(); }
};

// Whether the analysis must write the binary image (the window draws it) or may count the
// blocks straight from the picture's gray sums when they match its planes (no binary image).
enum class BinaryImage { kIfNeeded, kAlways };

// Analyses the picture's canvas with the settings.  binary is the binary image's buffer, kept
// by the caller between analyses (it is the largest part of the memory): with kAlways the
// caller sizes it to the canvas and it is always written, before the blocks are chosen, so
// that a refused choice still has its binary image; with kIfNeeded it is sized here when the
// planes must be read.  gray, when given, is read instead of the planes when it matches them
// and made along otherwise (see BinarizePlanes).  A picture read as gray sums only
// (SumsOnly) is counted from them.
Analysis Analyze(const Picture& picture, const AnalysisSettings& settings, ColumnBuffer& binary,
                 BinaryImage binaryImage = BinaryImage::kIfNeeded, GraySums* gray = nullptr);
