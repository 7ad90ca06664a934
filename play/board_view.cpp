#include "play/board_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "platform/gdi.h"

namespace {

// One notch of a mouse wheel.
constexpr int kWheelNotch = 120;
// What an arrow of a scroll bar scrolls.
constexpr int kScrollStep = 20;

}  // namespace

BoardView::BoardView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    // Every pixel of the viewport is painted here.  (It is not marked opaque: a repaint of the
    // dialog then would leave it out.)
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
}

void BoardView::SetImage(const QImage* image, QPoint gridOrigin) {
    m_image = image;
    m_gridOrigin = gridOrigin;
    UpdateRanges();
    viewport()->update();
}

int BoardView::Axis::ClueOffset() const {
    const int frozen = std::min(clues, view / 2);
    return std::max(0, std::min(scroll, clues - frozen));
}

BoardView::Axis BoardView::XAxis() const {
    return {m_gridOrigin.x(), viewport()->width(), horizontalScrollBar()->value()};
}

BoardView::Axis BoardView::YAxis() const {
    return {m_gridOrigin.y(), viewport()->height(), verticalScrollBar()->value()};
}

QPoint BoardView::Scroll() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void BoardView::ScrollTo(QPoint scroll) {
    horizontalScrollBar()->setValue(scroll.x());
    verticalScrollBar()->setValue(scroll.y());
}

void BoardView::UpdateRanges() {
    // The viewport as it will be: without scroll bars when the image fits the whole view, else
    // less a bar's width across for each direction that scrolls.
    const QSize image = m_image ? m_image->size() : QSize();
    QSize view = maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bool across = false, down = false;
    for (int k = 0; k < 2; ++k) {
        across = image.width() > view.width() - (down ? bar : 0);
        down = image.height() > view.height() - (across ? bar : 0);
    }
    view -= QSize(down ? bar : 0, across ? bar : 0);
    horizontalScrollBar()->setRange(0, std::max(0, image.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, image.height() - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
}

std::vector<BoardView::Piece> BoardView::Pieces() const {
    const Axis x = XAxis(), y = YAxis();
    // Each axis in two segments: the clue area's part, then the grid's.
    struct Segment {
        int from, to, source;
    };
    const auto segments = [](const Axis& a) {
        const int end = std::min(a.ClueEnd(), a.view);
        return std::vector<Segment>{{0, end, a.ClueOffset()}, {end, a.view, end + a.scroll}};
    };
    std::vector<Piece> pieces;
    for (const Segment& sy : segments(y)) {
        for (const Segment& sx : segments(x)) {
            if (sx.to > sx.from && sy.to > sy.from)
                pieces.push_back({QRect(sx.source, sy.source, sx.to - sx.from, sy.to - sy.from),
                                  {sx.from, sy.from}});
        }
    }
    return pieces;
}

QPoint BoardView::ImagePoint(QPoint viewportPoint) const {
    return {XAxis().ToImage(viewportPoint.x()), YAxis().ToImage(viewportPoint.y())};
}

std::optional<QPoint> BoardView::ViewportPoint(QPoint imagePoint) const {
    for (const Piece& piece : Pieces()) {
        if (piece.source.contains(imagePoint))
            return imagePoint - piece.source.topLeft() + piece.at;
    }
    return std::nullopt;
}

void BoardView::UpdateImageRect(const QRect& rect) {
    for (const Piece& piece : Pieces()) {
        const QRect shown = rect & piece.source;
        if (!shown.isEmpty())
            viewport()->update(shown.translated(piece.at - piece.source.topLeft()));
    }
}

void BoardView::EnsureVisible(const QRect& rect) {
    const auto scrollFor = [](const Axis& a, int from, int to) {
        int s = a.scroll;
        if (to - s > a.view)
            s = to - a.view;
        Axis moved = a;
        moved.scroll = s;
        if (from - s < moved.ClueEnd())
            s = from - std::min(a.clues, a.view / 2);
        return s;
    };
    const Axis x = XAxis(), y = YAxis();
    ScrollTo(
        {scrollFor(x, rect.left(), rect.right() + 1), scrollFor(y, rect.top(), rect.bottom() + 1)});
}

void BoardView::paintEvent(QPaintEvent* event) {
    if (m_wholePaint && !std::exchange(m_scrolled, false) &&
        (QRegion(viewport()->rect()) - event->region()).isEmpty())
        m_wholePaint();
    QPainter painter(viewport());
    QRegion uncovered = event->region();
    const QRect bounds = m_image ? m_image->rect() : QRect();
    for (const Piece& piece : Pieces()) {
        const QPoint shift = piece.at - piece.source.topLeft();
        // Only what the paint asks for, and only what the image has.
        const QRect source = event->rect().translated(-shift) & piece.source & bounds;
        if (source.isEmpty())
            continue;
        if (m_prepare)
            m_prepare(source);
        painter.drawImage(source.topLeft() + shift, *m_image, source);
        uncovered -= source.translated(shift);
    }
    for (const QRect& r : uncovered)
        painter.fillRect(r, ToQColor(kFaceColor));
}

void BoardView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateRanges();
}

void BoardView::scrollContentsBy(int /*dx*/, int /*dy*/) {
    m_scrolled = true;
    viewport()->update();
}

void BoardView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    m_wheelDelta += event->angleDelta().y();
    const int steps = m_wheelDelta / kWheelNotch;
    m_wheelDelta -= steps * kWheelNotch;
    if (steps != 0)
        emit ZoomRequested(steps, event->position().toPoint());
    event->accept();
}
