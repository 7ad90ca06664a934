#include "platform/scroll_codes.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

int ApplyScrollCode(int code, int pos, int nPos, int lower, int upper) {
    int p = pos;
    switch (code) {
        case SB_LINELEFT:
            p = pos - 1;
            break;
        case SB_LINERIGHT:
            p = pos + 1;
            break;
        case SB_PAGELEFT:
            p = pos - 10;
            break;
        case SB_PAGERIGHT:
            p = pos + 10;
            break;
        case SB_THUMBPOSITION:
            p = nPos;
            break;
        case SB_LEFT:
            p = lower;
            break;
        case SB_RIGHT:
            p = upper;
            break;
        default:
            break;  // thumb track, end scroll: unchanged
    }
    return std::clamp(p, lower, upper);
}

ScrollCodeBar::ScrollCodeBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    setTracking(false);
    setSingleStep(1);
    setPageStep(10);
    connect(this, &QAbstractSlider::actionTriggered, this, &ScrollCodeBar::OnAction);
    connect(this, &QAbstractSlider::sliderMoved, this,
            [this](int) { emit scrolled(SB_THUMBTRACK, sliderPosition()); });
}

void ScrollCodeBar::SetScrollPos(int pos) {
    if (value() != pos || (!isSliderDown() && sliderPosition() != pos))
        setValue(pos);
}

void ScrollCodeBar::OnAction(int action) {
    // Qt has already moved the slider position by its own step; the owner decides instead,
    // starting from the value the bar held before the action.
    const int before = value();
    int code = -1;
    switch (action) {
        case SliderSingleStepSub:
            code = SB_LINELEFT;
            break;
        case SliderSingleStepAdd:
            code = SB_LINERIGHT;
            break;
        case SliderPageStepSub:
            code = SB_PAGELEFT;
            break;
        case SliderPageStepAdd:
            code = SB_PAGERIGHT;
            break;
        case SliderToMinimum:
            code = SB_LEFT;
            break;
        case SliderToMaximum:
            code = SB_RIGHT;
            break;
        case SliderMove:
            code = SB_THUMBPOSITION;
            break;
        default:
            break;
    }
    if (code < 0)
        return;
    const int target = sliderPosition();
    setSliderPosition(before);
    emit scrolled(code, code == SB_THUMBPOSITION ? target : before);
}

void ScrollCodeBar::keyPressEvent(QKeyEvent* event) {
    // Left and up step towards the minimum, right and down towards the maximum, whatever
    // direction Qt's scroll bars take for the wheel.
    SliderAction action = SliderNoAction;
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            action = SliderSingleStepSub;
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            action = SliderSingleStepAdd;
            break;
        case Qt::Key_PageUp:
            action = SliderPageStepSub;
            break;
        case Qt::Key_PageDown:
            action = SliderPageStepAdd;
            break;
        case Qt::Key_Home:
            action = SliderToMinimum;
            break;
        case Qt::Key_End:
            action = SliderToMaximum;
            break;
        default:
            QScrollBar::keyPressEvent(event);
            return;
    }
    triggerAction(action);
    event->accept();
}

void ScrollCodeBar::mouseReleaseEvent(QMouseEvent* event) {
    QScrollBar::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit scrolled(SB_ENDSCROLL, value());
}

void ScrollCodeBar::keyReleaseEvent(QKeyEvent* event) {
    QScrollBar::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) {
        switch (event->key()) {
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
            case Qt::Key_Home:
            case Qt::Key_End:
                emit scrolled(SB_ENDSCROLL, value());
                break;
            default:
                break;
        }
    }
}
