#include "formats/puzzle_sheet.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "formats/colour_text.h"
#include "model/board_layout.h"
#include "model/colour_contrast.h"

namespace {

// Sans-serif faces, the Japanese ones first so that titles in Japanese print too.
const QStringList kSheetFaces = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                 QStringLiteral("DejaVu Sans")};

QFont SheetFont() {
    QFont font;
    font.setFamilies(kSheetFaces);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// The colours' letters: bold, in a face drawn for small sizes on screens.
QFont LetterFont(qreal pixels) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), kSheetFaces.front()});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(std::max(1, qRound(pixels)));
    return font;
}

const QColor kLineColor(0, 0, 0);
const QColor kClueLineColor(190, 190, 190);
const QColor kFilledColor(0, 0, 0);
const QColor kNumberColor(0, 0, 0);

// Largest cell on paper, so that small puzzles stay a comfortable size.
constexpr double kMaxPaperCellMm = 8.0;
constexpr double kPaperGapMm = 4.0;
constexpr double kTitlePoints = 11.0;
constexpr double kVerdictPoints = 8.0;
// A colour's letter on a clue swatch, for a cell of 1: about a third of the number's height.
constexpr double kLetterPerCell = 0.33;
// The key's swatches on paper, and how far apart they stand (in swatches).
constexpr double kKeySwatchMm = 5.0;
constexpr double kKeyPitch = 1.5;
const QColor kKeyLineColor(128, 128, 128);

QPen LinePen(const QColor& color, qreal width) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

