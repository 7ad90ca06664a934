#include "render/workbench_drawing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "model/board_layout.h"
#include "render/palette_colours.h"

namespace {

const QRgb kFilledCell = qRgb(40, 40, 40);
const QRgb kEmptyCell = qRgb(255, 255, 255);
const QColor kLineColor(170, 170, 170);
const QColor kFifthLineColor(60, 90, 160);
constexpr std::uint32_t kUndecidedRgb = 0xffdc00;
const QColor kToFillColor(220, 0, 0);
const QColor kToEmptyColor(255, 150, 170);

// The output size of a w x h area scaled down to at most maxSide a side.
QSize ScaledSize(int w, int h, int maxSide) {
    if (w <= maxSide && h <= maxSide)
        return {w, h};
    return QSize(w, h).scaled(maxSide, maxSide, Qt::KeepAspectRatio).expandedTo({1, 1});
}

// Fills an image of the scaled size with value(x, y) of the source pixel each output pixel
// samples, a source column at a time so that the columns are read in order.
template <typename Value>
QImage Sampled(PictureRect rect, int maxSide, Value value) {
    const QSize size = ScaledSize(rect.width, rect.height, maxSide);
    QImage image(size, QImage::Format_RGB32);
    std::vector<int> rows(static_cast<std::size_t>(size.height()));
    for (int v = 0; v < size.height(); ++v)
        rows[v] = rect.top + static_cast<int>(std::int64_t(v) * rect.height / size.height());
    const qsizetype stride = image.bytesPerLine() / 4;
    QRgb* bits = reinterpret_cast<QRgb*>(image.bits());
    for (int u = 0; u < size.width(); ++u) {
        const int x = rect.left + static_cast<int>(std::int64_t(u) * rect.width / size.width());
        for (int v = 0; v < size.height(); ++v)
            bits[v * stride + u] = value(x, rows[v]);
    }
    return image;
}

void DrawLines(QPainter& painter, const GridPlacement& at) {
    const QRect r = at.Rect();
    for (int pass = 0; pass < 2; ++pass) {
        painter.setPen(pass == 0 ? kLineColor : kFifthLineColor);
        auto wanted = [&](int k, int count) {
            const bool fifth = k == 0 || k == count || k % 5 == 0;
            return fifth == (pass == 1);
        };
        for (int i = 0; i <= at.columns; ++i) {
            if (wanted(i, at.columns))
                painter.drawLine(r.left() + i * at.cell, r.top(), r.left() + i * at.cell,
                                 r.top() + at.rows * at.cell);
        }
        for (int j = 0; j <= at.rows; ++j) {
            if (wanted(j, at.rows))
                painter.drawLine(r.left(), r.top() + j * at.cell, r.left() + at.columns * at.cell,
                                 r.top() + j * at.cell);
        }
    }
}

int SlotsOf(const std::vector<LineClue>& clues) {
    int most = 1;
    for (const LineClue& clue : clues)
        most = std::max(most, static_cast<int>(clue.size()));
    return most;
}

// The largest font whose lines fit a cell; the numbers' widths are fitted when drawn.
int ClueFontFor(int cell) {
    for (int pixels = cell - 2; pixels >= kSmallestReadableClue; --pixels) {
        QFont font;
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= cell + 1)
            return pixels;
    }
    return 0;
}

}  // namespace

QImage PictureImage(const Picture& picture, int maxSide) {
    if (!picture.planes.IsAllocated())
        return {};
    const ColumnBuffer& p = picture.planes;
    return Sampled(PictureRectOf(picture), maxSide, [&p](int x, int y) {
        return qRgb(p[3 * x][y], p[3 * x + 1][y], p[3 * x + 2][y]);
    });
}

QImage BinaryPictureImage(const ColumnBuffer& binary, BinaryExtent extent, PictureRect rect,
                          int maxSide) {
    if (rect.width <= 0 || rect.height <= 0)
        return {};
    const int width = std::min(extent.width, binary.Columns());
    const int height = std::min(extent.height, binary.Length());
    return Sampled(rect, maxSide, [&](int x, int y) {
        return x < width && y < height && binary[x][y] ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    });
}

std::optional<CellPos> GridPlacement::CellAt(QPoint p) const {
    if (IsEmpty() || !Rect().contains(p))
        return std::nullopt;
    return CellPos{(p.x() - left) / cell, (p.y() - top) / cell};
}

GridPlacement PlaceGrid(int columns, int rows, QRect area) {
    GridPlacement at;
    if (columns <= 0 || rows <= 0 || area.width() < 2 || area.height() < 2)
        return at;
    at.columns = columns;
    at.rows = rows;
    // One pixel more than the cells for the closing lines.
    at.cell = std::min((area.width() - 1) / columns, (area.height() - 1) / rows);
    at.left = area.left() + (area.width() - columns * at.cell) / 2;
    at.top = area.top() + (area.height() - rows * at.cell) / 2;
    return at;
}

