#include "construct/picture_puzzle.h"

#include <QCoreApplication>
#include <vector>

#include "construct/binarize.h"
#include "construct/block_grid.h"

PictureRect PictureRectOf(const Picture& picture) {
    const int canvasWidth = picture.CanvasWidth();
    const int canvasHeight = picture.CanvasHeight();
    if (picture.width <= 0 || picture.height <= 0 || picture.width > canvasWidth ||
        picture.height > canvasHeight)
        return {0, 0, canvasWidth, canvasHeight};
    // The readers start the picture at half the padding.
    return {(canvasWidth - picture.width) / 2, (canvasHeight - picture.height) / 2, picture.width,
            picture.height};
}

namespace {

BlockCounts CountsOf(const PictureRect& rect, const BlockChoice& choice) {
    if (choice.fit && !choice.custom)
        return FittedCounts(choice.columns, rect.width, rect.height);
    return {choice.columns, choice.rows};
}

}  // namespace

BlockDivision DivisionOf(const Picture& picture, const BlockChoice& choice) {
    if (!choice.fit)
        return CanvasDivision(choice.columns, choice.rows, picture.CanvasWidth(),
                              picture.CanvasHeight());
    const PictureRect rect = PictureRectOf(picture);
    const BlockCounts counts = CountsOf(rect, choice);
    return PictureDivision(counts.columns, counts.rows, rect.left, rect.top, rect.width,
                           rect.height);
}

QString BlockRefusalText(const Picture& picture, const BlockChoice& choice) {
    PictureRect rect = PictureRectOf(picture);
    if (!choice.fit)
        rect = {0, 0, picture.CanvasWidth(), picture.CanvasHeight()};
    const BlockCounts counts = CountsOf(rect, choice);
    return QCoreApplication::translate(
               "BlockChoice",
               "ブロック数 %1×%2 では、ブロックが画像の画素より小さくなります"
               "(画像は %3×%4 画素)。\nブロック数を減らしてください。")
        .arg(counts.columns)
        .arg(counts.rows)
        .arg(rect.width)
        .arg(rect.height);
}

Puzzle PuzzleOfBlocks(const ColumnBuffer& blocks, int n) {
    return PuzzleOfBlocks(blocks, n, n);
}

Puzzle PuzzleOfBlocks(const ColumnBuffer& blocks, int columns, int rows) {
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(columns) * rows);
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j)
            cells[static_cast<std::size_t>(j) * columns + i] = blocks[i][j] == 1 ? 1 : 0;
    }
    return Puzzle::FromGrid(columns, rows, cells);
}

Puzzle PuzzleOfPicture(const Picture& picture, int lower, int upper, int n, ColumnBuffer& binary) {
    return PuzzleOfPicture(picture, lower, upper,
                           CanvasDivision(n, n, picture.CanvasWidth(), picture.CanvasHeight()),
                           binary);
}

Puzzle PuzzleOfPicture(const Picture& picture, int lower, int upper, const BlockDivision& division,
                       ColumnBuffer& binary) {
    const int width = picture.CanvasWidth();
    const int height = picture.CanvasHeight();
    const int columns = division.columns;
    const int rows = division.rows;
    if (columns <= 0 || rows <= 0)
        return Puzzle{};
    ColumnBuffer blocks;
    blocks.Allocate(columns, rows);
    if (picture.SumsOnly() || picture.gray.Match(picture.planes)) {
        // The readers make the sums with the planes: the blocks are counted from them, a sixth
        // of the bytes and no binary image.
        ReduceSumsToBlocks(picture.gray, division, lower, upper, blocks);
    } else {
        if (binary.Columns() != width || binary.Length() != height)
            binary.Allocate(width, height);
        BinarizePlanes(picture.planes, width, height, lower, upper, binary, nullptr);
        ReduceToBlocks(binary, division, blocks);
    }
    return PuzzleOfBlocks(blocks, columns, rows);
}
