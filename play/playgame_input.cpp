// The play dialog's mouse and keyboard: strokes over the board's cells, the cursor and the
// keys of the board.
#include "play/playgame.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "play/board_view.h"
#include "play/colour_palette.h"
#include "session/ngm_doc.h"

namespace {

unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    unsigned flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= CPlaygame::MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= CPlaygame::MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        flags |= CPlaygame::MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= CPlaygame::MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= CPlaygame::MK_CONTROL;
    return flags;
}

// Ctrl with "+" (or "=", its key unshifted), "-" or 0: the zoom.
bool IsZoomKey(int key) {
    return key == Qt::Key_Plus || key == Qt::Key_Equal || key == Qt::Key_Minus || key == Qt::Key_0;
}

// The keys of the board: arrows (with Shift for a keyboard drag), Space, X, Delete, H, the
// digits 1..9 of a colour puzzle with `colours` colours, and Ctrl with Z, Y, Shift+Z or a zoom
// key.  Enter, Esc, Tab and the rest stay the dialog's.
bool IsBoardKey(int key, Qt::KeyboardModifiers modifiers, int colours) {
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (modifiers & Qt::ControlModifier)
        return key == Qt::Key_Z || (key == Qt::Key_Y && !(modifiers & Qt::ShiftModifier)) ||
               IsZoomKey(key);
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Space:
        case Qt::Key_X:
        case Qt::Key_Delete:
        case Qt::Key_H:
            return true;
        default:
            return colours > 1 && key >= Qt::Key_1 && key <= Qt::Key_9;
    }
}

CPoint ToCPoint(const QPointF& p) {
    const QPoint q = p.toPoint();
    return CPoint{q.x(), q.y()};
}

}  // namespace

// ---- Mouse ---------------------------------------------------------------------------------

CPoint CPlaygame::BoardPoint(CPoint point) const {
    // The view shows the image inside the frame's rims, each part as it is scrolled.
    if (!m_pBoardView) {
        const QPoint origin =
            m_ctlBoard->mapTo(this, m_ctlBoard->ClientRect().topLeft()) + QPoint(1, 1);
        return CPoint{point.x - origin.x(), point.y - origin.y()};
    }
    const QPoint image =
        m_pBoardView->ImagePoint(m_pBoardView->viewport()->mapFrom(this, QPoint(point.x, point.y)));
    return CPoint{image.x(), image.y()};
}

void CPlaygame::StrokeStep(StrokeKind kind, CPoint point) {
    if (IsChecked() || !IsPlayable())
        return;
    const CPoint at = BoardPoint(point);
    const CellPos pointer = m_layout.CellNear(at);
    // A drag keeps to the row or the column of its first step off the pressed cell.
    if (m_dragStart && !m_dragAxis)
        m_dragAxis = DragAxisOf(*m_dragStart, pointer);
    const CellPos to = m_dragAxis ? OnDragLine(*m_dragStart, *m_dragAxis, pointer) : pointer;
    const PlayBoard& board = m_pDoc->GetPlayBoard();
    if (m_dragStart && board.Contains(*m_dragStart)) {
        // The run ends at the board's edge however far beyond it the pointer goes.
        const int along = m_dragAxis == DragAxis::Column
                              ? std::clamp(to.row, 0, board.Height() - 1) - m_dragStart->row
                              : std::clamp(to.column, 0, board.Width() - 1) - m_dragStart->column;
        ShowRunLength(point, std::abs(along) + 1);
    }
    // The pointer's positions in a quick drag lie cells apart: the cells on the line between
    // them take the step too, the one the last position marked excepted.
    const std::vector<CellPos> path =
        m_dragCell ? CellsOnLine(*m_dragCell, to) : std::vector<CellPos>{to};
    m_dragCell = to;
    std::optional<CellPos> last;
    for (std::size_t k = path.size() > 1 ? 1 : 0; k < path.size(); ++k) {
        // The pointer's own cell only from strictly inside the grid's outer lines; a cell the
        // drag holds on its line whenever it is on the board.
        const bool onGrid = k + 1 < path.size() || !(to == pointer) ? board.Contains(path[k])
                                                                    : !!m_layout.CellAt(at);
        if (onGrid) {
            StepOn(kind, path[k]);
            last = path[k];
        }
    }
    // The keyboard goes on from the cell the mouse marked last.
    if (last && !(*last == m_cursor)) {
        const CellPos old = std::exchange(m_cursor, *last);
        if (m_bCursorShown) {
            RedrawArea(m_layout.CellInside(old));
            RedrawArea(m_layout.CellInside(m_cursor));
        }
    }
}

