#include "render/result_panel.h"

#include "render/palette_colours.h"
#include "render/panel_drawing.h"

#include <QFontMetrics>

namespace {

// The number is stamped as the clue font writes it (see StampText).
void DrawClueNumber(CDC& dc, CPoint pos, int cellSize, int number, int /*largestFont*/,
                    COLORREF bk) {
    dc.SetBkColor(bk);
    StampText(dc, pos.x, pos.y, QString::number(number), cellSize, kClueFontFace, kClueCharSet);
}

constexpr int kSmallestClueFont = 5;

// The width of a number in the clue font of the given height.
int ClueNumberWidth(int fontHeight, const QString& text) {
    CFont font;
    font.CreateFont(fontHeight, 0, 0, 0, 400, false, false, false, kClueCharSet, 0, 0, 0, 0,
                    kClueFontFace);
    const int width = QFontMetrics(font.Font()).horizontalAdvance(text);
    font.DeleteObject();
    return width;
}

// The largest clue font for cells of this size: the cell's height on cells up to the panel's
// own; on larger ones the font in which two digits leave a pixel free beside each line of their
// slot, so that every number of the board reads in the same font and none touches a line.
int LargestClueFont(int cellSize) {
    int height = cellSize;
    if (cellSize <= kResultCellSize)
        return height;
    while (height > kSmallestClueFont &&
           ClueNumberWidth(height, QStringLiteral("88")) > cellSize - 3) {
        --height;
    }
    return height;
}

// On cells other than the panel's own (smaller ones of a large puzzle, larger ones of the
// enlarged view) a number is drawn in the largest font, up to largestFont, in which it stays
// within its cell, so that numbers never run into their neighbours; one that no font lets fit
// is left out, and so are all numbers on cells smaller than kSmallestClueFont, where fonts draw
// larger than asked.
void DrawFittedClueNumber(CDC& dc, CPoint pos, int cellSize, int number, int largestFont,
                          COLORREF bk) {
    const QString text = QString::number(number);
    // The slot's left edge, without the shift of a number below 10.
    const int left = pos.x - (number < 10 ? cellSize / 3 : 0);
    for (int height = largestFont; height >= kSmallestClueFont; --height) {
        const int width = ClueNumberWidth(height, text);
        if (width <= cellSize - 1) {
            dc.SetBkColor(bk);
            // Centred between the slot's lines.
            StampText(dc, left + 1 + (cellSize - 1 - width) / 2, pos.y + (cellSize - height) / 2,
                      text, height, kClueFontFace, kClueCharSet);
            return;
        }
    }
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
    const auto draw = c == kResultCellSize ? DrawClueNumber : DrawFittedClueNumber;
    const int font = LargestClueFont(c);
    const COLORREF text = dc.GetTextColor();
    // A colour clue's number stands on a swatch of its run's colour filling its slot, in black
    // or white as reads better there; the text box takes the swatch's colour too.
    auto number = [&](const LineClue& clue, const std::vector<LineColours>& colours, int line,
                      int s, int n, CPoint pos, CPoint slot) {
        COLORREF bk = kClueBkColor;
        if (puzzle.IsColour() && !clue.empty()) {
            const std::uint32_t rgb = puzzle.palette[colours[line][clue.size() - 1 - s]];
            bk = ColorRefOf(rgb);
            dc.FillSolidRect(slot.x + 1, slot.y + 1, c - 1, c - 1, bk);
            dc.SetTextColor(BlackReadsOn(rgb) ? RGB(0, 0, 0) : RGB(255, 255, 255));
        }
        draw(dc, pos, c, n, font, bk);
    };
    for (int i = 0; i < puzzle.width; ++i) {
        const std::vector<int> numbers = ClueSlots(puzzle.columns[i]);
        for (int s = 0; s < static_cast<int>(numbers.size()); ++s) {
            const CPoint slot{layout.GridLeft() + i * c, layout.GridTop() - (s + 1) * c};
            number(puzzle.columns[i], puzzle.columnColours, i, s, numbers[s],
                   layout.ColumnCluePosition(i, s, numbers[s]), slot);
        }
    }
    for (int j = 0; j < puzzle.height; ++j) {
        const std::vector<int> numbers = ClueSlots(puzzle.rows[j]);
        for (int s = 0; s < static_cast<int>(numbers.size()); ++s) {
            const CPoint slot{layout.GridLeft() - (s + 1) * c, layout.GridTop() + j * c};
            number(puzzle.rows[j], puzzle.rowColours, j, s, numbers[s],
                   layout.RowCluePosition(j, s, numbers[s]), slot);
        }
    }
    dc.SetTextColor(text);
    // The lines go over the text boxes of the numbers.
    DrawResultGrid(dc, layout);
}
