#include "construct/result_panel.h"

#include <algorithm>

#include "construct/clue_rule.h"
#include "construct/panel_drawing.h"

namespace {

// Single digits sit a third of a cell to the right, roughly centred in their slot.
int DigitShift(int cellSize, int count) {
    return count < 10 ? cellSize / 3 : 0;
}

// The clue font: the face at the height of a cell, normal weight, Shift-JIS, on the face
// colour; the number is stamped as the font writes it (see StampText).
void DrawClueNumber(CDC& dc, CPoint pos, int cellSize, int count) {
    dc.SetBkColor(kClueBkColor);
    StampText(dc, pos.x, pos.y, QString::number(count), cellSize, kClueFontFace, kClueCharSet);
}

}  // namespace

CPoint ColumnCluePosition(int gridSize, int column, int slot, int cellSize, int count) {
    const int half = gridSize * cellSize / 2;
    return CPoint{half + column * cellSize + DigitShift(cellSize, count), half - slot * cellSize};
}

CPoint RowCluePosition(int gridSize, int row, int slot, int cellSize, int count) {
    const int half = gridSize * cellSize / 2;
    return CPoint{half - (slot + 1) * cellSize + DigitShift(cellSize, count),
                  half + (row + 1) * cellSize};
}

void DrawColumnClue(CDC& dc, int gridSize, int column, int slot, int cellSize, int count) {
    DrawClueNumber(dc, ColumnCluePosition(gridSize, column, slot, cellSize, count), cellSize,
                   count);
}

void DrawRowClue(CDC& dc, int gridSize, int row, int slot, int cellSize, int count) {
    DrawClueNumber(dc, RowCluePosition(gridSize, row, slot, cellSize, count), cellSize, count);
}

void DrawResultGrid(CDC& dc, int cellSize, int gridSize) {
    CPen normal(PS_SOLID, 1, kGridLineColor);
    CPen accent(PS_SOLID, 1, kGridAccentColor);
    const int length = gridSize * cellSize;
    const int half = length / 2;
    auto penFor = [&](int k) { return IsAccentLine(k) ? &accent : &normal; };

    CPen* oldPen = dc.SelectObject(&normal);
    // Line N closes the grid with the pen of line N - 1.
    for (int k = 0; k <= gridSize; ++k) {
        dc.SelectObject(penFor(k < gridSize ? k : gridSize - 1));
        const int y = half + (k + 1) * cellSize;
        DrawStraightLine(dc, 0, y, 3 * length / 2, y);
    }
    for (int k = 0; k <= gridSize; ++k) {
        dc.SelectObject(penFor(k < gridSize ? k : gridSize - 1));
        const int x = half + k * cellSize;
        DrawStraightLine(dc, x, 0, x, 3 * length / 2 + cellSize);
    }
    dc.SelectObject(oldPen);
    normal.DeleteObject();
    accent.DeleteObject();
}

void DrawPuzzle(CDC& dc, const ColumnBuffer& answer, int n) {
    const int cells = std::min({n, answer.Columns(), answer.Length()});
    for (int i = 0; i < cells; ++i) {
        const std::vector<int> clues = ColumnClues(answer, cells, i);
        for (int slot = 0; slot < static_cast<int>(clues.size()); ++slot) {
            DrawColumnClue(dc, n, i, slot, kResultCellSize, clues[slot]);
        }
    }
    for (int j = 0; j < cells; ++j) {
        const std::vector<int> clues = RowClues(answer, cells, j);
        for (int slot = 0; slot < static_cast<int>(clues.size()); ++slot) {
            DrawRowClue(dc, n, j, slot, kResultCellSize, clues[slot]);
        }
    }
    // The lines go over the text boxes of the numbers.
    DrawResultGrid(dc, kResultCellSize, n);
}
