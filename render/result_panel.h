// The puzzle panel: the empty grid of a puzzle with the column clues above it and the row
// clues to its left, drawn with cells of 7 pixels where the board layout puts them.
#pragma once

#include <QString>

#include "model/board_layout.h"
#include "model/puzzle.h"
#include "platform/gdi.h"

// Cell size of the puzzle panel.
constexpr int kResultCellSize = 7;
// Clue numbers: in the dc's text colour on the face colour, in this face at the height of a
// cell.
inline const QString kClueFontFace = QStringLiteral("MS P明朝");  // untranslated: font name
constexpr int kClueCharSet = 128;                                 // Shift-JIS
constexpr COLORREF kClueBkColor = kFaceColor;
// Grid lines, and every fifth line inside the grid.
constexpr COLORREF kGridLineColor = RGB(0, 105, 145);
constexpr COLORREF kGridAccentColor = RGB(200, 0, 105);

// Where the puzzle's parts go on the panel.
inline BoardLayout ResultLayout(const Puzzle& puzzle) {
    return BoardLayout(puzzle.width, puzzle.height, kResultCellSize);
}

// The smallest cell the puzzle panel draws a puzzle with; a larger puzzle is cut off.
constexpr int kSmallestPanelCell = 2;
// The layout of the largest cells, up to the panel's own, with which the puzzle fits a
// width x height panel.
BoardLayout PanelLayout(const Puzzle& puzzle, int width, int height);

// Draws the layout's grid lines (the fifth ones in the accent colour) over whatever lies there.
void DrawResultGrid(CDC& dc, const BoardLayout& layout);

// The whole puzzle: column clues, row clues, then the grid lines over the numbers' boxes.
void DrawPuzzle(CDC& dc, const Puzzle& puzzle);
// The same where another layout puts the parts (a puzzle larger than 20 x 20 or from a file,
// drawn to fit the panel; the enlarged view's larger cells).  On cells other than the panel's
// own the numbers are fitted into their cells.
void DrawPuzzle(CDC& dc, const Puzzle& puzzle, const BoardLayout& layout);