QColor ColourOf(std::uint32_t rgb) {
    return QColor((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
}

// A colour clue's number on its swatch `inner` in the ink colour already set, with the colour's
// letter small in the swatch's top-left corner, so that colours of like lightness differ in
// grey too; the number keeps its size and stands centred in the space below the letter.
void PaintLetteredNumber(QPainter& painter, QRectF inner, const QString& number, int colour,
                         const QFont& letterFont) {
    const QString letter(QChar::fromLatin1(ColourLetter(colour)));
    const qreal pad = inner.width() * 0.03, gap = inner.width() * 0.05;
    const QFont numberFont = painter.font();
    const QRectF letterBox = QFontMetricsF(letterFont, painter.device()).tightBoundingRect(letter);
    const QRectF numberBox = QFontMetricsF(numberFont, painter.device()).tightBoundingRect(number);
    painter.setFont(letterFont);
    painter.drawText(inner.topLeft() + QPointF(pad, pad) - letterBox.topLeft(), letter);
    painter.setFont(numberFont);
    // Centred in the space below the letter, and within the swatch.
    const qreal below = inner.top() + pad + letterBox.height() + gap;
    const qreal top = std::min(std::max(below, (below + inner.bottom() - numberBox.height()) / 2),
                               inner.bottom() - numberBox.height());
    const qreal left = inner.center().x() - numberBox.width() / 2;
    painter.drawText(QPointF(left, top) - numberBox.topLeft(), number);
}

// The numbers of one line's clue, slot 0 in `first` and each next one `step` further; in a
// colour puzzle each on a swatch of its run's colour, inset a little so that neighbouring
// swatches stay apart, with the colour's letter in `letterFont`.
void PaintClue(QPainter& painter, const Puzzle& puzzle, const LineClue& clue,
               const LineColours* colours, QRectF first, QPointF step, const QFont& letterFont) {
    const std::vector<int> numbers = ClueSlots(clue);
    const qreal inset = first.width() * 0.08;
    for (int s = 0; s < static_cast<int>(numbers.size()); ++s) {
        const QRectF rect = first.translated(step * s);
        if (colours && !clue.empty()) {
            const int colour = (*colours)[clue.size() - 1 - s];
            const std::uint32_t rgb = puzzle.palette[colour];
            const QRectF inner = rect.adjusted(inset, inset, -inset, -inset);
            painter.fillRect(inner, ColourOf(rgb));
            painter.setPen(ClueTextColour(rgb));
            PaintLetteredNumber(painter, inner, QString::number(numbers[s]), colour, letterFont);
        } else {
            painter.setPen(kNumberColor);
            painter.drawText(rect, Qt::AlignCenter, QString::number(numbers[s]));
        }
    }
}

// The clue numbers left of and above the grid whose top left corner is (left, top).
void PaintClues(QPainter& painter, const Puzzle& puzzle, qreal left, qreal top, qreal cell) {
    QFont font = SheetFont();
    font.setPixelSize(std::max(1, qRound(cell * 0.62)));
    painter.setFont(font);
    const QFont letterFont = LetterFont(cell * kLetterPerCell);
    const bool colour = puzzle.IsColour();
    for (int i = 0; i < puzzle.width; ++i)
        PaintClue(painter, puzzle, puzzle.columns[i], colour ? &puzzle.columnColours[i] : nullptr,
                  QRectF(left + i * cell, top - cell, cell, cell), QPointF(0, -cell), letterFont);
    for (int j = 0; j < puzzle.height; ++j)
        PaintClue(painter, puzzle, puzzle.rows[j], colour ? &puzzle.rowColours[j] : nullptr,
                  QRectF(left - cell, top + j * cell, cell, cell), QPointF(-cell, 0), letterFont);
}

// The width of the key to `count` colours with swatches of side `side`.
qreal KeyWidth(int count, qreal side) {
    return (count * kKeyPitch - (kKeyPitch - 1)) * side;
}

// The key to a colour puzzle's letters, centred in `row`: for each colour a swatch of the row's
// height with its letter, outlined so that light colours show on white paper.
void PaintColourKey(QPainter& painter, const Puzzle& puzzle, QRectF row) {
    const qreal side = row.height();
    const int count = puzzle.ColourCount();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(LetterFont(side * 0.5));
    qreal x = row.center().x() - KeyWidth(count, side) / 2;
    for (int k = 1; k <= count; ++k, x += side * kKeyPitch) {
        const QRectF swatch(x, row.top(), side, side);
        const std::uint32_t rgb = puzzle.palette[k];
        painter.fillRect(swatch, ColourOf(rgb));
        painter.setPen(LinePen(kKeyLineColor, std::max<qreal>(1, side / kSheetCellPixels)));
        painter.drawRect(swatch);
        painter.setPen(ClueTextColour(rgb));
        painter.drawText(swatch, Qt::AlignCenter, QString(QChar::fromLatin1(ColourLetter(k))));
    }
    painter.restore();
}

}  // namespace

QColor ClueTextColour(std::uint32_t rgb) {
    return BlackReadsOn(rgb) ? QColor(0, 0, 0) : QColor(255, 255, 255);
}

SheetCells SheetCellsOf(const Puzzle& puzzle) {
    SheetCells cells;
    cells.columns = puzzle.width;
    cells.rows = puzzle.height;
    for (const LineClue& clue : puzzle.rows)
        cells.rowClueSlots = std::max(cells.rowClueSlots, static_cast<int>(clue.size()));
    for (const LineClue& clue : puzzle.columns)
        cells.columnClueSlots = std::max(cells.columnClueSlots, static_cast<int>(clue.size()));
    return cells;
}

void PaintPuzzle(QPainter& painter, const Puzzle& puzzle, bool withAnswer, QPointF origin,
                 qreal cell) {
    const SheetCells cells = SheetCellsOf(puzzle);
    const qreal left = origin.x() + cells.rowClueSlots * cell;
    const qreal top = origin.y() + cells.columnClueSlots * cell;
    const qreal right = left + puzzle.width * cell;
    const qreal bottom = top + puzzle.height * cell;
    painter.save();
    // Crisp lines and cells on pixels; the numbers keep their smooth edges.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    if (withAnswer && puzzle.HasAnswer()) {
        for (int y = 0; y < puzzle.height; ++y)
            for (int x = 0; x < puzzle.width; ++x)
                if (const std::uint8_t c = puzzle.AnswerAt(x, y))
                    painter.fillRect(
                        QRectF(left + x * cell, top + y * cell, cell, cell),
                        puzzle.IsColour() ? ColourOf(puzzle.palette[c]) : kFilledColor);
    }
    PaintClues(painter, puzzle, left, top, cell);

    // Light lines part the clues of neighbouring lines; the grid's lines are black, every
    // fifth one and the outline three times as thick.
    const qreal thin = std::max<qreal>(1, qRound(cell / kSheetCellPixels));
    painter.setPen(LinePen(kClueLineColor, thin));
    for (int k = 1; k < puzzle.height; ++k)
        painter.drawLine(QPointF(origin.x(), top + k * cell), QPointF(left, top + k * cell));
    for (int k = 1; k < puzzle.width; ++k)
        painter.drawLine(QPointF(left + k * cell, origin.y()), QPointF(left + k * cell, top));
    for (bool thick : {false, true}) {
        painter.setPen(LinePen(kLineColor, thick ? 3 * thin : thin));
        for (int k = 0; k <= puzzle.height; ++k) {
            if (thick == (k == 0 || k == puzzle.height || IsFifthLine(k, puzzle.height)))
                painter.drawLine(QPointF(left, top + k * cell), QPointF(right, top + k * cell));
        }
        for (int k = 0; k <= puzzle.width; ++k) {
            if (thick == (k == 0 || k == puzzle.width || IsFifthLine(k, puzzle.width)))
                painter.drawLine(QPointF(left + k * cell, top), QPointF(left + k * cell, bottom));
        }
    }
    painter.restore();
}

