#include "play/board_drawing.h"

#include <QString>

namespace {

constexpr COLORREF kFillColor = RGB(50, 50, 50);
constexpr COLORREF kCrossColor = RGB(255, 0, 0);
constexpr COLORREF kGridLineColor = RGB(0, 105, 145);
constexpr COLORREF kFifthLineColor = RGB(200, 0, 105);
constexpr COLORREF kClueColor = RGB(70, 150, 70);
constexpr COLORREF kMistakeColor = RGB(50, 255, 50);

constexpr int kShiftJisCharset = 128;

// Writes one number in the clue font of the layout's cell size at pos, clipped to area.
void WriteClue(CDC& dc, const CRect& area, CPoint pos, int cellSize, int number) {
    dc.SetClipRect(area);
    CFont font;
    font.CreateFont(cellSize, 0, 0, 0, 400, false, false, false, kShiftJisCharset, 0, 0, 0, 0,
                    QStringLiteral("MS P明朝"));
    CFont* old = dc.SelectObject(&font);
    dc.SetTextColor(kClueColor);
    dc.SetBkColor(kFaceColor);
    dc.TextOut(pos.x, pos.y, QString::number(number));
    dc.SelectObject(old);
    font.DeleteObject();
    dc.SetClipRect(CRect{});
}

}  // namespace

void DrawCellMark(CDC& dc, const BoardLayout& layout, CellPos cell, Mark mark) {
    const CRect inside = layout.CellInside(cell);
    dc.FillSolidRect(inside, mark == Mark::Filled ? kFillColor : kFaceColor);
    if (mark != Mark::Crossed)
        return;
    // The falling diagonal from the inside's top-left pixel, the rising one a pixel shorter.
    const int n = inside.Width();
    for (int k = 0; k < n; ++k) {
        dc.SetPixel(inside.left + k, inside.top + k, kCrossColor);
        if (k < n - 1)
            dc.SetPixel(inside.left + k, inside.bottom - 2 - k, kCrossColor);
    }
}

void DrawMistakeFrame(CDC& dc, const BoardLayout& layout, CellPos cell) {
    const CPoint corner = layout.CellCorner(cell);
    const int c = layout.CellSize();
    for (int i = 1; i <= c - 1; ++i) {
        for (int j = 1; j <= c - 1; ++j) {
            if (i < 3 || j < 3 || i > c - 3 || j > c - 3)
                dc.SetPixel(corner.x + i, corner.y + j, kMistakeColor);
        }
    }
}

void DrawClues(CDC& dc, const BoardLayout& layout, const Puzzle& puzzle) {
    const int c = layout.CellSize();
    for (int col = 0; col < puzzle.width; ++col) {
        const std::vector<int> numbers = ClueSlots(puzzle.columns[col]);
        for (int s = 0; s < static_cast<int>(numbers.size()); ++s) {
            WriteClue(dc, layout.ColumnClueArea(), layout.ColumnCluePosition(col, s, numbers[s]), c,
                      numbers[s]);
        }
    }
    for (int row = 0; row < puzzle.height; ++row) {
        const std::vector<int> numbers = ClueSlots(puzzle.rows[row]);
        for (int s = 0; s < static_cast<int>(numbers.size()); ++s)
            WriteClue(dc, layout.RowClueArea(), layout.RowCluePosition(row, s, numbers[s]), c,
                      numbers[s]);
    }
}

void DrawGridLines(CDC& dc, const BoardLayout& layout) {
    CPen penGrid(PS_SOLID, 1, kGridLineColor);
    CPen penFifth(PS_SOLID, 1, kFifthLineColor);
    CPen* old = dc.SelectObject(&penGrid);
    for (const BoardLayout::Line& line : layout.Lines()) {
        dc.SelectObject(line.fifth ? &penFifth : &penGrid);
        dc.MoveTo(line.from);
        dc.LineTo(line.to);
    }
    dc.SelectObject(old);
    penGrid.DeleteObject();
    penFifth.DeleteObject();
}
