#include "construct/workbench_panes.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cstdlib>

#include "session/puzzle_session.h"

namespace {

// How near an edge of the crop the pointer grabs it, in pane pixels.
constexpr int kGrab = 6;
// A resize rests this long before the image is scaled smoothly.
constexpr int kSmoothDelayMs = 120;

}  // namespace

WorkbenchPane::WorkbenchPane(QWidget* parent) : QWidget(parent) {
    // Each pane fills all of itself, so that a repaint of one never paints what lies behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WorkbenchPane::FillBackground(QPainter& painter) {
    painter.fillRect(rect(), palette().color(QPalette::Window));
}

void WorkbenchPane::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit enlargeToggled();
}

WorkbenchImagePane::WorkbenchImagePane(QWidget* parent) : WorkbenchPane(parent) {
    m_smooth.setSingleShot(true);
    m_smooth.setInterval(kSmoothDelayMs);
    connect(&m_smooth, &QTimer::timeout, this, [this] {
        Rescale(Qt::SmoothTransformation);
        update();
    });
    setMouseTracking(true);
    setMinimumSize(120, 90);
}

void WorkbenchImagePane::SetImage(QImage image, QSize sourceSize) {
    m_image = std::move(image);
    m_sourceSize = sourceSize;
    Rescale(Qt::SmoothTransformation);
    update();
}

void WorkbenchImagePane::SetCrop(std::optional<QRect> crop) {
    m_crop = crop;
    update();
}

void WorkbenchImagePane::SetPicking(bool picking) {
    m_picking = picking;
    setCursor(picking ? Qt::PointingHandCursor : Qt::CrossCursor);
}

void WorkbenchImagePane::Rescale(Qt::TransformationMode mode) {
    if (m_image.isNull() || width() < 2 || height() < 2) {
        m_scaled = QImage();
        m_imageRect = QRect();
        return;
    }
    const QSize fit = m_image.size().scaled(size() - QSize(4, 4), Qt::KeepAspectRatio);
    m_scaled = m_image.scaled(fit.expandedTo({1, 1}), Qt::IgnoreAspectRatio, mode);
    m_imageRect =
        QRect(QPoint((width() - fit.width()) / 2, (height() - fit.height()) / 2), m_scaled.size());
}

void WorkbenchImagePane::resizeEvent(QResizeEvent*) {
    Rescale(Qt::FastTransformation);
    m_smooth.start();
}

QPoint WorkbenchImagePane::ToSource(QPoint p) const {
    if (m_imageRect.isEmpty())
        return {};
    const int x = (p.x() - m_imageRect.left()) * m_sourceSize.width() / m_imageRect.width();
    const int y = (p.y() - m_imageRect.top()) * m_sourceSize.height() / m_imageRect.height();
    return {std::clamp(x, 0, m_sourceSize.width()), std::clamp(y, 0, m_sourceSize.height())};
}

QRect WorkbenchImagePane::ToPane(QRect r) const {
    if (m_sourceSize.isEmpty())
        return {};
    auto x = [&](int v) {
        return m_imageRect.left() + v * m_imageRect.width() / m_sourceSize.width();
    };
    auto y = [&](int v) {
        return m_imageRect.top() + v * m_imageRect.height() / m_sourceSize.height();
    };
    return QRect(QPoint(x(r.left()), y(r.top())),
                 QPoint(x(r.right() + 1) - 1, y(r.bottom() + 1) - 1));
}

void WorkbenchImagePane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_scaled.isNull()) {
        FillBackground(painter);
        return;
    }
    // Around the image only: the image covers the rest.
    QRegion around(rect());
    around -= QRegion(m_imageRect);
    painter.setClipRegion(around);
    FillBackground(painter);
    painter.setClipping(false);
    painter.drawImage(m_imageRect.topLeft(), m_scaled);
    if (!m_crop)
        return;
    // The parts outside the crop dimmed, the crop framed with its handles.
    const QRect r = ToPane(*m_crop);
    const QRect& i = m_imageRect;
    const QColor dim(0, 0, 0, 110);
    painter.fillRect(QRect(QPoint(i.left(), i.top()), QPoint(i.right(), r.top() - 1)), dim);
    painter.fillRect(QRect(QPoint(i.left(), r.bottom() + 1), QPoint(i.right(), i.bottom())), dim);
    painter.fillRect(QRect(QPoint(i.left(), r.top()), QPoint(r.left() - 1, r.bottom())), dim);
    painter.fillRect(QRect(QPoint(r.right() + 1, r.top()), QPoint(i.right(), r.bottom())), dim);
    painter.setPen(QPen(QColor(255, 200, 0), 2));
    painter.drawRect(r);
    painter.setBrush(QColor(255, 200, 0));
    for (QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
        painter.drawRect(QRect(corner - QPoint(3, 3), QSize(7, 7)));
}

