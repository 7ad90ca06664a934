#include "render/board_drawing.h"

#include <QString>
#include <algorithm>

namespace {

constexpr COLORREF kCrossColor = RGB(255, 0, 0);
constexpr COLORREF kGridLineColor = RGB(0, 105, 145);
constexpr COLORREF kFifthLineColor = RGB(200, 0, 105);
constexpr COLORREF kClueColor = RGB(70, 150, 70);
constexpr COLORREF kMistakeColor = RGB(50, 255, 50);

constexpr int kShiftJisCharset = 128;

CRect Intersect(const CRect& a, const CRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool Meets(const CRect& a, const CRect& b) {
    return !Intersect(a, b).IsEmpty();
}

// The area to draw: all of the image when none is given, never beyond it.
CRect DrawArea(const CDC& dc, const CRect& area) {
    const CRect whole{0, 0, dc.Width(), dc.Height()};
    return area.IsEmpty() ? whole : Intersect(area, whole);
}

// Writes one number in the clue font of the layout's cell size at pos, clipped to `clip`.
void WriteClue(CDC& dc, const CRect& clip, CPoint pos, int cellSize, int number, COLORREF color) {
    dc.SetClipRect(clip);
    CFont font;
    font.CreateFont(cellSize, 0, 0, 0, 400, false, false, false, kShiftJisCharset, 0, 0, 0, 0,
                    QStringLiteral("MS P明朝"));  // untranslated: font name
    CFont* old = dc.SelectObject(&font);
    dc.SetTextColor(color);
    dc.SetBkColor(kFaceColor);
    dc.TextOut(pos.x, pos.y, QString::number(number));
    dc.SelectObject(old);
    font.DeleteObject();
    dc.SetClipRect(CRect{});
}

// The numbers of one line's clue, slot by slot from the grid outwards, where their boxes
// (a cell and a half square at most) meet `clip`.
template <class Position>
void WriteLineClue(CDC& dc, const CRect& clip, const LineClue& clue, int cellSize, bool finished,
                   Position position) {
    const std::vector<int> numbers = ClueSlots(clue);
    const int reach = cellSize + cellSize / 2;
    for (int s = 0; s < static_cast<int>(numbers.size()); ++s) {
        const CPoint pos = position(s, numbers[s]);
        if (Meets(clip, {pos.x, pos.y, pos.x + reach, pos.y + reach}))
            WriteClue(dc, clip, pos, cellSize, numbers[s],
                      finished ? kFinishedClueColor : kClueColor);
    }
}

bool Flag(const std::vector<std::uint8_t>* flags, int index) {
    return flags && index < static_cast<int>(flags->size()) && (*flags)[index] != 0;
}

}  // namespace

void DrawCellMark(CDC& dc, const BoardLayout& layout, CellPos cell, Mark mark, COLORREF fill) {
    const CRect inside = layout.CellInside(cell);
    dc.FillSolidRect(inside, mark == Mark::Filled ? fill : kFaceColor);
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

void DrawCellFrame(CDC& dc, const BoardLayout& layout, CellPos cell, COLORREF color, int inset) {
    const CPoint corner = layout.CellCorner(cell);
    const int c = layout.CellSize();
    for (int i = 1 + inset; i <= c - 1 - inset; ++i) {
        for (int j = 1 + inset; j <= c - 1 - inset; ++j) {
            if (i < 3 + inset || j < 3 + inset || i > c - 3 - inset || j > c - 3 - inset)
                dc.SetPixel(corner.x + i, corner.y + j, color);
        }
    }
}

void DrawMistakeFrame(CDC& dc, const BoardLayout& layout, CellPos cell) {
    DrawCellFrame(dc, layout, cell, kMistakeColor);
}

void DrawClues(CDC& dc, const BoardLayout& layout, const Puzzle& puzzle,
               const std::vector<std::uint8_t>* finishedRows,
               const std::vector<std::uint8_t>* finishedColumns, CRect area) {
    const CRect draw = DrawArea(dc, area);
    const int c = layout.CellSize();
    const CRect columnClip = Intersect(layout.ColumnClueArea(), draw);
    if (!columnClip.IsEmpty()) {
        for (int col = 0; col < puzzle.width; ++col) {
            WriteLineClue(dc, columnClip, puzzle.columns[col], c, Flag(finishedColumns, col),
                          [&](int s, int n) { return layout.ColumnCluePosition(col, s, n); });
        }
    }
    const CRect rowClip = Intersect(layout.RowClueArea(), draw);
    if (!rowClip.IsEmpty()) {
        for (int row = 0; row < puzzle.height; ++row) {
            WriteLineClue(dc, rowClip, puzzle.rows[row], c, Flag(finishedRows, row),
                          [&](int s, int n) { return layout.RowCluePosition(row, s, n); });
        }
    }
}

void DrawGridLines(CDC& dc, const BoardLayout& layout, CRect area) {
    const CRect draw = DrawArea(dc, area);
    if (draw.IsEmpty())
        return;
    CPen penGrid(PS_SOLID, 1, kGridLineColor);
    CPen penFifth(PS_SOLID, 1, kFifthLineColor);
    CPen* old = dc.SelectObject(&penGrid);
    for (const BoardLayout::Line& line : layout.Lines()) {
        // Every line is horizontal or vertical: the part of it inside the area is the same
        // pixels the whole line puts there.
        CPoint from = line.from, to = line.to;
        if (from.y == to.y) {
            if (from.y < draw.top || from.y >= draw.bottom)
                continue;
            from.x = std::max(from.x, draw.left);
            to.x = std::min(to.x, draw.right);
            if (from.x >= to.x)
                continue;
        } else {
            if (from.x < draw.left || from.x >= draw.right)
                continue;
            from.y = std::max(from.y, draw.top);
            to.y = std::min(to.y, draw.bottom);
            if (from.y >= to.y)
                continue;
        }
        dc.SelectObject(line.fifth ? &penFifth : &penGrid);
        dc.MoveTo(from);
        dc.LineTo(to);
    }
    dc.SelectObject(old);
    penGrid.DeleteObject();
    penFifth.DeleteObject();
}

void DrawBoardArea(CDC& dc, const BoardScene& scene, CRect area) {
    const CRect draw = DrawArea(dc, area);
    if (draw.IsEmpty() || !scene.layout || !scene.puzzle || !scene.board)
        return;
    const BoardLayout& layout = *scene.layout;
    DrawClues(dc, layout, *scene.puzzle, scene.finishedRows, scene.finishedColumns, draw);
    DrawGridLines(dc, layout, draw);

    // The cells the area meets, then the frames on them, all clipped to the area.
    const PlayBoard& board = *scene.board;
    const int c = layout.CellSize();
    const int firstCol = std::max(0, (draw.left - layout.GridLeft() - 1) / c);
    const int lastCol = std::min(board.Width() - 1, (draw.right - layout.GridLeft()) / c);
    const int firstRow = std::max(0, (draw.top - layout.GridTop() - 1) / c);
    const int lastRow = std::min(board.Height() - 1, (draw.bottom - layout.GridTop()) / c);
    const auto meets = [&](CellPos cell) { return Meets(layout.CellInside(cell), draw); };
    dc.SetClipRect(draw);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int col = firstCol; col <= lastCol; ++col) {
            const CellPos cell{col, row};
            if (!meets(cell))
                continue;
            const Mark mark = board.At(cell);
            const std::size_t i = static_cast<std::size_t>(row) * board.Width() + col;
            if (mark == Mark::Filled && scene.fillColors && i < scene.fillColors->size())
                DrawCellMark(dc, layout, cell, mark, (*scene.fillColors)[i]);
            else
                DrawCellMark(dc, layout, cell, mark);
        }
    }
    if (scene.mistakes) {
        for (const CellPos& cell : *scene.mistakes) {
            if (meets(cell))
                DrawMistakeFrame(dc, layout, cell);
        }
    }
    if (scene.hint && meets(*scene.hint))
        DrawCellFrame(dc, layout, *scene.hint, kHintFrameColor);
    // On the hinted cell the cursor steps inside the hint's frame, so that both show.
    if (scene.cursor && meets(*scene.cursor))
        DrawCellFrame(dc, layout, *scene.cursor, kCursorColor, scene.hint == scene.cursor ? 2 : 0);
    dc.SetClipRect(CRect{});
}
