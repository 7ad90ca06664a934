#include "play/colour_palette.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

ColourPalette::ColourPalette(QWidget* parent) : QWidget(parent) {
    setToolTip(tr("塗る色（クリックまたは数字キーで選ぶ）"));
}

void ColourPalette::SetColours(std::vector<std::uint32_t> colours) {
    m_colours = std::move(colours);
    m_chosen = 1;
    FitWidth(width());
}

void ColourPalette::Choose(int colour) {
    if (colour < 1 || colour > ColourCount() || colour == m_chosen)
        return;
    m_chosen = colour;
    update();
    emit ColourChosen(colour);
}

void ColourPalette::FitWidth(int width) {
    m_perRow = std::max(1, (width - kGap) / (kSwatch + kGap));
    const int count = std::max(1, ColourCount());
    const int columns = std::min(m_perRow, count), rows = (count + m_perRow - 1) / m_perRow;
    resize(kGap + columns * (kSwatch + kGap), kGap + rows * (kSwatch + kGap));
}

QRect ColourPalette::SwatchRect(int colour) const {
    const int k = colour - 1;
    return QRect(kGap + k % m_perRow * (kSwatch + kGap), kGap + k / m_perRow * (kSwatch + kGap),
                 kSwatch, kSwatch);
}

void ColourPalette::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    for (int colour = 1; colour <= ColourCount(); ++colour) {
        const QRect r = SwatchRect(colour);
        const std::uint32_t rgb = m_colours[static_cast<std::size_t>(colour) - 1];
        painter.fillRect(r, QColor::fromRgb(static_cast<QRgb>(rgb)));
        // A thin grey edge shows a swatch of the face's colour; the chosen one has a black
        // and a white ring round it, which shows on any colour.
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        if (colour == m_chosen) {
            painter.setPen(QPen(Qt::black, 2));
            painter.drawRect(r.adjusted(-1, -1, 0, 0));
            painter.setPen(QPen(Qt::white, 1));
            painter.drawRect(r.adjusted(1, 1, -2, -2));
        }
    }
}

void ColourPalette::mousePressEvent(QMouseEvent* event) {
    for (int colour = 1; colour <= ColourCount(); ++colour) {
        if (SwatchRect(colour).contains(event->position().toPoint())) {
            Choose(colour);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}
