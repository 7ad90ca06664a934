#include "render/board_drawing.h"

#include <QColor>
#include <QString>
#include <algorithm>
#include <utility>

#include "model/colour_contrast.h"

namespace {

constexpr COLORREF kCrossColor = RGB(255, 0, 0);
constexpr COLORREF kDarkCell = RGB(50, 50, 50);
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

void CreateClueFont(CFont& font, int cellSize) {
    font.CreateFont(cellSize, 0, 0, 0, 400, false, false, false, kShiftJisCharset, 0, 0, 0, 0,
                    QStringLiteral("MS P明朝"));  // untranslated: font name
}

// The clue font of a cell size, selected into dc while it lives.
class ClueFont {
public:
    ClueFont(CDC& dc, int cellSize) : m_dc(dc) {
        CreateClueFont(m_font, cellSize);
        m_old = dc.SelectObject(&m_font);
    }
    ~ClueFont() {
        m_dc.SelectObject(m_old);
        m_font.DeleteObject();
    }
    ClueFont(const ClueFont&) = delete;
    ClueFont& operator=(const ClueFont&) = delete;

private:
    CDC& m_dc;
    CFont m_font;
    CFont* m_old = nullptr;
};

// Writes one number in the selected clue font at pos on `background`, clipped to `clip`; a
// struck number gets a line across its middle in its colour.
void WriteClue(CDC& dc, const CRect& clip, CPoint pos, int cellSize, int number, COLORREF color,
               COLORREF background, bool struck, CluePictures* glyphs) {
    dc.SetClipRect(clip);
    int width = 0;
    if (glyphs) {
        width = glyphs->Write(dc, clip, pos, cellSize, number, color, background);
    } else {
        const QString text = QString::number(number);
        dc.SetTextColor(color);
        dc.SetBkColor(background);
        dc.TextOut(pos.x, pos.y, text);
        width = dc.TextExtent(text).Width();
    }
    if (struck) {
        const int thickness = std::max(1, cellSize / 10);
        dc.FillSolidRect(pos.x - 1, pos.y + (cellSize - thickness) / 2 + 1, width + 2, thickness,
                         color);
    }
    dc.SetClipRect(CRect{});
}

// A colour puzzle's colours of one line's runs; none in black and white.
const LineColours* LineColoursOf(const std::vector<LineColours>& lines, int index) {
    return index < static_cast<int>(lines.size()) ? &lines[static_cast<std::size_t>(index)]
                                                  : nullptr;
}

bool Flag(const std::vector<std::uint8_t>* flags, int index) {
    return flags && index < static_cast<int>(flags->size()) && (*flags)[index] != 0;
}

// Where a number of a colour clue stands on its swatch: the slot's square inside the line
// before it, a pixel clear of the slot further out, so that two swatches of one colour stay
// apart.
CRect SwatchOf(const BoardLayout& layout, const ClueSlotRef& ref) {
    const int c = layout.CellSize();
    const CPoint corner =
        ref.column
            ? CPoint{layout.GridLeft() + ref.line * c, layout.GridTop() - (ref.slot + 1) * c}
            : CPoint{layout.GridLeft() - (ref.slot + 1) * c, layout.GridTop() + ref.line * c};
    return {corner.x + 1, corner.y + 1, corner.x + c, corner.y + c};
}

// The numbers of one line's clue, slot by slot from the grid outwards, where their boxes
// (a cell and a half square at most) meet `clip`.  A colour clue's numbers stand on swatches
// of their colours in black or white, whichever reads better; a finished line's keep only a
// frame of their colour round the grey number.
template <class Position>
void WriteLineClue(CDC& dc, const CRect& clip, const LineClue& clue, const LineColours* colours,
                   const std::vector<std::uint32_t>& palette, ClueSlotRef ref,
                   const BoardLayout& layout, const ClueLook& look, Position position) {
    const std::vector<int> numbers = ClueSlots(clue);
    const int cellSize = layout.CellSize();
    const int reach = cellSize + cellSize / 2;
    const bool finished = Flag(ref.column ? look.finishedColumns : look.finishedRows, ref.line);
    const bool tinted =
        look.highlight && (ref.column ? look.highlight->column : look.highlight->row) == ref.line;
    const COLORREF face = tinted ? kHighlightColor : kFaceColor;
    for (ref.slot = 0; ref.slot < static_cast<int>(numbers.size()); ++ref.slot) {
        const CPoint pos = position(ref.slot, numbers[ref.slot]);
        if (!Meets(clip, {pos.x, pos.y, pos.x + reach, pos.y + reach}))
            continue;
        COLORREF color = finished ? kFinishedClueColor : kClueColor, background = face;
        const std::size_t run = clue.size() - 1 - static_cast<std::size_t>(ref.slot);
        if (colours && run < colours->size() && (*colours)[run] < palette.size()) {
            const std::uint32_t rgb = palette[(*colours)[run]];
            const COLORREF swatch = ColorRefOf(rgb);
            const CRect box = SwatchOf(layout, ref);
            if (finished) {
                dc.FillSolidRect(Intersect(box, clip), swatch);
                dc.FillSolidRect(
                    Intersect({box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, clip),
                    face);
            } else {
                const QColor text = BlackReadsOn(rgb) ? Qt::black : Qt::white;
                dc.FillSolidRect(Intersect(box, clip), swatch);
                color = RGB(text.red(), text.green(), text.blue());
                background = swatch;
            }
        }
        WriteClue(dc, clip, pos, cellSize, numbers[ref.slot], color, background,
                  look.strikes && look.strikes->IsStruck(ref), look.glyphs);
    }
}

// The background of the area: the face colour, with the highlighted row's and column's
// strips (between their lines, across clues and cells) in the tint.
void DrawBackground(CDC& dc, const BoardLayout& layout, const std::optional<CellPos>& highlight,
                    const CRect& draw) {
    dc.FillSolidRect(draw, kFaceColor);
    if (!highlight)
        return;
    const int c = layout.CellSize();
    const CPoint corner = layout.CellCorner(*highlight);
    dc.FillSolidRect(Intersect({0, corner.y + 1, layout.GridRight(), corner.y + c}, draw),
                     kHighlightColor);
    dc.FillSolidRect(Intersect({corner.x + 1, 0, corner.x + c, layout.GridBottom()}, draw),
                     kHighlightColor);
}

// The colour of a fill: dark grey in black and white, its palette colour on a colour puzzle.
COLORREF FillColor(const Puzzle& puzzle, Mark mark) {
    const auto colour = static_cast<std::size_t>(FillColour(mark));
    return puzzle.IsColour() && colour < puzzle.palette.size() ? ColorRefOf(puzzle.palette[colour])
                                                               : kDarkCell;
}

}  // namespace

const CluePictures::Glyph& CluePictures::Find(int cellSize, int number, COLORREF color,
                                              COLORREF background) {
    const auto key = std::tuple(cellSize, number, color, background);
    if (const auto found = m_glyphs.find(key); found != m_glyphs.end())
        return found->second;
    // Written twice, on black and on white: the pixels that come out the same are the ones
    // the writing put down.
    Glyph glyph;
    glyph.margin = cellSize;
    CFont font;
    CreateClueFont(font, cellSize);
    const QString text = QString::number(number);
    CBitmap onBlack, onWhite;
    CDC black, white;
    black.SelectObject(&font);
    const CRect box = black.TextExtent(text);
    glyph.boxWidth = box.Width();
    const int w = box.Width() + 2 * glyph.margin, h = box.Height() + 2 * glyph.margin;
    for (auto [dc, bitmap, fill] : {std::tuple(&black, &onBlack, RGB(0, 0, 0)),
                                    std::tuple(&white, &onWhite, RGB(255, 255, 255))}) {
        bitmap->CreateBitmap(w, h);
        dc->SelectObject(bitmap);
        dc->SelectObject(&font);
        dc->FillSolidRect(0, 0, w, h, fill);
        dc->SetTextColor(color);
        dc->SetBkColor(background);
        dc->TextOut(glyph.margin, glyph.margin, text);
    }
    glyph.pixels = onBlack.Image();
    glyph.written.resize(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            glyph.written[static_cast<std::size_t>(y) * w + x] =
                onBlack.Image().pixel(x, y) == onWhite.Image().pixel(x, y);
    }
    black.SelectObject(static_cast<CFont*>(nullptr));
    white.SelectObject(static_cast<CFont*>(nullptr));
    return m_glyphs.emplace(key, std::move(glyph)).first->second;
}

int CluePictures::Write(CDC& dc, const CRect& clip, CPoint pos, int cellSize, int number,
                        COLORREF color, COLORREF background) {
    const Glyph& glyph = Find(cellSize, number, color, background);
    CBitmap* bitmap = dc.GetCurrentBitmap();
    if (!bitmap || !bitmap->IsCreated())
        return glyph.boxWidth;
    QImage& image = bitmap->Image();
    const int x0 = pos.x - glyph.margin, y0 = pos.y - glyph.margin;
    const int w = glyph.pixels.width();
    const CRect area = Intersect(Intersect(clip, {0, 0, image.width(), image.height()}),
                                 {x0, y0, x0 + w, y0 + glyph.pixels.height()});
    for (int y = area.top; y < area.bottom; ++y) {
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* from = reinterpret_cast<const QRgb*>(glyph.pixels.constScanLine(y - y0));
        const std::uint8_t* written = &glyph.written[static_cast<std::size_t>(y - y0) * w];
        for (int x = area.left; x < area.right; ++x) {
            if (written[x - x0])
                to[x] = from[x - x0];
        }
    }
    return glyph.boxWidth;
}

void DrawCellMark(CDC& dc, const BoardLayout& layout, CellPos cell, Mark mark, COLORREF fill,
                  COLORREF background) {
    const CRect inside = layout.CellInside(cell);
    dc.FillSolidRect(inside, IsFill(mark) ? fill : background);
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

void DrawClues(CDC& dc, const BoardLayout& layout, const Puzzle& puzzle, const ClueLook& look,
               CRect area) {
    const CRect draw = DrawArea(dc, area);
    const CRect columnClip = Intersect(layout.ColumnClueArea(), draw);
    const CRect rowClip = Intersect(layout.RowClueArea(), draw);
    if (columnClip.IsEmpty() && rowClip.IsEmpty())
        return;
    const ClueFont font(dc, layout.CellSize());
    // Only the lines whose numbers can reach the clip: a number's box is a cell and a half
    // wide at most, from its own strip.
    const int c = layout.CellSize();
    const auto lines = [c](int clipFrom, int clipTo, int gridFrom, int count) {
        const int first = std::max(0, (clipFrom - gridFrom - 2 * c) / c);
        const int last = std::min(count - 1, (clipTo - gridFrom) / c + 1);
        return std::pair(first, last);
    };
    if (!columnClip.IsEmpty()) {
        const auto [first, last] =
            lines(columnClip.left, columnClip.right, layout.GridLeft(), puzzle.width);
        for (int col = first; col <= last; ++col) {
            WriteLineClue(dc, columnClip, puzzle.columns[col],
                          LineColoursOf(puzzle.columnColours, col), puzzle.palette, {true, col, 0},
                          layout, look,
                          [&](int s, int n) { return layout.ColumnCluePosition(col, s, n); });
        }
    }
    if (!rowClip.IsEmpty()) {
        const auto [first, last] =
            lines(rowClip.top, rowClip.bottom, layout.GridTop(), puzzle.height);
        for (int row = first; row <= last; ++row) {
            WriteLineClue(dc, rowClip, puzzle.rows[row], LineColoursOf(puzzle.rowColours, row),
                          puzzle.palette, {false, row, 0}, layout, look,
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

void DrawThickFifthLines(CDC& dc, const BoardLayout& layout, CRect area) {
    const CRect draw = DrawArea(dc, area);
    const int c = layout.CellSize();
    for (int k = 5; k < layout.Rows(); k += 5) {
        const int y = layout.GridTop() + k * c + 1;
        dc.FillSolidRect(Intersect({layout.GridLeft(), y, layout.GridRight(), y + 1}, draw),
                         kFifthLineColor);
    }
    for (int k = 5; k < layout.Columns(); k += 5) {
        const int x = layout.GridLeft() + k * c + 1;
        dc.FillSolidRect(Intersect({x, layout.GridTop(), x + 1, layout.GridBottom()}, draw),
                         kFifthLineColor);
    }
}

void DrawBoardArea(CDC& dc, const BoardScene& scene, CRect area) {
    const CRect draw = DrawArea(dc, area);
    if (draw.IsEmpty() || !scene.layout || !scene.puzzle || !scene.board)
        return;
    const BoardLayout& layout = *scene.layout;
    DrawBackground(dc, layout, scene.highlight, draw);
    DrawClues(
        dc, layout, *scene.puzzle,
        {scene.finishedRows, scene.finishedColumns, scene.highlight, scene.strikes, scene.glyphs},
        draw);
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
            const bool tinted =
                scene.highlight && (scene.highlight->row == row || scene.highlight->column == col);
            const bool picture = scene.fillColors && i < scene.fillColors->size();
            if (picture && scene.puzzle->IsColour()) {
                // A solved colour puzzle shows its picture in every cell, crosses gone.
                DrawCellMark(dc, layout, cell, Mark::Filled, (*scene.fillColors)[i]);
                continue;
            }
            const COLORREF fill =
                picture && IsFill(mark) ? (*scene.fillColors)[i] : FillColor(*scene.puzzle, mark);
            DrawCellMark(dc, layout, cell, mark, fill, tinted ? kHighlightColor : kFaceColor);
        }
    }
    if (scene.thickFifthLines)
        DrawThickFifthLines(dc, layout, draw);
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
