// A shown DrawBox over a document and a view, driven with mouse events at dialog coordinates.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <memory>
#include <set>
#include <utility>

#include "app/ngm_doc.h"
#include "construct/ngm_view.h"
#include "drawbox/drawbox.h"
#include "drawbox/drawbox_ids.h"
#include "platform/scroll_codes.h"

constexpr COLORREF kWhitePx = RGB(255, 255, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255);  // white XOR the band's green

// Dialog client point of a canvas point: the canvas lies at (100, 50).
inline QPoint At(int x, int y) {
    return QPoint(100 + x, 50 + y);
}

using PixelSet = std::set<std::pair<int, int>>;

// The pixels a round pen of odd width w covers around (cx, cy).
inline PixelSet Disc(int cx, int cy, int w) {
    PixelSet disc;
    for (int dy = -w; dy <= w; ++dy) {
        for (int dx = -w; dx <= w; ++dx) {
            if (4 * (dx * dx + dy * dy) <= w * w)
                disc.insert({cx + dx, cy + dy});
        }
    }
    return disc;
}

inline PixelSet Row(int y, int x0, int x1) {  // (x0..x1-1, y)
    PixelSet row;
    for (int x = x0; x < x1; ++x)
        row.insert({x, y});
    return row;
}

class DrawboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        CDrawbox::ResetRightClickChain();
        OpenDialog();
    }
    // Opens a (new) dialog, as the view does for every "作成(M)".
    void OpenDialog() {
        m_dlg = std::make_unique<CDrawbox>();
        m_dlg->show();
    }
    CDrawbox& Dlg() { return *m_dlg; }

    void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(m_dlg.get(), b, Qt::NoModifier, p);
    }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(m_dlg.get(), b, Qt::NoModifier, p);
    }
    void Click(QPoint p) {
        Press(p);
        Release(p);
    }
    void RightClick(QPoint p) {
        Press(p, Qt::RightButton);
        Release(p, Qt::RightButton);
    }
    // A move with the given buttons held (QTest's own move carries none).
    void Move(QPoint p, Qt::MouseButtons buttons = Qt::LeftButton) {
        QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(m_dlg->mapToGlobal(p)), Qt::NoButton,
                      buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(m_dlg.get(), &e);
    }
    void Drag(QPoint from, QPoint to) {
        Press(from);
        Move(to);
        Release(to);
    }
    void SelectTool(int id) { QTest::mouseClick(m_dlg->GetDlgItem(id), Qt::LeftButton); }
    void SetPenText(const QString& text) {
        SetDlgItemText(m_dlg->Controls(), IDC_DB_PEN_EDIT, text);
    }
    ScrollCodeBar* Bar(int id) { return qobject_cast<ScrollCodeBar*>(m_dlg->GetDlgItem(id)); }
    // A scroll message from one of the colour bars, as the bar sends it.
    void Scroll(int id, int code, int pos = 0) { emit Bar(id)->scrolled(code, pos); }
    QString Text(int id) { return GetDlgItemText(m_dlg->Controls(), id); }

    COLORREF Px(int x, int y) { return m_dlg->GetCanvasPixel(x, y); }
    // Every canvas pixel that is not white.
    PixelSet Marked() {
        PixelSet marked;
        for (int y = 0; y < 260; ++y) {
            for (int x = 0; x < 260; ++x) {
                if (Px(x, y) != kWhitePx)
                    marked.insert({x, y});
            }
        }
        return marked;
    }

    CNGMDoc m_doc;
    CNGMView m_view{&m_doc};
    std::unique_ptr<CDrawbox> m_dlg;
};
