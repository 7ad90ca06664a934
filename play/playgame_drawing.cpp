// The play dialog's drawing: the board image kept up to date cell by cell, and the clock.
#include "play/playgame.h"

#include <QPaintEvent>
#include <QPainter>

#include "play/board_view.h"
#include "session/ngm_doc.h"

namespace {

// The clock's group box in template 133.
constexpr int IDC_PLAY_TIME = 1028;

constexpr COLORREF kClockColor = RGB(0, 160, 105);

}  // namespace

// ---- Painting ------------------------------------------------------------------------------

void CPlaygame::paintEvent(QPaintEvent* event) {
    // The board view is a child that paints the image itself; a paint of all it shows draws
    // the board again from the model first (OnPaint).  A clock tick repaints only the clock,
    // which leaves the board alone, and a paint of the board leaves the clock alone.
    if (!event->region().intersects(ClockRect()))
        return;
    QPainter painter(this);
    PaintClock(painter);
}

void CPlaygame::OnPaint() {
    if (m_bFirstPaint || !m_bmpBoard.IsCreated())
        return;
    DrawBoard();
}

void CPlaygame::PaintClock(QPainter& painter) {
    const QRect r = ClockRect();
    painter.fillRect(r, ToQColor(kFaceColor));
    painter.setPen(ToQColor(kClockColor));
    // Plain pixels in the clock colour, as the board's texts.
    QFont clockFont = font();
    clockFont.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(clockFont);
    painter.drawText(r, Qt::AlignRight | Qt::AlignTop, ClockText());
}

QRect CPlaygame::ClockRect() const {
    const QWidget* box = m_controls.Item(IDC_PLAY_TIME);
    if (!box)
        return QRect();
    // Inside the group box, below its caption, clear of its frame.
    const QRect g = box->geometry();
    const int top = box->fontMetrics().height() + 2;
    return QRect(g.left() + 5, g.top() + top, g.width() - 10, g.height() - top - 4);
}

void CPlaygame::DrawBoard() {
    // The marks come from the board, so nothing that happens to the image loses them.  What
    // the view shows is drawn now, the rest when it comes into view.
    m_drawn = QRegion();
    if (m_pBoardView) {
        for (const BoardView::Piece& piece : m_pBoardView->Pieces())
            EnsureDrawn(piece.source);
    }
    // The pass after the image was created or blanked paints once more.
    if (m_bRedrawPending) {
        update();
        m_bRedrawPending = 0;
    }
}

BoardScene CPlaygame::Scene() const {
    BoardScene scene;
    scene.layout = &m_layout;
    scene.puzzle = &m_pDoc->GetPuzzle();
    scene.board = &m_pDoc->GetPlayBoard();
    scene.finishedRows = &m_finishedRows;
    scene.finishedColumns = &m_finishedColumns;
    scene.mistakes = &m_mistakes;
    scene.fillColors = &m_fillColors;
    scene.hint = m_hint;
    if (m_bCursorShown && !IsChecked())
        scene.cursor = m_cursor;
    if (!IsChecked())
        scene.highlight = m_highlight;
    scene.thickFifthLines = ThickFifthLines();
    scene.strikes = &m_strikes;
    scene.glyphs = m_pGlyphs.get();
    return scene;
}

void CPlaygame::RedrawArea(const CRect& area) {
    if (!IsPlayable() || area.IsEmpty() || !m_pBoardView)
        return;
    // Drawn now where the view shows it, and where it does not when it comes into view.
    const QRect rect(area.left, area.top, area.Width(), area.Height());
    m_drawn -= rect;
    for (const BoardView::Piece& piece : m_pBoardView->Pieces())
        EnsureDrawn(rect & piece.source);
    m_pBoardView->UpdateImageRect(rect);
}

void CPlaygame::UpdateFinishedLines() {
    const bool playable = IsPlayable();
    m_finishedRows.assign(static_cast<std::size_t>(playable ? m_layout.Rows() : 0), 0);
    m_finishedColumns.assign(static_cast<std::size_t>(playable ? m_layout.Columns() : 0), 0);
    if (!playable)
        return;
    const PlayBoard& board = m_pDoc->GetPlayBoard();
    for (int row = 0; row < m_layout.Rows(); ++row)
        m_finishedRows[row] = board.FormsClue(m_pDoc->GetPuzzle(), {false, row});
    for (int col = 0; col < m_layout.Columns(); ++col)
        m_finishedColumns[col] = board.FormsClue(m_pDoc->GetPuzzle(), {true, col});
}

void CPlaygame::ShowChanges(const std::vector<MarkChange>& changes) {
    if (changes.empty() || !IsPlayable())
        return;
    std::vector<CRect> areas;
    if (m_hint) {
        areas.push_back(m_layout.CellInside(*m_hint));
        m_hint.reset();
    }
    const PlayBoard& board = m_pDoc->GetPlayBoard();
    const Puzzle& puzzle = m_pDoc->GetPuzzle();
    for (const MarkChange& change : changes) {
        areas.push_back(m_layout.CellInside(change.cell));
        // A clue changes colour only when its line's state flips.
        std::uint8_t& row = m_finishedRows[change.cell.row];
        if (const bool done = board.FormsClue(puzzle, {false, change.cell.row}); done != row) {
            row = done;
            areas.push_back(m_layout.RowClueStrip(change.cell.row));
        }
        std::uint8_t& column = m_finishedColumns[change.cell.column];
        if (const bool done = board.FormsClue(puzzle, {true, change.cell.column}); done != column) {
            column = done;
            areas.push_back(m_layout.ColumnClueStrip(change.cell.column));
        }
    }
    for (const CRect& area : areas)
        RedrawArea(area);
}