int WorkbenchImagePane::EdgesAt(QPoint p) const {
    if (!m_crop)
        return 0;
    const QRect r = ToPane(*m_crop);
    if (!r.adjusted(-kGrab, -kGrab, kGrab, kGrab).contains(p))
        return 0;
    int edges = 0;
    edges |= std::abs(p.x() - r.left()) <= kGrab ? 1 : 0;
    edges |= std::abs(p.y() - r.top()) <= kGrab ? 2 : 0;
    edges |= std::abs(p.x() - r.right()) <= kGrab ? 4 : 0;
    edges |= std::abs(p.y() - r.bottom()) <= kGrab ? 8 : 0;
    return edges ? edges : (r.contains(p) ? 15 : 0);
}

void WorkbenchImagePane::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    // A pick (its mode, or Ctrl with a click) takes the pixel instead of dragging a crop.
    if ((m_picking || event->modifiers() & Qt::ControlModifier) &&
        event->button() == Qt::LeftButton && m_imageRect.contains(p) && !m_sourceSize.isEmpty()) {
        const QPoint source = ToSource(p);
        emit pointPicked(QPoint(std::clamp(source.x(), 0, m_sourceSize.width() - 1),
                                std::clamp(source.y(), 0, m_sourceSize.height() - 1)));
        return;
    }
    if (!m_cropEnabled || event->button() != Qt::LeftButton || !m_imageRect.contains(p))
        return;
    m_dragEdges = EdgesAt(p);
    m_dragFrom = ToSource(p);
    if (m_dragEdges == 0) {
        // A new rectangle, its far corner following the pointer.
        m_crop = QRect(m_dragFrom, QSize(1, 1));
        m_dragEdges = 4 | 8;
    }
    m_cropFrom = *m_crop;
}

void WorkbenchImagePane::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (!m_dragEdges && m_picking) {
        setCursor(Qt::PointingHandCursor);
        return;
    }
    if (!m_dragEdges) {
        const int edges = m_cropEnabled ? EdgesAt(p) : 0;
        const bool horizontal = edges & 5, vertical = edges & 10;
        setCursor(edges == 15 ? Qt::SizeAllCursor
                  : horizontal && vertical
                      ? ((edges == 3 || edges == 12) ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor)
                  : horizontal ? Qt::SizeHorCursor
                  : vertical   ? Qt::SizeVerCursor
                               : Qt::CrossCursor);
        return;
    }
    const QPoint d = ToSource(p) - m_dragFrom;
    QRect r = m_cropFrom;
    if (m_dragEdges == 15) {
        r.translate(d);
        r.moveLeft(std::clamp(r.left(), 0, m_sourceSize.width() - r.width()));
        r.moveTop(std::clamp(r.top(), 0, m_sourceSize.height() - r.height()));
    } else {
        if (m_dragEdges & 1)
            r.setLeft(m_cropFrom.left() + d.x());
        if (m_dragEdges & 2)
            r.setTop(m_cropFrom.top() + d.y());
        if (m_dragEdges & 4)
            r.setRight(m_cropFrom.right() + d.x());
        if (m_dragEdges & 8)
            r.setBottom(m_cropFrom.bottom() + d.y());
        r = r.normalized() & QRect(QPoint(0, 0), m_sourceSize);
    }
    m_crop = r;
    update();
}

