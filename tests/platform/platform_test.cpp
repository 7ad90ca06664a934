// The platform layer.  Pixel rules of the drawing surfaces the panels use: line ends and
// clipping.  Wide round pens and exclusive-or are the DrawBox's, checked pixel by pixel by its
// tests; text in its opaque box is checked on the binary panel's label and the puzzle panel's
// clues.  Scroll codes: the step table, and a real scroll bar reporting codes for clicks.  Qt's
// own texts in Japanese.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QTest>
#include <set>
#include <utility>

#include "platform/gdi.h"
#include "platform/qt_texts.h"
#include "platform/scroll_codes.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(200, 10, 20);

struct Surface {
    explicit Surface(int w = 30, int h = 30, COLORREF fill = kWhite) {
        bmp.CreateBitmap(w, h);
        dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, w, h, fill);
    }
    Pixels Line(CPoint a, CPoint b) {
        CPen pen(PS_SOLID, 1, kInk);
        dc.SelectObject(&pen);
        dc.MoveTo(a);
        dc.LineTo(b);
        dc.SelectObject(static_cast<CPen*>(nullptr));
        return Of(kInk);
    }
    Pixels Of(COLORREF c) const {
        Pixels out;
        for (int y = 0; y < dc.Height(); ++y)
            for (int x = 0; x < dc.Width(); ++x)
                if (dc.GetPixel(x, y) == c)
                    out.insert({x, y});
        return out;
    }
    CBitmap bmp;
    CDC dc;
};

TEST(Lines, OnePixelPenCoversStartButNotEnd) {
    const struct {
        CPoint a, b;
        Pixels expected;
    } cases[] = {
        {{2, 3}, {6, 3}, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        {{4, 9}, {4, 5}, {{4, 9}, {4, 8}, {4, 7}, {4, 6}}},
        {{0, 0}, {4, 4}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {{7, 7}, {7, 7}, {}},  // zero length: nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.a.x << "," << c.a.y << " -> " << c.b.x << "," << c.b.y);
        Surface s;
        EXPECT_EQ(s.Line(c.a, c.b), c.expected);
        EXPECT_EQ(s.dc.GetCurrentPosition(), c.b);
    }
}

TEST(Surface, ClipAndTheSurfaceLimitLinesFillsAndPixels) {
    Surface s(20, 20);
    s.dc.SetClipRect(CRect{0, 0, 8, 8});
    const Pixels line = s.Line({0, 2}, {19, 2});
    EXPECT_EQ(line.size(), 8u);
    EXPECT_TRUE(line.count({7, 2}));
    s.dc.FillSolidRect(5, 5, 10, 10, RGB(1, 1, 1));
    EXPECT_EQ(s.Of(RGB(1, 1, 1)).size(), 9u);  // 5..7 x 5..7
    EXPECT_EQ(s.dc.SetPixel(9, 9, kInk), CLR_INVALID);
    s.dc.SetClipRect(CRect{});
    EXPECT_EQ(s.dc.GetPixel(9, 9), kWhite);
    EXPECT_EQ(s.dc.GetPixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(s.dc.GetPixel(20, 0), CLR_INVALID);
    CDC empty;
    empty.FillSolidRect(0, 0, 10, 10, kInk);  // nothing selected: no effect, no crash
    EXPECT_EQ(empty.GetPixel(0, 0), CLR_INVALID);
}

// The line and page steps themselves are applied through the bar below.
TEST(ApplyScrollCode, StepsEndsAndClamping) {
    EXPECT_EQ(ApplyScrollCode(SB_PAGELEFT, 5, 0, 0, 255), 0);
    EXPECT_EQ(ApplyScrollCode(SB_PAGERIGHT, 250, 0, 0, 255), 255);
    EXPECT_EQ(ApplyScrollCode(SB_THUMBPOSITION, 10, 77, 0, 255), 77);
    EXPECT_EQ(ApplyScrollCode(SB_THUMBTRACK, 10, 77, 0, 255), 10);
    EXPECT_EQ(ApplyScrollCode(SB_LEFT, 10, 0, 0, 255), 0);
    EXPECT_EQ(ApplyScrollCode(SB_RIGHT, 10, 0, 0, 255), 255);
}

TEST(ScrollCodeBar, ArrowClickReportsLineThenEndAndLeavesPositionToOwner) {
    ScrollCodeBar bar(nullptr);
    bar.setRange(0, 255);
    bar.resize(200, 16);
    bar.show();
    QList<std::pair<int, int>> seen;
    QObject::connect(&bar, &ScrollCodeBar::scrolled, [&](int code, int pos) {
        seen.append({code, pos});
    });

    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(195, 8));
    ASSERT_GE(seen.size(), 2);
    EXPECT_EQ(seen.first().first, SB_LINERIGHT);
    EXPECT_EQ(seen.last().first, SB_ENDSCROLL);
    // Nobody set a new position, so the bar stays where it was.
    EXPECT_EQ(bar.value(), 0);

    // An owner that applies the code moves it: the keys too send codes.  (A click through the
    // form's threshold bar is the view's test.)
    QObject::connect(&bar, &ScrollCodeBar::scrolled, [&](int code, int pos) {
        bar.SetScrollPos(ApplyScrollCode(code, bar.GetScrollPos(), pos, 0, 255));
    });
    QTest::keyClick(&bar, Qt::Key_PageDown);
    EXPECT_EQ(bar.value(), 10);
    QTest::keyClick(&bar, Qt::Key_Left);
    EXPECT_EQ(bar.value(), 9);
}

// Qt's own file dialog speaks Japanese once the translation is installed: its labels are
// taken from the translation, not left in English.
TEST(QtTexts, FileDialogLabelsAreJapanese) {
    ASSERT_TRUE(InstallQtJapaneseTexts());
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), QStringLiteral("開く(&O)"));
    QFileDialog dialog(nullptr, QString(), QString());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    bool japaneseLabel = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        japaneseLabel |= label->text().contains(QStringLiteral("ファイル"));
    EXPECT_TRUE(japaneseLabel);
}

}  // namespace