void CPlaygame::ShowRunLength(CPoint point, int length) {
    if (!m_pRunLength) {
        m_pRunLength = new QLabel(this);
        m_pRunLength->setFrameShape(QFrame::Box);
        m_pRunLength->setAutoFillBackground(true);
        m_pRunLength->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_pRunLength->setText(QString::number(length));
    m_pRunLength->adjustSize();
    // Below and right of the pointer, clear of the cell it is on.
    m_pRunLength->move(point.x + 16, point.y + 16);
    m_pRunLength->raise();
    m_pRunLength->show();
}

void CPlaygame::StepOn(StrokeKind kind, CellPos cell, int colour) {
    if (const std::optional<MarkChange> change =
            m_pDoc->GetPlayBoard().Apply(kind, cell, colour > 0 ? colour : ChosenColour()))
        ShowChanges({*change});
}

void CPlaygame::OnLButtonDown(unsigned nFlags, CPoint point) {
    StrokeStep(StrokeOf(MouseButton::Left, nFlags & MK_CONTROL), point);
}

void CPlaygame::OnRButtonDown(unsigned nFlags, CPoint point) {
    StrokeStep(StrokeOf(MouseButton::Right, nFlags & MK_CONTROL), point);
}

void CPlaygame::OnMouseMove(unsigned nFlags, CPoint point) {
    // Dragging repeats the step of the held button.
    if (const auto button = DragButton(nFlags & MK_LBUTTON, nFlags & MK_RBUTTON))
        StrokeStep(StrokeOf(*button, nFlags & MK_CONTROL), point);
}

void CPlaygame::mousePressEvent(QMouseEvent* event) {
    const unsigned flags = MouseFlags(event->buttons(), event->modifiers());
    const CPoint point = ToCPoint(event->position());
    const Qt::MouseButtons board = Qt::LeftButton | Qt::RightButton;
    // A click on a clue number strikes it through or takes the stroke back; it marks no cell,
    // nor does the drag that follows it.
    if ((event->button() & board) && !(event->buttons() & board & ~event->button())) {
        if (const std::optional<ClueSlotRef> clue = ClueUnder(point)) {
            if (event->button() == Qt::LeftButton)
                ToggleStrike(*clue);
            m_bClueClick = true;
            return;
        }
    }
    if (m_bClueClick)
        return;
    // A stroke lasts from the first button pressed until no button is held.
    if ((event->button() & board) && !(event->buttons() & board & ~event->button()) &&
        IsPlayable()) {
        EndKeyDrag();
        m_pDoc->GetPlayBoard().BeginStroke();
        m_dragCell.reset();
    }
    // Each press on the board starts the line a drag keeps to afresh, a second button's too.
    if (event->button() & board) {
        m_dragStart = m_layout.CellNear(BoardPoint(point));
        m_dragAxis.reset();
    }
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(flags, point);
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDown(flags, point);
    } else {
        QDialog::mousePressEvent(event);
    }
}

void CPlaygame::mouseMoveEvent(QMouseEvent* event) {
    const CPoint point = ToCPoint(event->position());
    // The pointer over the grid tints its row and column; anywhere else, none.
    if (IsPlayable() && !IsChecked() && m_pBoardView) {
        const QPoint shown = m_pBoardView->viewport()->mapFrom(this, event->position().toPoint());
        SetHighlight(m_pBoardView->viewport()->rect().contains(shown)
                         ? m_layout.CellAt(BoardPoint(point))
                         : std::nullopt);
    }
    if (!m_bClueClick)
        OnMouseMove(MouseFlags(event->buttons(), event->modifiers()), point);
}

void CPlaygame::leaveEvent(QEvent* event) {
    SetHighlight(std::nullopt);
    QDialog::leaveEvent(event);
}

void CPlaygame::mouseReleaseEvent(QMouseEvent* event) {
    if (m_bClueClick) {
        m_bClueClick = event->buttons() & (Qt::LeftButton | Qt::RightButton);
        return;
    }
    if (!(event->buttons() & (Qt::LeftButton | Qt::RightButton))) {
        m_dragCell.reset();
        m_dragStart.reset();
        m_dragAxis.reset();
        if (m_pRunLength)
            m_pRunLength->hide();
        if (IsPlayable() && !m_bKeyDrag) {
            m_pDoc->GetPlayBoard().EndStroke();
            AutoCheckIfComplete();
        }
    }
    QDialog::mouseReleaseEvent(event);
}