void WorkbenchImagePane::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragEdges || event->button() != Qt::LeftButton)
        return;
    m_dragEdges = 0;
    // A rectangle of a few pixels, or the whole picture, is no crop.
    if (m_crop && (m_crop->width() < 4 || m_crop->height() < 4 ||
                   *m_crop == QRect(QPoint(0, 0), m_sourceSize)))
        m_crop.reset();
    update();
    emit cropChanged(m_crop);
}

WorkbenchGridPane::WorkbenchGridPane(const PuzzleSession& session, QWidget* parent)
    : WorkbenchPane(parent), m_session(session) {
    setMinimumSize(120, 90);
    setCursor(Qt::PointingHandCursor);
}

GridPlacement WorkbenchGridPane::Placement() const {
    const Puzzle& puzzle = m_session.GetPuzzle();
    return PlaceGrid(puzzle.width, puzzle.height, rect().adjusted(2, 2, -2, -2));
}

void WorkbenchGridPane::SetChanges(std::vector<std::uint8_t> changes) {
    m_changes = std::move(changes);
    update();
}

void WorkbenchGridPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    FillBackground(painter);
    const Puzzle& puzzle = m_session.GetPuzzle();
    const std::optional<SolveResult>& verdict = m_session.Verdict();
    DrawEditorGrid(painter, Placement(), puzzle, verdict ? &verdict->undecided : nullptr,
                   m_changes.empty() ? nullptr : &m_changes);
}

void WorkbenchGridPane::mousePressEvent(QMouseEvent* event) {
    if (m_fill || !m_session.GetPuzzle().HasAnswer())
        return;
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    m_fill = event->button() == Qt::LeftButton;
    m_last.reset();
    emit strokeStarted();
    StrokeTo(event->position().toPoint());
}

void WorkbenchGridPane::mouseMoveEvent(QMouseEvent* event) {
    if (m_fill)
        StrokeTo(event->position().toPoint());
}

void WorkbenchGridPane::mouseReleaseEvent(QMouseEvent* event) {
    const bool ends = m_fill && (event->button() == Qt::LeftButton) == *m_fill;
    if (!ends)
        return;
    m_fill.reset();
    emit strokeEnded();
}

void WorkbenchGridPane::StrokeTo(QPoint p) {
    const GridPlacement at = Placement();
    const std::optional<CellPos> cell = at.CellAt(p);
    if (!cell)
        return;
    // The cells between the last one and this, so that a fast drag leaves no gaps.
    const CellPos from = m_last.value_or(*cell);
    const int steps =
        std::max(std::abs(cell->column - from.column), std::abs(cell->row - from.row));
    for (int k = steps == 0 ? 0 : 1; k <= steps; ++k) {
        const CellPos step{from.column + (cell->column - from.column) * k / std::max(steps, 1),
                           from.row + (cell->row - from.row) * k / std::max(steps, 1)};
        emit cellStroked(step, *m_fill);
    }
    m_last = cell;
}

WorkbenchPuzzlePane::WorkbenchPuzzlePane(const PuzzleSession& session, QWidget* parent)
    : WorkbenchPane(parent), m_session(session) {
    setMinimumSize(120, 90);
}

void WorkbenchPuzzlePane::Redraw() {
    const Puzzle& puzzle = m_session.GetPuzzle();
    if (!m_session.HasPuzzle() || width() < 2 || height() < 2) {
        m_image = QImage();
        m_board = FittedBoard();
        update();
        return;
    }
    m_board = FitBoard(puzzle, rect().adjusted(4, 4, -4, -4));
    if (m_image.size() != size())
        m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(palette().color(QPalette::Window));
    QPainter painter(&m_image);
    DrawFittedPuzzle(painter, puzzle, m_board, m_glyphs);
    update();
}

void WorkbenchPuzzlePane::resizeEvent(QResizeEvent*) {
    Redraw();
}

void WorkbenchPuzzlePane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_image.isNull())
        FillBackground(painter);
    else
        painter.drawImage(0, 0, m_image);
    if (m_session.HasPuzzle() && m_board.fontPixels == 0) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(
            rect().adjusted(6, 4, -6, -4), Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap,
            tr("マスが小さすぎて手がかりを描けません。ダブルクリックか最大化で拡大してください。"));
    }
}
