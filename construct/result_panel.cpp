#include "construct/result_panel.h"

#include "construct/panel_drawing.h"

namespace {

// The number is stamped as the clue font writes it (see StampText).
void DrawClueNumber(CDC& dc, CPoint pos, int cellSize, int number) {
    dc.SetBkColor(kClueBkColor);
    StampText(dc, pos.x, pos.y, QString::number(number), cellSize, kClueFontFace, kClueCharSet);
}

}  // namespace

BoardLayout PanelLayout(const Puzzle& puzzle, int width, int height) {
    for (int cell = kResultCellSize; cell > kSmallestPanelCell; --cell) {
        const BoardLayout layout = BoardLayout::ForPuzzle(puzzle, cell);
        if (layout.Width() <= width && layout.Height() <= height)
            return layout;
    }
    return BoardLayout::ForPuzzle(puzzle, kSmallestPanelCell);
}

void DrawResultGrid(CDC& dc, const BoardLayout& layout) {
    CPen normal(PS_SOLID, 1, kGridLineColor);
    CPen accent(PS_SOLID, 1, kGridAccentColor);
    CPen* oldPen = dc.SelectObject(&normal);
    for (const BoardLayout::Line& line : layout.Lines()) {
        dc.SelectObject(line.fifth ? &accent : &normal);
        DrawStraightLine(dc, line.from.x, line.from.y, line.to.x, line.to.y);
    }
    dc.SelectObject(oldPen);
    normal.DeleteObject();
    accent.DeleteObject();
}

void DrawPuzzle(CDC& dc, const Puzzle& puzzle) {
    DrawPuzzle(dc, puzzle, ResultLayout(puzzle));
}

void DrawPuzzle(CDC& dc, const Puzzle& puzzle, const BoardLayout& layout) {
    const int c = layout.CellSize();
    for (int i = 0; i < puzzle.width; ++i) {
        const std::vector<int> numbers = ClueSlots(puzzle.columns[i]);
        for (int s = 0; s < static_cast<int>(numbers.size()); ++s)
            DrawClueNumber(dc, layout.ColumnCluePosition(i, s, numbers[s]), c, numbers[s]);
    }
    for (int j = 0; j < puzzle.height; ++j) {
        const std::vector<int> numbers = ClueSlots(puzzle.rows[j]);
        for (int s = 0; s < static_cast<int>(numbers.size()); ++s)
            DrawClueNumber(dc, layout.RowCluePosition(j, s, numbers[s]), c, numbers[s]);
    }
    // The lines go over the text boxes of the numbers.
    DrawResultGrid(dc, layout);
}
