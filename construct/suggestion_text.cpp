#include "construct/suggestion_text.h"

#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "render/palette_colours.h"
#include "session/verdict_text.h"

QString SuggestionTitle(const Suggestion& s) {
    if (s.kind == SuggestionKind::Cells) {
        const int changed = static_cast<int>(s.changed.size());
        return QCoreApplication::translate("Suggestion", "%n マスを変える", nullptr, changed);
    }
    if (s.kind == SuggestionKind::Colours)
        return QCoreApplication::translate("Suggestion", "%1 色・ブロック数 %2")
            .arg(s.colours)
            .arg(s.n);
    return QCoreApplication::translate("Suggestion", "閾値 %1〜%2・ブロック数 %3")
        .arg(s.lower)
        .arg(s.upper)
        .arg(s.n);
}

QString SuggestionDetail(const Suggestion& s, const FilledShare& current) {
    SolveResult verdict;
    verdict.verdict = s.verdict;
    verdict.difficulty = s.difficulty;
    verdict.undecidedCount = s.undecidedCount;
    QString text = DescribeVerdict(verdict).text;
    if (s.kind == SuggestionKind::Colours && s.changedCells >= 0) {
        text += QCoreApplication::translate("Suggestion", "・変わるマス %1").arg(s.changedCells);
    } else if (s.kind == SuggestionKind::Band) {
        if (s.changedCells >= 0) {
            text +=
                QCoreApplication::translate("Suggestion", "・変わるマス %1").arg(s.changedCells);
        } else {
            // Never "0 %" for a change that is there.
            const int percent = std::max(1, static_cast<int>(std::lround(s.changedArea * 100)));
            text +=
                QCoreApplication::translate("Suggestion", "・絵の %1% が変わります").arg(percent);
        }
    }
    if (!s.withinShare) {
        text += QCoreApplication::translate("Suggestion", "\n塗りの割合 %1% (今は %2%)")
                    .arg(std::lround(s.filledPercent))
                    .arg(std::lround(current.Percent()));
    }
    return text;
}

QImage SuggestionPicture(const Suggestion& s, const std::vector<std::uint8_t>& current) {
    QImage image(kSuggestionPictureSide, kSuggestionPictureSide, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int columns = s.columns > 0 ? s.columns : s.n;
    const int rows = s.rows > 0 ? s.rows : s.n;
    if (columns <= 0 || rows <= 0 || s.cells.size() != static_cast<std::size_t>(columns) * rows)
        return image;
    const int cell = std::max(1, (kSuggestionPictureSide - 4) / std::max(columns, rows));
    const int left = (kSuggestionPictureSide - cell * columns) / 2;
    const int top = (kSuggestionPictureSide - cell * rows) / 2;
    // A puzzle of other colours is drawn in its own; only cells changed on the current
    // puzzle's colours are marked.
    const bool own = s.kind == SuggestionKind::Colours && !s.palette.empty();
    const bool compare = !own && current.size() == s.cells.size();
    QPainter painter(&image);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            const std::size_t k = static_cast<std::size_t>(y) * columns + x;
            const bool filled = s.cells[k] != 0;
            QRgb colour = filled ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            if (own && s.cells[k] < s.palette.size())
                colour = QRgbOf(s.palette[s.cells[k]]);
            // A cell of a colour puzzle that takes another colour is changed too.
            if (compare && current[k] != s.cells[k])
                colour = filled ? kNewlyFilledColor : kNewlyEmptiedColor;
            painter.fillRect(left + x * cell, top + y * cell, cell, cell, QColor(colour));
        }
    }
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(left - 1, top - 1, cell * columns + 1, cell * rows + 1);
    return image;
}
