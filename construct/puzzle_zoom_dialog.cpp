#include "construct/puzzle_zoom_dialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "render/result_panel.h"
#include "session/ngm_doc.h"

CPuzzleZoomDialog::CPuzzleZoomDialog(const CNGMDoc* doc, QWidget* parent)
    : QDialog(parent), m_pDoc(doc), m_pScroll(new QScrollArea(this)), m_pLabel(new QLabel) {
    m_pLabel->setAlignment(Qt::AlignCenter);
    m_pScroll->setWidget(m_pLabel);
    m_pScroll->setWidgetResizable(true);
    m_pScroll->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pScroll);
    setSizeGripEnabled(true);
}

void CPuzzleZoomDialog::Refresh() {
    if (!m_pDoc->HasPuzzle()) {
        m_board = QImage();
        m_layout = BoardLayout();
        m_pLabel->setPixmap(QPixmap());
        m_pLabel->setText(tr("パズルがありません。"));
        setWindowTitle(tr("拡大表示"));
        return;
    }
    const Puzzle& puzzle = m_pDoc->GetPuzzle();
    m_layout = BoardLayout::ForPuzzle(puzzle, kZoomCellSize);
    CBitmap bitmap;
    bitmap.CreateBitmap(m_layout.Width(), m_layout.Height());
    {
        CDC dc;
        CBitmap* old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, m_layout.Width(), m_layout.Height(), kFaceColor);
        DrawPuzzle(dc, puzzle, m_layout);
        dc.SelectObject(old);
    }
    m_board = bitmap.Image();
    m_pLabel->setText(QString());
    m_pLabel->setPixmap(QPixmap::fromImage(m_board));
    setWindowTitle(tr("拡大表示 - %1").arg(QString::fromStdString(puzzle.title)));
}

void CPuzzleZoomDialog::OpenFor(QWidget* form) {
    Refresh();
    // As large as the board needs, within most of the screen; the rest scrolls.
    if (!isVisible()) {
        const QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
        const QSize room = screen ? screen->availableGeometry().size() * 9 / 10 : QSize(800, 600);
        const int frame = 2 * m_pScroll->frameWidth();
        QSize wanted = m_board.isNull() ? QSize(320, 240) : m_board.size() + QSize(frame, frame);
        // A board taller than the room takes a vertical scroll bar, which needs its width beside
        // the board, and the other way round.
        if (wanted.height() > room.height())
            wanted.rwidth() += m_pScroll->verticalScrollBar()->sizeHint().width();
        if (wanted.width() > room.width())
            wanted.rheight() += m_pScroll->horizontalScrollBar()->sizeHint().height();
        resize(wanted.boundedTo(room).expandedTo(QSize(240, 160)));
    }
    show();
    raise();
    activateWindow();
}
