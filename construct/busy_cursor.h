// The wait cursor while the view reads or works through a large picture, and the message box
// it shows meanwhile: the user answers a box with the ordinary cursor.
#pragma once

#include <QCursor>
#include <QGuiApplication>
#include <QString>

#include "platform/message_box.h"

class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// AppMessageBox with the ordinary cursor; the busy cursors on before it are back after it.
inline int UserMessageBox(const QString& text, unsigned flags) {
    int busy = 0;
    for (; QGuiApplication::overrideCursor(); ++busy)
        QGuiApplication::restoreOverrideCursor();
    const int answer = AppMessageBox(text, flags);
    for (; busy > 0; --busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    return answer;
}
