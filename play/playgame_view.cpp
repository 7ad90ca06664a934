// The play dialog's board view: the layout of the frame and the dialog for the board, the
// zoom, and the board image drawn part by part as the view shows it.
#include <QCheckBox>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "play/board_view.h"
#include "play/playgame.h"
#include "render/board_sizing.h"
#include "session/ngm_doc.h"

namespace {

// Room the dialog keeps around the board frame's client area: the button column on the right
// and the margins.
constexpr int kExtraWidth = 180;
constexpr int kExtraHeight = 110;

// What a window's own frame (title bar and borders) takes on a desktop, beyond its client
// area, when a board is fitted to the screen.
constexpr int kWindowFrameWidth = 16;
constexpr int kWindowFrameHeight = 48;

// The image lies inside the frame's two rims of one pixel each.
constexpr int kRims = 2;

// The room the screen gives a window of the dialog, beyond its own frame.
QSize ScreenRoom(const QWidget* anchor) {
    if (!anchor->screen())
        return QSize(1 << 16, 1 << 16);
    return anchor->screen()->availableGeometry().size() -
           QSize(kWindowFrameWidth, kWindowFrameHeight);
}

}  // namespace

void CPlaygame::FirstPaintLayout() {
    const bool playable = IsPlayable();
    m_bFirstPaint = 0;
    const Puzzle* puzzle = playable ? &m_pDoc->GetPuzzle() : nullptr;
    // The cells shrink, and then the board scrolls, for puzzles the screen cannot hold.
    const QWidget* anchor = parentWidget() ? parentWidget() : this;
    const QSize around(kExtraWidth + kWindowFrameWidth, kExtraHeight + kWindowFrameHeight);
    const BoardSizing sizing =
        puzzle ? SizeBoard(*puzzle, around,
                           ScreenRoom(anchor) + QSize(kWindowFrameWidth, kWindowFrameHeight))
               : BoardSizing{BoardLayout(0, 0, kPlayCellSize), false, false, QSize()};
    m_layout = sizing.layout;
    m_nStartCell = m_layout.CellSize();
    // Boards larger than those of the analysis always have their thick fifth lines.
    if (puzzle && (puzzle->width > kLargestAnalysisSide || puzzle->height > kLargestAnalysisSide)) {
        const QSignalBlocker quiet(m_pThickLines);
        m_pThickLines->setChecked(true);
        m_pThickLines->setEnabled(false);
    }
    // The board opens as it was left; the first paint draws its marks.
    UpdateFinishedLines();
    if (playable && IsChecked())
        ShowCheckedBoard();

    m_pBoardView = new BoardView(this);
    m_pBoardView->installEventFilter(this);
    m_pBoardView->SetPrepare([this](const QRect& rect) { EnsureDrawn(rect); });
    m_pBoardView->SetWholePaint([this] { OnPaint(); });
    connect(m_pBoardView, &BoardView::ZoomRequested, this,
            [this](int steps, QPoint at) { ZoomBy(steps, at); });
    m_pOldBitmap = m_dcMem.SelectObject(&m_bmpBoard);
    m_ctlBoard->SetImageSource(nullptr);
    CreateImage();

    // The frame holds the whole board, or a scrolled view of the room the screen gives; the
    // dialog follows the frame and moves by half of its change, staying centred where it was.
    const QSize frame =
        sizing.scrolls
            ? FrameFor(ScreenRoom(anchor) - QSize(kExtraWidth - kRims, kExtraHeight - kRims))
            : QSize(m_nMemWidth, m_nMemHeight) + QSize(2 * kRims, 2 * kRims);
    const QSize oldSize = size();
    setMinimumSize(std::min(frame.width() - kRims + kExtraWidth, kExtraWidth + 120),
                   std::min(frame.height() - kRims + kExtraHeight, kExtraHeight + 120));
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(frame.width() - kRims + kExtraWidth, frame.height() - kRims + kExtraHeight);
    if (isWindow()) {
        move(pos() + QPoint((oldSize.width() - width()) / 2, (oldSize.height() - height()) / 2));
        // A board larger than those of the analysis keeps the dialog on the screen.
        if (sizing.fitted) {
            const QRect room = anchor->screen()->availableGeometry();
            move(std::clamp(x(), room.left(), std::max(room.left(), room.right() - width())),
                 std::clamp(y(), room.top(), std::max(room.top(), room.bottom() - height())));
        }
    }
    OnSize(0, width(), height());
    // A small colour board's dialog grows to show the palette below the buttons.
    if (m_pPalette && m_nColumnBottom > height()) {
        setMinimumHeight(m_nColumnBottom);
        resize(width(), m_nColumnBottom);
    }
    m_pBoardView->show();
}

