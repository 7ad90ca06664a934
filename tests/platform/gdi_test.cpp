// Pixel rules of the drawing surfaces the panels use: line ends and clipping.  Wide round pens
// and exclusive-or are the DrawBox's, checked pixel by pixel by its tests; text in its opaque
// box is checked on the binary panel's label and the puzzle panel's clues.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/gdi.h"

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

}  // namespace
