// Scroll codes: the step table, and a real scroll bar reporting codes for clicks.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "platform/scroll_codes.h"

namespace {

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

}  // namespace