QImage PuzzleImage(const Puzzle& puzzle, bool withAnswer) {
    const SheetCells cells = SheetCellsOf(puzzle);
    const int cell = kSheetCellPixels, margin = kSheetMarginPixels;
    // A colour puzzle's key goes below the grid, a cell high, the picture widened if needs be.
    const bool key = puzzle.IsColour();
    const int keyWidth = key ? qCeil(KeyWidth(puzzle.ColourCount(), cell)) : 0;
    const int gridBottom = margin + cells.Height() * cell;
    QImage image(std::max(cells.Width() * cell, keyWidth) + 2 * margin,
                 gridBottom + margin + (key ? cell + margin : 0), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintPuzzle(painter, puzzle, withAnswer, QPointF(margin, margin), cell);
    if (key)
        PaintColourKey(painter, puzzle, QRectF(0, gridBottom + margin, image.width(), cell));
    return image;
}

QByteArray PuzzlePng(const Puzzle& puzzle, bool withAnswer) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(PuzzleImage(puzzle, withAnswer)
                     .convertToFormat(puzzle.IsColour() ? QImage::Format_RGB888
                                                        : QImage::Format_Grayscale8));
    return bytes;
}

void PaintPuzzlePages(QPagedPaintDevice& device, const Puzzle& puzzle, const QString& title,
                      const QString& verdict) {
    QPainter painter(&device);
    const QRectF page(0, 0, device.width(), device.height());
    const qreal mm = device.logicalDpiX() / 25.4;
    QFont titleFont = SheetFont();
    titleFont.setPointSizeF(kTitlePoints);
    QFont verdictFont = SheetFont();
    verdictFont.setPointSizeF(kVerdictPoints);
    const qreal titleHeight = QFontMetricsF(titleFont, &device).height();
    const qreal verdictHeight = QFontMetricsF(verdictFont, &device).height();
    const qreal gap = kPaperGapMm * mm;
    // A colour puzzle's key stands between the grid and the verdict.
    const qreal keySide = puzzle.IsColour() ? kKeySwatchMm * mm : 0;
    const qreal keyBlock = puzzle.IsColour() ? keySide + gap / 2 : 0;

    const SheetCells cells = SheetCellsOf(puzzle);
    const qreal cell = std::min(
        {page.width() / cells.Width(),
         (page.height() - titleHeight - verdictHeight - 2 * gap - keyBlock) / cells.Height(),
         kMaxPaperCellMm * mm});
    const qreal gridBottom = titleHeight + gap + cells.Height() * cell;
    const qreal block = gridBottom + gap + keyBlock + verdictHeight;
    const qreal top = (page.height() - block) / 2;
    const QString size = QStringLiteral("%1 × %2").arg(puzzle.width).arg(puzzle.height);
    const QString verdictLine =
        verdict.isEmpty() ? size
                          : size + QCoreApplication::translate("PuzzleSheet", "　") + verdict;

    for (bool answerPage : {false, true}) {
        if (answerPage)
            device.newPage();
        painter.setPen(kNumberColor);
        painter.setFont(titleFont);
        painter.drawText(
            QRectF(0, top, page.width(), titleHeight), Qt::AlignCenter,
            answerPage ? title + QCoreApplication::translate("PuzzleSheet", "（解答）") : title);
        PaintPuzzle(painter, puzzle, answerPage,
                    QPointF((page.width() - cells.Width() * cell) / 2, top + titleHeight + gap),
                    cell);
        if (puzzle.IsColour())
            PaintColourKey(painter, puzzle,
                           QRectF(0, top + gridBottom + gap, page.width(), keySide));
        painter.setPen(kNumberColor);
        painter.setFont(verdictFont);
        painter.drawText(QRectF(0, top + block - verdictHeight, page.width(), verdictHeight),
                         Qt::AlignCenter, verdictLine);
    }
}

QByteArray PuzzlePdf(const Puzzle& puzzle, const QString& title, const QString& verdict) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("NGM"));
        PaintPuzzlePages(writer, puzzle, title, verdict);
    }
    return bytes;
}