void CPlaygame::CreateImage() {
    // Cells smaller than the usual 20 pixels leave less margin than the frame's rims take:
    // the image keeps the margin of 20-pixel cells so that the grid's outer lines stay in it.
    m_nMemWidth = std::max(m_layout.Width(), m_layout.GridRight() + kPlayCellSize / 2) - 2 * kRims;
    m_nMemHeight =
        std::max(m_layout.Height(), m_layout.GridBottom() + kPlayCellSize / 2) - 2 * kRims;
    // Nothing is drawn until the view shows it: a large board at a large zoom is drawn where
    // the player looks.
    m_bmpBoard.Image() = QImage(m_nMemWidth, m_nMemHeight, QImage::Format_RGB32);
    m_drawn = QRegion();
    m_pBoardView->SetImage(&m_bmpBoard.Image(), {m_layout.GridLeft(), m_layout.GridTop()});
}

QSize CPlaygame::FrameFor(QSize room) const {
    // The whole board when the room holds it, else what room there is, with a scroll bar's
    // width more across a board that scrolls the other way.
    const QSize full(m_nMemWidth + 2 * kRims, m_nMemHeight + 2 * kRims);
    const int bar = m_pBoardView->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int w = std::min(full.width(), room.width()), h = std::min(full.height(), room.height());
    for (int k = 0; k < 2; ++k) {
        if (w < full.width())
            h = std::min(full.height() + bar, room.height());
        if (h < full.height())
            w = std::min(full.width() + bar, room.width());
    }
    return {w, h};
}

void CPlaygame::LayOutBoard(int cx, int cy) {
    if (!m_pBoardView)
        return;
    const QSize frame = FrameFor({std::max(cx - kExtraWidth + kRims, 4 * kRims),
                                  std::max(cy - kExtraHeight + kRims, 4 * kRims)});
    m_ctlBoard->resize(frame);
    m_pBoardView->setGeometry(
        QRect(m_ctlBoard->pos() + QPoint(kRims, kRims), frame - QSize(2 * kRims, 2 * kRims)));
}

