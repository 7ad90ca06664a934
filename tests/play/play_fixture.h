// The play dialog in a test: a puzzle opened in it, the mouse, keys and clock driven through
// real events, and the board image read back cell by cell.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimerEvent>
#include <QWheelEvent>
#include <memory>
#include <string>
#include <vector>

#include "play/board_view.h"
#include "play/colour_palette.h"
#include "play/playgame.h"
#include "render/board_sizing.h"
#include "session/ngm_doc.h"
#include "support/puzzles.h"
#include "support/scripted_ui.h"

namespace play_test {

constexpr COLORREF kFace = RGB(236, 233, 216), kDark = RGB(50, 50, 50), kRed = RGB(255, 0, 0),
                   kGreen = RGB(50, 255, 50);
constexpr int kBand = 136;  // pixels of a two-pixel frame inside a 20-pixel cell
const QString kCongratulation = QStringLiteral("Congratulations!!!\r\n%1秒でクリアです。");

inline QString Mistakes(const char* count, const char* time) {
    return QStringLiteral("間違いが%1個あります。\r\nプレイタイムは%2秒でした。").arg(count, time);
}

class PlayTest : public ::testing::Test {
protected:
    // The puzzle made the document's and played in a new dialog.
    void Open(const Puzzle& puzzle) {
        doc.SetPuzzle(puzzle);
        Reopen();
    }
    // The document's puzzle played again in a new dialog.
    void Reopen() {
        dlg = std::make_unique<CPlaygame>(&doc);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        QTest::qWait(50);  // the repaint the first pass asks for
    }
    // A square puzzle from its rows, '#' black.
    void Open(const std::vector<std::string>& rows) {
        const int n = static_cast<int>(rows.size());
        Open(PuzzleOf(n, n, [&](int x, int y) { return rows[y][x] == '#'; }));
    }

    int Left(int col) const { return dlg->Layout().CellCorner({col, 0}).x; }
    int Top(int row) const { return dlg->Layout().CellCorner({0, row}).y; }
    // The dialog point showing image pixel (x, y): the frame's border, then the image at (1, 1).
    QPoint At(int x, int y) const {
        return dlg->m_ctlBoard->mapTo(dlg.get(), QPoint(2 + x, 2 + y));
    }
    QPoint Cell(int col, int row) const {
        return At(Left(col) + dlg->Layout().CellSize() / 2,
                  Top(row) + dlg->Layout().CellSize() / 2);
    }
    void Click(Qt::MouseButton b, QPoint p, Qt::KeyboardModifiers m = {}) {
        QTest::mouseClick(dlg.get(), b, m, p);
    }
    void Move(QPoint p, Qt::MouseButtons held, Qt::KeyboardModifiers m = {}) {
        QMouseEvent e(QEvent::MouseMove, p, dlg->mapToGlobal(QPointF(p)), Qt::NoButton, held, m);
        QCoreApplication::sendEvent(dlg.get(), &e);
    }
    // A drag with one button, pressed at the path's first point, moved through the others and
    // released at the last.
    void Drag(Qt::MouseButton b, const std::vector<QPoint>& path, Qt::KeyboardModifiers m = {}) {
        QTest::mousePress(dlg.get(), b, m, path.front());
        for (std::size_t k = 1; k < path.size(); ++k)
            Move(path[k], b, m);
        QTest::mouseRelease(dlg.get(), b, m, path.back());
    }
    void Button(int id) { qobject_cast<QAbstractButton*>(dlg->GetDlgItem(id))->click(); }
    void Tick(int times) {
        for (QTimerEvent e(dlg->ClockTimerId()); times > 0; --times)
            QCoreApplication::sendEvent(dlg.get(), &e);
    }
    // A key pressed and released where the keyboard sends it: the dialog or its focused control.
    void Key(int key, Qt::KeyboardModifiers m = {}, QWidget* to = nullptr) {
        QTest::keyClick(to ? to : dlg.get(), Qt::Key(key), m);
    }
    QImage Image() const { return dlg->m_bmpBoard.Image().copy(); }
    // The image as a paint of the whole dialog draws it from the model on a blank image.
    QImage Redrawn() {
        dlg->m_dcMem.FillSolidRect(0, 0, dlg->m_dcMem.Width(), dlg->m_dcMem.Height(), kFace);
        dlg->repaint();
        return Image();
    }
    COLORREF Px(int x, int y) const { return dlg->m_dcMem.GetPixel(x, y); }
    int Count(int x0, int y0, int x1, int y1, COLORREF color) const {
        int n = 0;
        for (int k = 0; k < (x1 - x0) * (y1 - y0); ++k)
            n += Px(x0 + k % (x1 - x0), y0 + k / (x1 - x0)) == color;
        return n;
    }
    // Pixels of a colour in a cell, its lines included.
    int InCell(int col, int row, COLORREF c) const {
        return Count(Left(col), Top(row), Left(col) + 21, Top(row) + 21, c);
    }
    // '.', '#' or 'x' for the model's mark; with `look`, '?' unless the inside shows it.
    char CellLook(int col, int row, bool look = true) const {
        const Mark mark = doc.GetPlayBoard().At({col, row});
        bool face = true, dark = true, cross = true;
        for (int k = 0; k < 19 * 19; ++k) {
            const int i = 1 + k % 19, j = 1 + k / 19;
            const COLORREF p = Px(Left(col) + i, Top(row) + j);
            const bool back = p == kFace || p == kHighlightColor;  // tinted under the pointer
            face = face && back;
            dark = dark && p == kDark;
            cross = cross && (i == j || i + j == 19 ? p == kRed : back);
        }
        const bool shown = mark == Mark::Blank ? face : mark == Mark::Filled ? dark : cross;
        return shown || !look ? ".#x"[static_cast<int>(mark)] : '?';
    }
    std::string Board(bool look = true) const {  // row by row, rows separated by '/'
        std::string s;
        for (int n = doc.GetPuzzle().width, k = 0; k < n * n; ++k)
            s += std::string(k % n == 0 && k > 0 ? "/" : "") + CellLook(k % n, k / n, look);
        return s;
    }

    CNGMDoc doc;
    std::unique_ptr<CPlaygame> dlg;
};

}  // namespace play_test
