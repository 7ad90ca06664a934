#include "analysis/analysis.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "analysis/block_grid.h"
#include "analysis/palette.h"

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

namespace {

// The blocks of the division counted from whatever the picture holds: its gray sums when they
// match its planes, otherwise its planes through the binary image.
void CountBlocks(const Picture& picture, const AnalysisSettings& settings,
                 const BlockDivision& division, ColumnBuffer& binary, ColumnBuffer& blocks) {
    const int width = picture.CanvasWidth();
    const int height = picture.CanvasHeight();
    if (picture.SumsOnly() || picture.gray.Match(picture.planes)) {
        // The readers make the sums with the planes: the blocks are counted from them, a sixth
        // of the bytes and no binary image.
        ReduceSumsToBlocks(picture.gray, division, settings.lower, settings.upper, blocks);
        return;
    }
    if (binary.Columns() != width || binary.Length() != height)
        binary.Allocate(width, height);
    BinarizePlanes(picture.planes, width, height, settings.lower, settings.upper, binary);
    ReduceToBlocks(binary, division, blocks);
}

std::uint32_t PackedRgb(Rgb c) {
    return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}

// The colour puzzle of the division: the picture's palette, each block the colour most of its
// pixels are nearest to.  A palette that found no colour besides the background keeps black as
// its one colour, so that the puzzle stays a colour puzzle (of background only).
void ColourBlocks(const Picture& picture, const AnalysisSettings& settings, Analysis& analysis) {
    PaletteOptions options;
    options.colours = std::min(settings.colours, kMaxPaletteColours);
    for (const std::uint32_t rgb : settings.locked)
        options.locked.push_back({static_cast<std::uint8_t>(rgb >> 16),
                                  static_cast<std::uint8_t>(rgb >> 8),
                                  static_cast<std::uint8_t>(rgb)});
    const Palette palette = FindPalette(picture, options);
    const BlockDivision& division = analysis.division;
    const std::vector<std::uint8_t> cells = BlockColours(picture, division, palette);
    std::vector<std::uint32_t> rgb{PackedRgb(palette.background.rgb)};
    for (const PaletteColour& colour : palette.colours)
        rgb.push_back(PackedRgb(colour.rgb));
    if (rgb.size() < 2)
        rgb.push_back(0x000000);
    for (int i = 0; i < division.columns; ++i) {
        for (int j = 0; j < division.rows; ++j)
            analysis.blocks[i][j] = cells[static_cast<std::size_t>(j) * division.columns + i] != 0;
    }
    analysis.puzzle = Puzzle::FromColourGrid(division.columns, division.rows, cells, rgb);
}

}  // namespace

Analysis Analyze(const Picture& picture, const AnalysisSettings& settings, ColumnBuffer& binary,
                 BinaryImage binaryImage, GraySums* gray) {
    Analysis analysis;
    if (binaryImage == BinaryImage::kAlways) {
        analysis.binary =
            BinarizePlanes(picture.planes, picture.CanvasWidth(), picture.CanvasHeight(),
                           settings.lower, settings.upper, binary, gray);
    }
    analysis.division = DivisionOf(picture, settings.blocks);
    if (analysis.Refused())
        return analysis;
    const BlockDivision& division = analysis.division;
    analysis.blocks.Allocate(division.columns, division.rows);
    if (settings.IsColour()) {
        ColourBlocks(picture, settings, analysis);
        return analysis;
    }
    if (binaryImage == BinaryImage::kAlways)
        ReduceToBlocks(binary, division, analysis.blocks);
    else
        CountBlocks(picture, settings, division, binary, analysis.blocks);
    analysis.puzzle = PuzzleOfBlocks(analysis.blocks, division.columns, division.rows);
    return analysis;
}