void CPlaygame::GrowForBoard() {
    if (!isWindow())
        return;
    const QSize want(m_nMemWidth + kRims + kExtraWidth, m_nMemHeight + kRims + kExtraHeight);
    const QSize room = ScreenRoom(parentWidget() ? parentWidget() : this);
    const QSize grown = size().expandedTo(want.boundedTo(room));
    if (grown == size())
        return;
    resize(grown);
    if (screen()) {
        const QRect area = screen()->availableGeometry();
        move(std::clamp(x(), area.left(), std::max(area.left(), area.right() - width())),
             std::clamp(y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
}

void CPlaygame::ZoomBy(int steps, std::optional<QPoint> focus) {
    int cell = m_layout.CellSize();
    for (; steps > 0; --steps) {
        const int* next = std::upper_bound(std::begin(kZoomCells), std::end(kZoomCells), cell);
        if (next != std::end(kZoomCells))
            cell = *next;
    }
    for (; steps < 0; ++steps) {
        const int* next = std::lower_bound(std::begin(kZoomCells), std::end(kZoomCells), cell);
        if (next != std::begin(kZoomCells))
            cell = *(next - 1);
    }
    ZoomTo(cell, focus);
}

void CPlaygame::ZoomTo(int cellSize, std::optional<QPoint> focus) {
    if (!IsPlayable() || !m_pBoardView || cellSize == m_layout.CellSize())
        return;
    // The grid point under the focus, in cells, stays under it.
    const QPoint at = focus.value_or(m_pBoardView->viewport()->rect().center());
    const QPoint image = m_pBoardView->ImagePoint(at);
    const double column = double(image.x() - m_layout.GridLeft()) / m_layout.CellSize();
    const double row = double(image.y() - m_layout.GridTop()) / m_layout.CellSize();
    m_layout = BoardLayout::ForPuzzle(m_pDoc->GetPuzzle(), cellSize);
    CreateImage();
    GrowForBoard();
    OnSize(0, width(), height());
    m_pBoardView->ScrollTo(
        {m_layout.GridLeft() + static_cast<int>(std::lround(column * cellSize)) - at.x(),
         m_layout.GridTop() + static_cast<int>(std::lround(row * cellSize)) - at.y()});
    update();
}

void CPlaygame::ScrollToCell(CellPos cell) {
    if (!m_pBoardView)
        return;
    // The cell with a cell of room around it.
    const CPoint corner = m_layout.CellCorner(cell);
    const int c = m_layout.CellSize();
    m_pBoardView->EnsureVisible(QRect(corner.x - c, corner.y - c, 3 * c + 1, 3 * c + 1));
}

void CPlaygame::EnsureDrawn(const QRect& rect) {
    const QRegion missing = QRegion(rect & m_bmpBoard.Image().rect()) - m_drawn;
    if (missing.isEmpty())
        return;
    const BoardScene scene = Scene();
    for (const QRect& r : missing) {
        const CRect area{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
        if (IsPlayable())
            DrawBoardArea(m_dcMem, scene, area);
        else
            m_dcMem.FillSolidRect(area, kFaceColor);
    }
    m_drawn += missing;
}

bool CPlaygame::ThickFifthLines() const {
    return m_pThickLines && m_pThickLines->isChecked();
}

std::optional<ClueSlotRef> CPlaygame::ClueUnder(CPoint point) const {
    if (!IsPlayable() || !m_pBoardView)
        return std::nullopt;
    const QPoint shown = m_pBoardView->viewport()->mapFrom(this, QPoint(point.x, point.y));
    if (!m_pBoardView->viewport()->rect().contains(shown))
        return std::nullopt;
    return m_layout.ClueSlotAt(BoardPoint(point), m_pDoc->GetPuzzle());
}

void CPlaygame::ToggleStrike(const ClueSlotRef& ref) {
    m_strikes.Toggle(ref);
    RedrawArea(ref.column ? m_layout.ColumnClueStrip(ref.line) : m_layout.RowClueStrip(ref.line));
}

void CPlaygame::SetHighlight(std::optional<CellPos> cell) {
    if (cell == m_highlight)
        return;
    const std::optional<CellPos> old = std::exchange(m_highlight, cell);
    // Only the strips whose tint changes: the rows and columns of the old and new cells.
    const int c = m_layout.CellSize();
    const auto row = [&](int r) {
        const int top = m_layout.GridTop() + r * c;
        RedrawArea({0, top, m_nMemWidth, top + c + 1});
    };
    const auto column = [&](int k) {
        const int left = m_layout.GridLeft() + k * c;
        RedrawArea({left, 0, left + c + 1, m_nMemHeight});
    };
    if (old && (!cell || cell->row != old->row))
        row(old->row);
    if (old && (!cell || cell->column != old->column))
        column(old->column);
    if (cell && (!old || cell->row != old->row))
        row(cell->row);
    if (cell && (!old || cell->column != old->column))
        column(cell->column);
}
