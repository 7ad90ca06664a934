// The window "拡大表示": the puzzle of the puzzle panel drawn again with cells large enough for
// its clue numbers to be read, however large the puzzle, in a window of its own that can be
// resized and scrolled.  It stays open beside the form and follows its puzzle (Refresh).
#pragma once

#include <QDialog>
#include <QImage>

#include "model/board_layout.h"

class CNGMDoc;
class QLabel;
class QScrollArea;

// The cells of the larger view, in which a clue of two digits reads as well as one.
constexpr int kZoomCellSize = 16;

class CPuzzleZoomDialog : public QDialog {
    Q_OBJECT
public:
    CPuzzleZoomDialog(const CNGMDoc* doc, QWidget* parent);
    // Draws the document's puzzle again; without one the window says so.
    void Refresh();
    // Draws the puzzle and brings the window to the front; a window not yet open is sized to
    // the board, within most of the screen of `form`.
    void OpenFor(QWidget* form);
    // What is shown: the board and where its parts lie (empty without a puzzle).
    const QImage& Board() const { return m_board; }
    const BoardLayout& Layout() const { return m_layout; }
    QScrollArea* ScrollArea() const { return m_pScroll; }

private:
    const CNGMDoc* m_pDoc;
    QScrollArea* m_pScroll;
    QLabel* m_pLabel;
    QImage m_board;
    BoardLayout m_layout;
};
