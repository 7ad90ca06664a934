// The widget-free answer check: which cells are wrong, how many, and the frame of a wrong cell.
#include <gtest/gtest.h>

#include "play/answer_check.h"

namespace {

ColumnBuffer Grid(const std::vector<std::string>& rows) {
    const int n = static_cast<int>(rows.size());
    ColumnBuffer g;
    g.Allocate(n, n);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i)
            g[i][j] = rows[j][i] - '0';
    }
    return g;
}

TEST(AnswerCheck, MistakeRule) {
    EXPECT_FALSE(IsMistake(1, 1));  // black, filled
    EXPECT_TRUE(IsMistake(1, 0));   // black, blank or crossed
    EXPECT_TRUE(IsMistake(0, 1));   // white, filled
    EXPECT_FALSE(IsMistake(0, 0));  // white, blank or crossed
}

TEST(AnswerCheck, FindsAndCountsWrongCells) {
    const ColumnBuffer answer = Grid({"110", "001", "100"});
    const ColumnBuffer marks = Grid({"011", "001", "000"});
    // Wrong: (0,0) black left blank, (2,0) white filled, (0,2) black left blank.
    const std::vector<CPoint> cells = FindMistakes(answer, marks, 3);
    const std::vector<CPoint> expected = {{0, 0}, {2, 0}, {0, 2}};
    EXPECT_EQ(cells, expected);
    EXPECT_EQ(CountMistakes(answer, marks, 3), 3);

    EXPECT_EQ(CountMistakes(answer, answer, 3), 0);
    EXPECT_TRUE(FindMistakes(answer, answer, 3).empty());
    // An empty board is wrong exactly at the black cells.
    EXPECT_EQ(CountMistakes(answer, Grid({"000", "000", "000"}), 3), 4);
}

TEST(AnswerCheck, FrameIsATwoPixelBandInsideTheLines) {
    const COLORREF face = RGB(236, 233, 216);
    const COLORREF green = RGB(50, 255, 50);
    CBitmap bmp;
    bmp.CreateBitmap(40, 40);
    CDC dc;
    dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, 40, 40, face);
    DrawMistakeFrame(dc, 10, 10, 20, green);

    int set = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const int i = x - 10, j = y - 10;
            const bool inside = i >= 1 && i <= 19 && j >= 1 && j <= 19;
            const bool band = inside && (i <= 2 || j <= 2 || i >= 18 || j >= 18);
            EXPECT_EQ(dc.GetPixel(x, y), band ? green : face) << x << "," << y;
            if (band)
                ++set;
        }
    }
    EXPECT_EQ(set, 19 * 19 - 15 * 15);
}

}  // namespace
