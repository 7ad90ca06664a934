// A horizontal scroll bar that reports what the user did as scroll codes and leaves the
// position to its owner: the owner's handler computes the new position and sets it.
//   line left/right: arrow click or arrow key; page left/right: click in the shaft or PgUp/Dn;
//   thumb track: every move while the thumb is dragged (the position does not follow until
//   release); thumb position: the thumb released at a new place (pos carries it);
//   left/right: Home/End; end scroll: the mouse button released or the key let go.
#pragma once

#include <QScrollBar>

constexpr int SB_LINELEFT = 0;
constexpr int SB_LINERIGHT = 1;
constexpr int SB_PAGELEFT = 2;
constexpr int SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_LEFT = 6;
constexpr int SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;

// New position for a scroll code: the step of each code from pos, nPos for a thumb position,
// the ends for left/right, unchanged otherwise; clamped to [lower, upper].
int ApplyScrollCode(int code, int pos, int nPos, int lower, int upper);

class ScrollCodeBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollCodeBar(QWidget* parent);
    // Sets the position without disturbing a thumb drag in progress.
    void SetScrollPos(int pos);
    int GetScrollPos() const { return value(); }

signals:
    void scrolled(int code, int pos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void OnAction(int action);
};
