// A shown (never modal) play dialog over a document whose answer the test writes, with
// helpers that address the board in image pixels and send real mouse events to the dialog.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/ngm_doc.h"
#include "platform/gdi.h"
#include "play/playgame.h"

namespace playtest {

constexpr COLORREF kFace = RGB(236, 233, 216);
constexpr COLORREF kDark = RGB(50, 50, 50);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrid = RGB(0, 105, 145);
constexpr COLORREF kFifth = RGB(200, 0, 105);
constexpr COLORREF kClue = RGB(70, 150, 70);
constexpr COLORREF kGreen = RGB(50, 255, 50);
constexpr COLORREF kClock = RGB(0, 160, 105);
constexpr int kCell = 20;

enum class Look { Blank, Dark, Cross, Other };

inline const char* LookName(Look look) {
    switch (look) {
        case Look::Blank:
            return "blank";
        case Look::Dark:
            return "dark";
        case Look::Cross:
            return "cross";
        default:
            return "other";
    }
}

class PlayDialogTest : public ::testing::Test {
protected:
    CNGMDoc doc;
    std::unique_ptr<CPlaygame> dlg;

    void TearDown() override {
        dlg.reset();
        QCoreApplication::processEvents();
    }

    // rows[j][i] == '#' makes cell (i, j) black; the play grid is filled with junk so that
    // the dialog has to clear it.
    void SetAnswer(const std::vector<std::string>& rows) {
        const int n = static_cast<int>(rows.size());
        doc.m_nGridSize = n;
        doc.m_ppAnswerGrid.Allocate(n, n);
        doc.m_ppPlayGrid.Allocate(n, n);
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < n; ++i)
                doc.m_ppAnswerGrid[i][j] = rows[j][i] == '#' ? 1 : 0;
        }
        doc.m_ppPlayGrid.Fill(1);
    }
    void SetBlankAnswer(int n) { SetAnswer(std::vector<std::string>(n, std::string(n, '.'))); }

    void Open() {
        dlg = std::make_unique<CPlaygame>();
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        Settle();
    }
    // Lets the requested repaints happen (the platform spaces them one frame apart).
    static void Settle() { QTest::qWait(50); }
    void ClickButton(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }

    int N() const { return doc.m_nGridSize; }
    int Half() const { return N() * kCell / 2; }
    // Top-left grid corner of a cell in image pixels.
    int CellLeft(int col) const { return Half() + col * kCell; }
    int CellTop(int row) const { return Half() + (row + 1) * kCell; }

    // The dialog point that shows image pixel (x, y): the frame's one-pixel border, then the
    // image at (1, 1) of its client area.
    QPoint ClientOf(int x, int y) const {
        return dlg->m_ctlBoard->geometry().topLeft() + QPoint(2, 2) + QPoint(x, y);
    }
    QPoint CellPoint(int col, int row, int dx = 10, int dy = 10) const {
        return ClientOf(CellLeft(col) + dx, CellTop(row) + dy);
    }

    void Click(Qt::MouseButton button, QPoint p, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(dlg.get(), button, mods, p);
    }
    void Move(QPoint p, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = {}) {
        QMouseEvent move(QEvent::MouseMove, p, dlg->mapToGlobal(QPointF(p)), Qt::NoButton, buttons,
                         mods);
        QCoreApplication::sendEvent(dlg.get(), &move);
    }

    QAbstractButton* Button(int id) const {
        return qobject_cast<QAbstractButton*>(dlg->GetDlgItem(id));
    }

    COLORREF Pixel(int x, int y) const { return dlg->m_dcMem.GetPixel(x, y); }
    int Mark(int col, int row) const { return doc.m_ppPlayGrid[col][row]; }

    // What the interior of a cell shows, apart from a mistake frame's band when frames is
    // true.
    Look CellLook(int col, int row, bool frames = false) const {
        bool allFace = true, allDark = true, cross = true;
        for (int i = 1; i < kCell; ++i) {
            for (int j = 1; j < kCell; ++j) {
                if (frames && (i < 3 || j < 3 || i > kCell - 3 || j > kCell - 3))
                    continue;
                const COLORREF p = Pixel(CellLeft(col) + i, CellTop(row) + j);
                const bool diagonal = i == j || i + j == kCell - 1;
                allFace = allFace && p == kFace;
                allDark = allDark && p == kDark;
                cross = cross && p == (diagonal ? kRed : kFace);
            }
        }
        if (allFace)
            return Look::Blank;
        if (allDark)
            return Look::Dark;
        if (cross)
            return Look::Cross;
        return Look::Other;
    }

    // Number of band pixels of a cell in the mistake colour (136 for a full frame).
    int FramePixels(int col, int row) const {
        int count = 0;
        for (int i = 0; i <= kCell; ++i) {
            for (int j = 0; j <= kCell; ++j) {
                if (Pixel(CellLeft(col) + i, CellTop(row) + j) == kGreen)
                    ++count;
            }
        }
        return count;
    }

    // Pixels of a colour in a rectangle of the board image.
    int CountColor(int x0, int y0, int x1, int y1, COLORREF color) const {
        int count = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                if (Pixel(x, y) == color)
                    ++count;
            }
        }
        return count;
    }
};

}  // namespace playtest
