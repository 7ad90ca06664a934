// The larger view of the puzzle panel in the form view: a double click on the panel or its
// context menu opens it, and every drawing of the panel's puzzle redraws it while it is open.
// The panel's frame lets the mouse through, so the view takes the panel's clicks.
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>

#include "construct/ngm_view.h"
#include "construct/puzzle_zoom_dialog.h"
#include "session/ngm_doc.h"

bool CNGMView::OverPuzzlePanel(QPoint pos) const {
    return m_stcResult && m_stcResult->geometry().contains(pos);
}

void CNGMView::OnZoomPuzzle() {
    if (!m_pDoc->HasPuzzle())
        return;
    if (!m_pZoomDialog)
        m_pZoomDialog = new CPuzzleZoomDialog(m_pDoc, this);
    m_pZoomDialog->OpenFor(this);
}

void CNGMView::RefreshZoom() {
    if (m_pZoomDialog && m_pZoomDialog->isVisible())
        m_pZoomDialog->Refresh();
}

void CNGMView::FillPuzzlePanelMenu(QMenu& menu) {
    QAction* zoom = menu.addAction(tr("拡大表示"), this, [this] { OnZoomPuzzle(); });
    zoom->setEnabled(m_pDoc->HasPuzzle());
}

void CNGMView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OverPuzzlePanel(event->position().toPoint())) {
        OnZoomPuzzle();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void CNGMView::contextMenuEvent(QContextMenuEvent* event) {
    if (!OverPuzzlePanel(event->pos())) {
        QWidget::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    FillPuzzlePanelMenu(menu);
    menu.exec(event->globalPos());
}

bool CNGMView::event(QEvent* event) {
    // Over a puzzle drawn smaller than the panel's own cells, a tip tells how to read it.
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Puzzle& puzzle = m_pDoc->GetPuzzle();
        if (OverPuzzlePanel(help->pos()) && m_pDoc->HasPuzzle() &&
            (puzzle.width > kLargestAnalysisSide || puzzle.height > kLargestAnalysisSide)) {
            QToolTip::showText(help->globalPos(), tr("ダブルクリックで拡大表示"), this,
                               m_stcResult->geometry());
            return true;
        }
    }
    return QWidget::event(event);
}
