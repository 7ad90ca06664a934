// The exported sheets of a colour puzzle: each clue number on a swatch of its colour, its text
// black or white whichever reads better, with the colour's letter in the swatch's corner and a
// key of the letters below the grid, and the answer's cells in their colours.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "formats/puzzle_sheet.h"

namespace {

// The ink pixels (near `ink` rather than the swatch's colour) of the top-left third of the
// swatch in the clue square at `topLeft`, as a bit pattern row by row.
std::vector<bool> LetterCorner(const QImage& image, QPoint topLeft, QColor ink) {
    std::vector<bool> bits;
    for (int y = 0; y < kSheetCellPixels / 3; ++y)
        for (int x = 0; x < kSheetCellPixels / 3; ++x)
            bits.push_back(std::abs(image.pixelColor(topLeft + QPoint(x + 3, y + 3)).lightness() -
                                    ink.lightness()) < 60);
    return bits;
}

TEST(ColourSheet, SwatchesTheirTextLettersAndTheAnswerInColour) {
    EXPECT_EQ(ClueTextColour(0xffe000), QColor(0, 0, 0));
    EXPECT_EQ(ClueTextColour(0x000080), QColor(255, 255, 255));
    // Mid grey (0x777777) contrasts more with black; a darker one with white.
    EXPECT_EQ(ClueTextColour(0x777777), QColor(0, 0, 0));
    EXPECT_EQ(ClueTextColour(0x707070), QColor(255, 255, 255));

    // One row: yellow then navy.  Two clue slots left of the grid, one above it.
    const Puzzle puzzle = Puzzle::FromColourGrid(2, 1, {1, 2}, {0xffffff, 0xffe000, 0x000080});
    const int margin = kSheetMarginPixels, cell = kSheetCellPixels;
    const int left = margin + 2 * cell, top = margin + cell;
    const QImage answer =
        QImage::fromData(PuzzlePng(puzzle, true)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(answer.isNull());
    EXPECT_EQ(answer.pixelColor(left + cell / 2, top + cell / 2), QColor(0xff, 0xe0, 0));
    EXPECT_EQ(answer.pixelColor(left + cell + cell / 2, top + cell / 2), QColor(0, 0, 0x80));
    const QImage blank = PuzzleImage(puzzle, false);
    EXPECT_EQ(blank.pixelColor(left + cell / 2, top + cell / 2), QColor(255, 255, 255));
    // The swatches' top right corners: column 1's navy above the grid; next to the grid the
    // row's last run (navy), then its first (yellow).
    const int corner = cell - 4;
    EXPECT_EQ(blank.pixelColor(left + cell + corner, top - cell + 3), QColor(0, 0, 0x80));
    EXPECT_EQ(blank.pixelColor(left - cell + corner, top + 3), QColor(0, 0, 0x80));
    EXPECT_EQ(blank.pixelColor(left - 2 * cell + corner, top + 3), QColor(0xff, 0xe0, 0));
    // The number on navy is white: the swatch holds white pixels and no black ones.
    int white = 0, black = 0;
    for (int x = left - cell + 3; x < left - 3; ++x) {
        for (int y = top + 3; y < top + cell - 3; ++y) {
            const QColor c = blank.pixelColor(x, y);
            white += c.lightness() > 200;
            black += c.lightness() < 20;
        }
    }
    EXPECT_GT(white, 5);
    EXPECT_EQ(black, 0);

    // Letters tell red and green apart in grey: of equal lightness, each column's clue a 1 in
    // white ink.  Red, a gap, green.
    const std::vector<std::uint32_t> palette{0xffffff, 0xc00000, 0x007000};
    const Puzzle letters = Puzzle::FromColourGrid(3, 1, {1, 0, 2}, palette);
    const QImage image = PuzzleImage(letters, false).convertToFormat(QImage::Format_Grayscale8);
    const QPoint red(margin + 2 * cell, margin), green(margin + 4 * cell, margin);
    const std::vector<bool> a = LetterCorner(image, red, Qt::white);
    const std::vector<bool> b = LetterCorner(image, green, Qt::white);
    EXPECT_NE(std::count(a.begin(), a.end(), true), 0);
    EXPECT_NE(std::count(b.begin(), b.end(), true), 0);
    EXPECT_NE(a, b);

    // The key below the grid: a swatch of each colour, in colour on both sheets.
    for (bool withAnswer : {false, true}) {
        const QImage sheet = PuzzleImage(letters, withAnswer);
        const int gridBottom = margin + 2 * cell;
        for (int k = 1; k <= 2; ++k) {
            int swatch = 0;
            for (int y = gridBottom; y < sheet.height(); ++y)
                for (int x = 0; x < sheet.width(); ++x)
                    swatch += sheet.pixel(x, y) == (0xff000000 | palette[k]);
            EXPECT_GT(swatch, cell * cell / 2) << "colour " << k << " answer " << withAnswer;
        }
    }
}

}  // namespace
