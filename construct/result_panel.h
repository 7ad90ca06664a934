// The puzzle panel: the empty N x N grid with the column clues above it and the row clues to
// its left, drawn with cells of c pixels.  With L = N * c, the grid's top-left corner lies at
// (L/2, L/2 + c); clue slot 0 touches the grid and higher slots lie further out.
#pragma once

#include <QString>

#include "image/column_buffer.h"
#include "platform/gdi.h"

// Cell size of the puzzle panel.
constexpr int kResultCellSize = 7;
// Clue numbers: black on the face colour, in this face at the height of a cell.
inline const QString kClueFontFace = QStringLiteral("MS P明朝");
constexpr int kClueCharSet = 128;  // Shift-JIS
constexpr COLORREF kClueBkColor = kFaceColor;
// Grid lines, and every fifth line inside the grid.
constexpr COLORREF kGridLineColor = RGB(0, 105, 145);
constexpr COLORREF kGridAccentColor = RGB(200, 0, 105);

// Top-left corner of a clue number.  Numbers below 10 move right by c/3.
CPoint ColumnCluePosition(int gridSize, int column, int slot, int cellSize, int count);
CPoint RowCluePosition(int gridSize, int row, int slot, int cellSize, int count);

// Writes one clue number into dc at the slot's position in the clue font on the face colour
// (which stays the dc's background colour); the text colour is the dc's own.
void DrawColumnClue(CDC& dc, int gridSize, int column, int slot, int cellSize, int count);
void DrawRowClue(CDC& dc, int gridSize, int row, int slot, int cellSize, int count);

// True for the grid lines after every fifth cell (k = 5, 10, 15, ...).
constexpr bool IsAccentLine(int k) {
    return k != 0 && k % 5 == 0;
}

// Draws the grid lines across the grid and the clue areas: horizontal line k at
// y = L/2 + (k+1)c from x = 0 to 3L/2, vertical line k at x = L/2 + kc from y = 0 to
// 3L/2 + c, for k = 0 .. N, the closing lines with the pen of line N - 1.
void DrawResultGrid(CDC& dc, int cellSize, int gridSize);

// The whole puzzle for the n x n answer grid: column clues, row clues, then the grid lines.
// Only the part of the grid the answer holds gets clues.
void DrawPuzzle(CDC& dc, const ColumnBuffer& answer, int n);
