// Pixel rules of the drawing surfaces: line ends, wide round pens, exclusive-or, clipping, text.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/gdi.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct Surface {
    Surface(int w, int h, COLORREF fill = kWhite) {
        bmp.CreateBitmap(w, h);
        dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, w, h, fill);
    }
    std::set<std::pair<int, int>> PixelsOf(COLORREF c) const {
        std::set<std::pair<int, int>> out;
        for (int y = 0; y < dc.Height(); ++y)
            for (int x = 0; x < dc.Width(); ++x)
                if (dc.GetPixel(x, y) == c)
                    out.insert({x, y});
        return out;
    }
    CBitmap bmp;
    CDC dc;
};

TEST(OnePixelLine, CoversStartPixelButNotEndPixel) {
    Surface s(20, 20);
    s.dc.MoveTo(2, 3);
    s.dc.LineTo(6, 3);
    EXPECT_EQ(s.PixelsOf(kBlack), (std::set<std::pair<int, int>>{{2, 3}, {3, 3}, {4, 3}, {5, 3}}));

    Surface v(20, 20);
    v.dc.MoveTo(4, 9);
    v.dc.LineTo(4, 5);  // upwards
    EXPECT_EQ(v.PixelsOf(kBlack), (std::set<std::pair<int, int>>{{4, 9}, {4, 8}, {4, 7}, {4, 6}}));

    Surface d(20, 20);
    d.dc.MoveTo(0, 0);
    d.dc.LineTo(4, 4);
    EXPECT_EQ(d.PixelsOf(kBlack), (std::set<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(d.dc.GetCurrentPosition(), (CPoint{4, 4}));
}

TEST(OnePixelLine, ZeroLengthMarksNothingAndSteepLinesAreConnected) {
    Surface s(20, 20);
    s.dc.MoveTo(7, 7);
    s.dc.LineTo(7, 7);
    EXPECT_TRUE(s.PixelsOf(kBlack).empty());

    Surface t(30, 30);
    t.dc.MoveTo(3, 1);
    t.dc.LineTo(8, 21);
    const auto px = t.PixelsOf(kBlack);
    ASSERT_EQ(px.size(), 20u);  // one pixel per row from 1 to 20
    for (int y = 1; y <= 20; ++y) {
        int inRow = 0;
        for (const auto& p : px)
            inRow += p.second == y;
        EXPECT_EQ(inRow, 1) << "row " << y;
    }
}

TEST(WidePen, ZeroLengthLineIsDiscOfPenWidth) {
    Surface s(20, 20);
    CPen pen(PS_SOLID, 5, RGB(255, 0, 0));
    s.dc.SelectObject(&pen);
    s.dc.MoveTo(10, 10);
    s.dc.LineTo(10, 10);
    const auto px = s.PixelsOf(RGB(255, 0, 0));
    EXPECT_EQ(px.size(), 21u);
    // Five across through the centre, both ways, and round corners.
    for (int d = -2; d <= 2; ++d) {
        EXPECT_TRUE(px.count({10 + d, 10})) << d;
        EXPECT_TRUE(px.count({10, 10 + d})) << d;
    }
    EXPECT_FALSE(px.count({7, 10}));
    EXPECT_FALSE(px.count({13, 10}));
    EXPECT_FALSE(px.count({12, 12}));
    EXPECT_TRUE(px.count({12, 11}));

    Surface two(10, 10);
    CPen pen2(PS_SOLID, 2, kBlack);
    two.dc.SelectObject(&pen2);
    two.dc.MoveTo(5, 5);
    two.dc.LineTo(5, 5);
    EXPECT_EQ(two.PixelsOf(kBlack),
              (std::set<std::pair<int, int>>{{4, 4}, {5, 4}, {4, 5}, {5, 5}}));
}

TEST(WidePen, LineHasRoundEndsPastBothPoints) {
    Surface s(40, 20);
    CPen pen(PS_SOLID, 3, kBlack);
    s.dc.SelectObject(&pen);
    s.dc.MoveTo(10, 10);
    s.dc.LineTo(20, 10);
    const auto px = s.PixelsOf(kBlack);
    for (int x = 9; x <= 21; ++x)
        EXPECT_TRUE(px.count({x, 10})) << x;
    EXPECT_FALSE(px.count({8, 10}));
    EXPECT_FALSE(px.count({22, 10}));
    for (int x = 10; x <= 20; ++x) {
        EXPECT_TRUE(px.count({x, 9}));
        EXPECT_TRUE(px.count({x, 11}));
        EXPECT_FALSE(px.count({x, 12}));
    }
}

TEST(RasterMode, ExclusiveOrTwiceRestoresAndShowsComplement) {
    Surface s(20, 20);
    s.dc.SetPixel(5, 5, RGB(10, 20, 30));
    CPen green(PS_SOLID, 1, RGB(0, 255, 0));
    s.dc.SelectObject(&green);
    EXPECT_EQ(s.dc.SetROP2(R2_XORPEN), R2_COPYPEN);
    s.dc.MoveTo(0, 5);
    s.dc.LineTo(10, 5);
    EXPECT_EQ(s.dc.GetPixel(1, 5), RGB(255, 0, 255));  // white xor green is magenta
    EXPECT_EQ(s.dc.GetPixel(5, 5), RGB(10, 20 ^ 255, 30));
    s.dc.MoveTo(0, 5);
    s.dc.LineTo(10, 5);
    EXPECT_EQ(s.dc.GetPixel(1, 5), kWhite);
    EXPECT_EQ(s.dc.GetPixel(5, 5), RGB(10, 20, 30));
}

TEST(Clip, LimitsLinesFillsAndPixels) {
    Surface s(20, 20);
    s.dc.SetClipRect(CRect{0, 0, 8, 8});
    s.dc.MoveTo(0, 2);
    s.dc.LineTo(19, 2);
    const auto px = s.PixelsOf(kBlack);
    EXPECT_EQ(px.size(), 8u);
    EXPECT_TRUE(px.count({7, 2}));
    EXPECT_FALSE(px.count({8, 2}));

    s.dc.FillSolidRect(5, 5, 10, 10, RGB(1, 1, 1));
    EXPECT_EQ(s.PixelsOf(RGB(1, 1, 1)).size(), 9u);  // 5..7 x 5..7
    EXPECT_EQ(s.dc.SetPixel(9, 9, kBlack), CLR_INVALID);
    s.dc.SetClipRect(CRect{});
    EXPECT_EQ(s.dc.GetPixel(9, 9), kWhite);
    EXPECT_EQ(s.dc.GetPixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(s.dc.GetPixel(20, 0), CLR_INVALID);
}

TEST(Surface, ColoursPackRedLowAndSelectObjectHandsBackThePreviousOne) {
    EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
    EXPECT_EQ(GetBValue(RGB(10, 20, 30)), 30);
    CBitmap a, b;
    a.CreateBitmap(4, 4);
    b.CreateBitmap(6, 6);
    CDC dc;
    EXPECT_EQ(dc.SelectObject(&a), nullptr);
    EXPECT_EQ(dc.SelectObject(&b), &a);
    EXPECT_EQ(dc.Width(), 6);
    CDC empty;
    empty.FillSolidRect(0, 0, 10, 10, kBlack);  // nothing selected: no effect, no crash
    EXPECT_EQ(empty.GetPixel(0, 0), CLR_INVALID);
}

TEST(Text, DrawsInsideAnOpaqueBoxInTheBackgroundColour) {
    Surface s(120, 40, kFaceColor);
    CFont font;
    font.CreateFont(14, 0, 0, 0, 400, false, false, false, 128, 0, 0, 0, 0,
                    QStringLiteral("MS P明朝"));
    s.dc.SelectObject(&font);
    s.dc.SetBkColor(RGB(255, 200, 200));
    s.dc.SetTextColor(RGB(240, 100, 100));
    s.dc.TextOut(10, 10, QStringLiteral("12"));
    const CRect box = s.dc.TextExtent(QStringLiteral("12"));
    ASSERT_GT(box.Width(), 0);
    int text = 0, background = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            const COLORREF c = s.dc.GetPixel(x, y);
            const bool inside = x >= 10 && x < 10 + box.Width() && y >= 10 && y < 10 + box.Height();
            if (!inside) {
                EXPECT_EQ(c, kFaceColor) << x << "," << y;
            } else if (c == RGB(240, 100, 100)) {
                ++text;
            } else if (c == RGB(255, 200, 200)) {
                ++background;
            }
        }
    }
    EXPECT_GT(text, 5);
    EXPECT_GT(background, text);
}

}  // namespace
