// The drawings of the workbench, widget-free: the picture and its black and white at the size
// of their panes, from images kept at a bounded size; the answer grid as the editor shows it;
// and the puzzle fitted to its pane with clue numbers in a font the cells leave room for.
#pragma once

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <optional>
#include <vector>

#include "analysis/analysis.h"
#include "image/column_buffer.h"
#include "model/picture.h"
#include "model/puzzle.h"

class QPainter;

// The longest side of the images kept of the picture and of its black and white: enough for a
// maximised window, and small enough to scale for every frame of a resize.
constexpr int kWorkbenchImageSide = 1024;

// The picture's own pixels (where it lies on its canvas), scaled down by sampling to at most
// maxSide pixels a side, keeping its shape.  Null without planes.
QImage PictureImage(const Picture& picture, int maxSide = kWorkbenchImageSide);
// The black and white of the same pixels: black where the band made a pixel black, white
// elsewhere and beyond the extent the analysis wrote.
QImage BinaryPictureImage(const ColumnBuffer& binary, BinaryExtent extent, PictureRect rect,
                          int maxSide = kWorkbenchImageSide);

// Where columns x rows square cells lie in an area: the largest whole cell that fits, centred.
struct GridPlacement {
    int left = 0;
    int top = 0;
    int cell = 0;
    int columns = 0;
    int rows = 0;
    QRect Rect() const { return {left, top, columns * cell, rows * cell}; }
    bool IsEmpty() const { return cell <= 0 || columns <= 0 || rows <= 0; }
    // The cell under a point of the grid; none outside it.
    std::optional<CellPos> CellAt(QPoint p) const;
};
GridPlacement PlaceGrid(int columns, int rows, QRect area);

// The grid of the editor: filled cells dark, empty ones white (a colour puzzle's cells in their
// palette colours), lines with every fifth darker; the undecided cells (row by row, non-zero)
// marked in yellow, or dark blue on cells where yellow would not show; `changes` (row by row, 1 a
// cell to fill, 2 a cell to empty) framed as a suggestion shows them.
void DrawEditorGrid(QPainter& painter, const GridPlacement& at, const Puzzle& puzzle,
                    const std::vector<std::uint8_t>* undecided,
                    const std::vector<std::uint8_t>* changes);

// The smallest clue font drawn; on cells that leave less room the numbers are left out.
constexpr int kSmallestReadableClue = 7;

// The puzzle fitted to an area: its grid, the clue slots beside it and the clue font (0 when
// the cells are too small for numbers to be read).
struct FittedBoard {
    GridPlacement grid;
    int rowSlots = 0;
    int columnSlots = 0;
    int fontPixels = 0;
    QRect Board() const;
};
FittedBoard FitBoard(const Puzzle& puzzle, QRect area);

// The numbers drawn once per font size, so that a board of thousands of clues is a
// copy of small images.
class ClueGlyphs {
public:
    // The number in the font, black (white when asked), narrowed to maxWidth when wider.
    const QImage& Number(int number, int fontPixels, int maxWidth, bool white = false);

private:
    int m_fontPixels = 0;
    int m_maxWidth = 0;
    QHash<int, QImage> m_images;
};

// The blank puzzle with its clues (each number centred in its own cell-sized slot, so that no
// two run together; a colour clue on a swatch of its colour) and its grid lines.
void DrawFittedPuzzle(QPainter& painter, const Puzzle& puzzle, const FittedBoard& board,
                      ClueGlyphs& glyphs);