// ---- Keyboard ------------------------------------------------------------------------------

bool CPlaygame::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const int colours = m_pPalette ? m_pPalette->ColourCount() : 1;
        if (type == QEvent::ShortcutOverride) {
            // Ours as plain keys, before any shortcut.
            if (IsBoardKey(key->key(), modifiers, colours)) {
                event->accept();
                return true;
            }
        } else if (IsBoardKey(key->key(), modifiers, colours)) {
            OnBoardKey(key->key(), modifiers);
            return true;
        }
    } else if (type == QEvent::KeyRelease) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Shift)
            EndKeyDrag();
    }
    return QDialog::eventFilter(watched, event);
}

void CPlaygame::OnBoardKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool control = modifiers & Qt::ControlModifier, shift = modifiers & Qt::ShiftModifier;
    if (control) {
        if (key == Qt::Key_Plus || key == Qt::Key_Equal)
            ZoomBy(1);
        else if (key == Qt::Key_Minus)
            ZoomBy(-1);
        else if (key == Qt::Key_0)
            ZoomTo(m_nStartCell);
        else if (key == Qt::Key_Z && !shift)
            OnUndo();
        else
            OnRedo();  // Ctrl+Y, Ctrl+Shift+Z
        return;
    }
    switch (key) {
        case Qt::Key_Left:
            return MoveCursor(-1, 0, shift);
        case Qt::Key_Right:
            return MoveCursor(1, 0, shift);
        case Qt::Key_Up:
            return MoveCursor(0, -1, shift);
        case Qt::Key_Down:
            return MoveCursor(0, 1, shift);
        case Qt::Key_H:
            return OnHint();
        default:
            break;
    }
    // A digit chooses the colour to fill with; one beyond the puzzle's colours does nothing.
    if (key >= Qt::Key_1 && key <= Qt::Key_9) {
        if (m_pPalette)
            m_pPalette->Choose(key - Qt::Key_0);
        return;
    }
    // Space, X and Delete: one step each on the cursor's cell, which they show.
    if (IsChecked() || !IsPlayable())
        return;
    EndKeyDrag();
    m_keyAction = key == Qt::Key_Space ? StrokeKind::Fill
                  : key == Qt::Key_X   ? StrokeKind::Cross
                                       : StrokeKind::Clear;
    if (!m_bCursorShown) {
        m_bCursorShown = true;
        RedrawArea(m_layout.CellInside(m_cursor));
    }
    SetHighlight(m_cursor);
    PlayBoard& board = m_pDoc->GetPlayBoard();
    board.BeginStroke();
    StepOn(m_keyAction, m_cursor);
    board.EndStroke();
    AutoCheckIfComplete();
}

void CPlaygame::MoveCursor(int dx, int dy, bool drag) {
    if (IsChecked() || !IsPlayable())
        return;
    if (!drag)
        EndKeyDrag();
    // The first move only shows the cursor where it is.
    if (!m_bCursorShown) {
        m_bCursorShown = true;
        SetHighlight(m_cursor);
        RedrawArea(m_layout.CellInside(m_cursor));
        return;
    }
    const CellPos next{m_cursor.column + dx, m_cursor.row + dy};
    if (!m_pDoc->GetPlayBoard().Contains(next))
        return;
    const CellPos old = m_cursor;
    m_cursor = next;
    SetHighlight(m_cursor);
    RedrawArea(m_layout.CellInside(old));
    RedrawArea(m_layout.CellInside(m_cursor));
    ScrollToCell(m_cursor);
    if (drag) {
        // Shift + arrows: a drag of the keyboard, one stroke until Shift is released.
        if (!m_bKeyDrag) {
            m_pDoc->GetPlayBoard().BeginStroke();
            m_bKeyDrag = true;
        }
        StepOn(m_keyAction, m_cursor);
    }
}

void CPlaygame::EndKeyDrag() {
    const bool ended = m_bKeyDrag && IsPlayable();
    if (ended)
        m_pDoc->GetPlayBoard().EndStroke();
    m_bKeyDrag = false;
    if (ended)
        AutoCheckIfComplete();
}