void DrawEditorGrid(QPainter& painter, const GridPlacement& at, const Puzzle& puzzle,
                    const std::vector<std::uint8_t>* undecided,
                    const std::vector<std::uint8_t>* changes) {
    if (at.IsEmpty() || !puzzle.HasAnswer())
        return;
    // One pixel per cell, scaled up without smoothing: a copy, however many cells.
    QImage cells(puzzle.width, puzzle.height, QImage::Format_RGB32);
    for (int y = 0; y < puzzle.height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(cells.scanLine(y));
        for (int x = 0; x < puzzle.width; ++x) {
            const std::uint8_t cell = puzzle.AnswerAt(x, y);
            row[x] = puzzle.IsColour() ? QRgbOf(puzzle.palette[cell])
                     : cell            ? kFilledCell
                                       : kEmptyCell;
        }
    }
    painter.drawImage(at.Rect(), cells);
    if (at.cell >= 3)
        DrawLines(painter, at);
    const std::size_t count = static_cast<std::size_t>(puzzle.CellCount());
    const int mark = std::max(2, at.cell / 3);
    for (std::size_t i = 0; undecided && undecided->size() == count && i < count; ++i) {
        if ((*undecided)[i]) {
            const int x = at.left + static_cast<int>(i % puzzle.width) * at.cell;
            const int y = at.top + static_cast<int>(i / puzzle.width) * at.cell;
            // On a colour cell the mark darkens where the yellow would not show.
            const std::uint32_t rgb =
                puzzle.IsColour() ? UndecidedMarkOn(puzzle.palette[puzzle.answer[i]], kUndecidedRgb)
                                  : kUndecidedRgb;
            painter.fillRect(x + (at.cell - mark + 1) / 2, y + (at.cell - mark + 1) / 2, mark, mark,
                             QColor::fromRgb(QRgbOf(rgb)));
        }
    }
    for (std::size_t i = 0; changes && changes->size() == count && i < count; ++i) {
        if ((*changes)[i]) {
            const int x = at.left + static_cast<int>(i % puzzle.width) * at.cell;
            const int y = at.top + static_cast<int>(i / puzzle.width) * at.cell;
            const int pen = std::max(2, at.cell / 6);
            painter.setPen(QPen((*changes)[i] == 1 ? kToFillColor : kToEmptyColor, pen));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(
                QRectF(x + pen / 2.0 + 1, y + pen / 2.0 + 1, at.cell - pen - 1, at.cell - pen - 1));
        }
    }
}

QRect FittedBoard::Board() const {
    return {grid.left - rowSlots * grid.cell, grid.top - columnSlots * grid.cell,
            (rowSlots + grid.columns) * grid.cell + 1, (columnSlots + grid.rows) * grid.cell + 1};
}

FittedBoard FitBoard(const Puzzle& puzzle, QRect area) {
    FittedBoard board;
    board.rowSlots = SlotsOf(puzzle.rows);
    board.columnSlots = SlotsOf(puzzle.columns);
    const GridPlacement all =
        PlaceGrid(puzzle.width + board.rowSlots, puzzle.height + board.columnSlots, area);
    if (all.IsEmpty())
        return board;
    board.grid = all;
    board.grid.columns = puzzle.width;
    board.grid.rows = puzzle.height;
    board.grid.left += board.rowSlots * all.cell;
    board.grid.top += board.columnSlots * all.cell;
    board.fontPixels = ClueFontFor(all.cell);
    return board;
}

const QImage& ClueGlyphs::Number(int number, int fontPixels, int maxWidth, bool white) {
    if (fontPixels != m_fontPixels || maxWidth != m_maxWidth) {
        m_images.clear();
        m_fontPixels = fontPixels;
        m_maxWidth = maxWidth;
    }
    const int key = number * 2 + (white ? 1 : 0);
    auto found = m_images.find(key);
    if (found != m_images.end())
        return *found;
    QFont font;
    font.setPixelSize(fontPixels);
    const QFontMetrics metrics(font);
    const QString text = QString::number(number);
    QImage image(std::max(1, metrics.horizontalAdvance(text)), std::max(1, metrics.height()),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(white ? Qt::white : Qt::black);
    painter.drawText(QPoint(0, metrics.ascent()), text);
    painter.end();
    // A number wider than its slot is narrowed to it, never run into the next.
    if (image.width() > maxWidth)
        image = image.scaled(std::max(1, maxWidth), image.height(), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    return *m_images.insert(key, image);
}

void DrawFittedPuzzle(QPainter& painter, const Puzzle& puzzle, const FittedBoard& board,
                      ClueGlyphs& glyphs) {
    const GridPlacement& at = board.grid;
    if (at.IsEmpty())
        return;
    painter.fillRect(at.Rect(), Qt::white);
    if (board.fontPixels > 0) {
        const int c = at.cell;
        // A colour clue's number stands on a swatch of its run's colour filling its slot, in
        // black or white as reads better there.
        auto stamp = [&](int x, int y, int number, const LineClue& clue, const LineColours* colours,
                         int s) {
            bool white = false;
            if (colours && !clue.empty()) {
                const std::uint32_t rgb = puzzle.palette[(*colours)[clue.size() - 1 - s]];
                painter.fillRect(x + 1, y + 1, c - 1, c - 1, QColor::fromRgb(QRgbOf(rgb)));
                white = !BlackReadsOn(rgb);
            }
            const QImage& glyph = glyphs.Number(number, board.fontPixels, c - 3, white);
            painter.drawImage(x + (c + 1 - glyph.width()) / 2, y + (c + 1 - glyph.height()) / 2,
                              glyph);
        };
        const bool colour = puzzle.IsColour();
        for (int i = 0; i < puzzle.width; ++i) {
            const std::vector<int> numbers = ClueSlots(puzzle.columns[i]);
            for (int s = 0; s < static_cast<int>(numbers.size()); ++s)
                stamp(at.left + i * c, at.top - (s + 1) * c, numbers[s], puzzle.columns[i],
                      colour ? &puzzle.columnColours[i] : nullptr, s);
        }
        for (int j = 0; j < puzzle.height; ++j) {
            const std::vector<int> numbers = ClueSlots(puzzle.rows[j]);
            for (int s = 0; s < static_cast<int>(numbers.size()); ++s)
                stamp(at.left - (s + 1) * c, at.top + j * c, numbers[s], puzzle.rows[j],
                      colour ? &puzzle.rowColours[j] : nullptr, s);
        }
    }
    if (at.cell >= 3)
        DrawLines(painter, at);
}
