// A shown (never modal) play dialog over a document whose answer the test writes; the board
// is addressed in image pixels and driven with real mouse, key and timer events.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMouseEvent>
#include <QTest>
#include <QTimerEvent>
#include <memory>
#include <string>
#include <vector>

#include "app/ngm_doc.h"
#include "platform/message_box.h"
#include "play/playgame.h"

namespace playtest {

constexpr COLORREF kFace = RGB(236, 233, 216), kDark = RGB(50, 50, 50), kRed = RGB(255, 0, 0),
                   kGrid = RGB(0, 105, 145), kFifth = RGB(200, 0, 105), kClue = RGB(70, 150, 70),
                   kGreen = RGB(50, 255, 50), kClock = RGB(0, 160, 105);
constexpr int kCell = 20;

enum Look { Blank, Dark, Cross, Other };

class PlayTest : public ::testing::Test {
protected:
    CNGMDoc doc;
    std::unique_ptr<CPlaygame> dlg;

    void TearDown() override { dlg.reset(); }

    // rows[j][i] == '#' makes cell (i, j) black.  The play grid starts full of marks, as an
    // earlier game may have left it.
    void Open(const std::vector<std::string>& rows) {
        dlg.reset();
        const int n = static_cast<int>(rows.size());
        doc.m_nGridSize = n;
        doc.m_ppAnswerGrid.Allocate(n, n);
        doc.m_ppPlayGrid.Allocate(n, n);
        doc.m_ppPlayGrid.Fill(1);
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < n; ++i)
                doc.m_ppAnswerGrid[i][j] = rows[j][i] == '#';
        }
        dlg = std::make_unique<CPlaygame>();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        Settle();
    }
    void OpenBlank(int n) { Open(std::vector<std::string>(n, std::string(n, '.'))); }
    // Lets requested repaints happen (the platform spaces them a frame apart).
    static void Settle() { QTest::qWait(50); }

    int Half() const { return doc.m_nGridSize * kCell / 2; }
    int Left(int col) const { return Half() + col * kCell; }
    int Top(int row) const { return Half() + (row + 1) * kCell; }
    // The dialog point showing image pixel (x, y): frame border, then the image at (1, 1) of
    // the frame's client area.
    QPoint At(int x, int y) const {
        return dlg->m_ctlBoard->geometry().topLeft() + QPoint(2 + x, 2 + y);
    }
    QPoint Cell(int col, int row) const { return At(Left(col) + 10, Top(row) + 10); }

    void Click(Qt::MouseButton b, QPoint p, Qt::KeyboardModifiers m = {}) {
        QTest::mouseClick(dlg.get(), b, m, p);
    }
    void Move(QPoint p, Qt::MouseButtons buttons, Qt::KeyboardModifiers m = {}) {
        QMouseEvent e(QEvent::MouseMove, p, dlg->mapToGlobal(QPointF(p)), Qt::NoButton, buttons, m);
        QCoreApplication::sendEvent(dlg.get(), &e);
    }
    void ClickButton(int id) {
        QTest::mouseClick(qobject_cast<QAbstractButton*>(dlg->GetDlgItem(id)), Qt::LeftButton);
    }
    void Tick(int times) {
        for (int i = 0; i < times; ++i) {
            QTimerEvent e(dlg->ClockTimerId());
            QCoreApplication::sendEvent(dlg.get(), &e);
        }
    }

    COLORREF Px(int x, int y) const { return dlg->m_dcMem.GetPixel(x, y); }
    int Mark(int col, int row) const { return doc.m_ppPlayGrid[col][row]; }
    int Count(int x0, int y0, int x1, int y1, COLORREF color) const {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x)
                n += Px(x, y) == color;
        }
        return n;
    }
    // Mistake-colour pixels of a cell (136 for a full frame).
    int Frame(int col, int row) const {
        return Count(Left(col), Top(row), Left(col) + kCell + 1, Top(row) + kCell + 1, kGreen);
    }
    // What a cell's interior shows, leaving out a mistake frame's band if asked to.
    Look CellLook(int col, int row, bool skipBand = false) const {
        bool face = true, dark = true, cross = true;
        for (int i = 1; i < kCell; ++i) {
            for (int j = 1; j < kCell; ++j) {
                if (skipBand && (i < 3 || j < 3 || i > kCell - 3 || j > kCell - 3))
                    continue;
                const COLORREF p = Px(Left(col) + i, Top(row) + j);
                face = face && p == kFace;
                dark = dark && p == kDark;
                cross = cross && p == (i == j || i + j == kCell - 1 ? kRed : kFace);
            }
        }
        return face ? Blank : dark ? Dark : cross ? Cross : Other;
    }
};

}  // namespace playtest
