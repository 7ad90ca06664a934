// Surfaces, buffers and pixel queries shared by the analysis tests, and a shown form view on
// its own document for the tests that go through the window.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <array>
#include <functional>

#include "construct/ngm_view.h"
#include "image/column_buffer.h"
#include "platform/gdi.h"
#include "platform/scroll_codes.h"
#include "res/dialog_template.h"
#include "session/ngm_doc.h"

// An off-screen image of its own, filled with one colour.
struct Surface {
    Surface(int width, int height, COLORREF fill = kFaceColor) {
        bitmap.CreateBitmap(width, height);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, fill);
    }
    COLORREF at(int x, int y) const { return dc.GetPixel(x, y); }
    CBitmap bitmap;
    CDC dc;
};

// A columns x length buffer with value(x, y) in buf[x][y].
inline ColumnBuffer MakeBuffer(int columns, int length, const std::function<int(int, int)>& value) {
    ColumnBuffer buffer;
    buffer.Allocate(columns, length);
    for (int x = 0; x < columns; ++x) {
        for (int y = 0; y < length; ++y)
            buffer[x][y] = value(x, y);
    }
    return buffer;
}

using Rgb = std::array<int, 3>;

// Number of pixels of colour c in [left, right) x [top, bottom).
inline int CountColor(const CDC& dc, int left, int top, int right, int bottom, COLORREF c) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            count += dc.GetPixel(x, y) == c ? 1 : 0;
    }
    return count;
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.OnInitialUpdate();
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        QCoreApplication::processEvents();
    }

    // Puts a size x size picture (black unless given) into the planes, as a successful load
    // leaves it.
    // 100 x 100 on white, in blocks of 25 pixels: red over blocks 1 and 2 of rows 0 and 1,
    // blue at (1, 2).
    void PutRedAndBlue() {
        PutPicture(100, [](int x, int y) {
            const bool middle = x >= 25 && x < 75;
            return middle && y < 50                         ? Rgb{220, 20, 30}
                   : x >= 25 && x < 50 && y >= 50 && y < 75 ? Rgb{20, 40, 210}
                                                            : Rgb{255, 255, 255};
        });
    }
    void PutPicture(int size, const std::function<Rgb(int, int)>& pixel = {}) {
        view.AllocBuffer(3 * size, size, 1);
        view.AllocBuffer(size, size, 2);
        for (int x = 0; x < 3 * size; ++x) {
            for (int y = 0; y < size; ++y)
                doc.m_ppInputPlanes[x][y] = pixel ? pixel(x / 3, y)[x % 3] : 0;
        }
        view.ApplyPicturePresentState();
    }
    // Analyses in test or play mode.
    void Analyze(bool testMode) {
        CheckDlgButton(view.Controls(), IDC_TEST_MODE, testMode);
        CheckDlgButton(view.Controls(), IDC_PLAY_MODE, !testMode);
        view.OnAnalyze();
    }

    bool Enabled(int id) const { return view.GetDlgItem(id)->isEnabled(); }
    QString Text(int id) const { return GetDlgItemText(view.Controls(), id); }
    ScrollCodeBar* Bar(int id) const { return view.Controls().Get<ScrollCodeBar>(id); }
    void Click(int id) {
        QTest::mouseClick(view.GetDlgItem(id), Qt::LeftButton, {},
                          view.GetDlgItem(id)->rect().center());
    }

    CNGMDoc doc;
    CNGMView view{&doc};
};
