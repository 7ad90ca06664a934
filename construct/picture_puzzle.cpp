#include "construct/picture_puzzle.h"

#include <vector>

#include "construct/binarize.h"
#include "construct/block_grid.h"

Puzzle PuzzleOfBlocks(const ColumnBuffer& blocks, int n) {
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(n) * n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            cells[static_cast<std::size_t>(j) * n + i] = blocks[i][j] == 1 ? 1 : 0;
    }
    return Puzzle::FromGrid(n, n, cells);
}

Puzzle PuzzleOfPicture(const Picture& picture, int lower, int upper, int n, ColumnBuffer& binary) {
    const int width = picture.CanvasWidth();
    const int height = picture.CanvasHeight();
    ColumnBuffer blocks;
    blocks.Allocate(n, n);
    if (picture.SumsOnly() || picture.gray.Match(picture.planes)) {
        // The readers make the sums with the planes: the blocks are counted from them, a sixth
        // of the bytes and no binary image.
        ReduceSumsToBlocks(picture.gray, width, height, lower, upper, n, blocks);
    } else {
        if (binary.Columns() != width || binary.Length() != height)
            binary.Allocate(width, height);
        BinarizePlanes(picture.planes, width, height, lower, upper, binary, nullptr);
        ReduceToBlocks(binary, width, height, n, blocks);
    }
    return PuzzleOfBlocks(blocks, n);
}
