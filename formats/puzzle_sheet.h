// The puzzle on paper and in pictures: clue numbers large enough to read, thin grid lines with
// thick fifth and outer lines, and with the answer its filled cells.  The exported .png files,
// the .pdf pages and the printed pages are all drawn here.  Needs Qt Gui (a QGuiApplication for
// the fonts), but no widgets.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <cstdint>

#include "model/puzzle.h"

class QPainter;
class QPagedPaintDevice;

// Side of a cell in the exported pictures, in pixels, and the white margin around them.
constexpr int kSheetCellPixels = 24;
constexpr int kSheetMarginPixels = kSheetCellPixels / 2;

// The puzzle's extent in cells: the clue slots left of and above the grid (at least one each,
// as many as the longest clue needs), and the grid.
struct SheetCells {
    int rowClueSlots = 1;
    int columnClueSlots = 1;
    int columns = 0;
    int rows = 0;
    int Width() const { return rowClueSlots + columns; }
    int Height() const { return columnClueSlots + rows; }
};
SheetCells SheetCellsOf(const Puzzle& puzzle);

// Draws the puzzle with square cells of `cell` units, its top-left corner at `origin`; the
// answer's filled cells black (or their colours) when `withAnswer` and the answer is known.  A
// colour puzzle's clue numbers stand on swatches of their colours.  Draws nothing behind.
void PaintPuzzle(QPainter& painter, const Puzzle& puzzle, bool withAnswer, QPointF origin,
                 qreal cell);

// Black or white, whichever contrasts more (by WCAG relative luminance) with the colour
// 0xRRGGBB: the number drawn on a colour clue's swatch.
QColor ClueTextColour(std::uint32_t rgb);

// The puzzle as a picture of kSheetCellPixels cells on white with the margin around it.
QImage PuzzleImage(const Puzzle& puzzle, bool withAnswer);
// That picture as PNG (8-bit grey; 24-bit colour for a colour puzzle).
QByteArray PuzzlePng(const Puzzle& puzzle, bool withAnswer);

// Two pages on any paged device (a PDF writer or a printer): the puzzle, then its answer, each
// centred on the page with the title above and the verdict below in small print.  The answer
// page shows an empty grid when the answer is not known.
void PaintPuzzlePages(QPagedPaintDevice& device, const Puzzle& puzzle, const QString& title,
                      const QString& verdict);
// Those pages as a PDF document on A4.
QByteArray PuzzlePdf(const Puzzle& puzzle, const QString& title, const QString& verdict);
