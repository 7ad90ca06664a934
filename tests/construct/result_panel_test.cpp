// The puzzle panel: where each clue number lies and what it shows, clipping at the panel's
// edges, and the grid lines with their accent every fifth cell.
#include "construct/result_panel.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <set>
#include <vector>

#include "analysis_support.h"
#include "construct/clue_rule.h"

namespace {

constexpr int c = 7;

CFont ClueFont() {
    CFont font;
    font.CreateFont(7, 0, 0, 0, 400, false, false, false, 128, 0, 0, 0, 0,
                    QStringLiteral("MS P明朝"));
    return font;
}

// The box TextOut fills for a clue number at pos.
CRect ClueBox(CPoint pos, int count) {
    CFont font = ClueFont();
    Surface scratch(1, 1);
    scratch.dc().SelectObject(&font);
    const CRect extent = scratch.dc().TextExtent(QString::number(count));
    return CRect{pos.x, pos.y, pos.x + extent.Width(), pos.y + extent.Height()};
}

bool IsGridLineColor(COLORREF p) {
    return p == kGridLineColor || p == kGridAccentColor;
}

// The panel shows `count` at pos: inside its box, the rows between the neighbouring slots
// (a box is a pixel taller than a slot) match the number written alone at pos in the clue
// font, except where grid lines cross, and at least one text pixel is visible.
::testing::AssertionResult ShowsNumber(const CDC& panel, CPoint pos, int count) {
    CFont font = ClueFont();
    Surface reference(panel.Width(), panel.Height());
    reference.dc().SelectObject(&font);
    reference.dc().SetBkColor(kFaceColor);
    reference.dc().TextOut(pos.x, pos.y, QString::number(count));
    const CRect box = ClueBox(pos, count);
    int text = 0;
    for (int y = box.top + 1; y < box.top + c - 1; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            const COLORREF p = panel.GetPixel(x, y);
            if (p == CLR_INVALID || IsGridLineColor(p))
                continue;
            const COLORREF expected = reference.at(x, y);
            if (p != expected) {
                return ::testing::AssertionFailure()
                       << count << " at " << pos.x << "," << pos.y << ": pixel " << x << "," << y
                       << " is " << std::hex << p << " not " << expected;
            }
            text += expected == RGB(0, 0, 0) ? 1 : 0;
        }
    }
    if (text == 0) {
        return ::testing::AssertionFailure()
               << "no text visible for " << count << " at " << pos.x << "," << pos.y;
    }
    return ::testing::AssertionSuccess();
}

int TextPixels(const CDC& panel, int left, int top, int right, int bottom) {
    return CountColor(panel, left, top, right, bottom, RGB(0, 0, 0));
}

ColumnBuffer GridFromRows(const std::vector<std::vector<int>>& rows) {
    const int n = static_cast<int>(rows.size());
    ColumnBuffer grid;
    grid.Allocate(n, n);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i)
            grid[i][j] = rows[j][i];
    }
    return grid;
}

TEST(ResultPanel, ClueFontIsTheSubstitutedMincho) {
    EXPECT_EQ(QFontInfo(ClueFont().Font()).family(), QStringLiteral("IPAPMincho"));
}

TEST(ResultPanel, CluePositions) {
    // N = 5: L/2 = 17.  Column slots go up from y = 17, single digits move right by 2.
    EXPECT_EQ(ColumnCluePosition(5, 0, 0, c, 1), (CPoint{19, 17}));
    EXPECT_EQ(ColumnCluePosition(5, 0, 1, c, 2), (CPoint{19, 10}));
    EXPECT_EQ(ColumnCluePosition(5, 4, 0, c, 0), (CPoint{17 + 28 + 2, 17}));
    // Row slots go left from x = L/2 - c; the third run of a row of 5 starts at -2.
    EXPECT_EQ(RowCluePosition(5, 0, 0, c, 1), (CPoint{12, 24}));
    EXPECT_EQ(RowCluePosition(5, 4, 2, c, 1), (CPoint{-2, 52}));
    // N = 20: L/2 = 70; 20 is not shifted; slot 9 reaches x = 0 + 2 and y = 7.
    EXPECT_EQ(RowCluePosition(20, 0, 0, c, 20), (CPoint{63, 77}));
    EXPECT_EQ(RowCluePosition(20, 1, 9, c, 1), (CPoint{2, 84}));
    EXPECT_EQ(ColumnCluePosition(20, 19, 9, c, 1), (CPoint{70 + 133 + 2, 7}));
    EXPECT_EQ(ColumnCluePosition(20, 0, 0, c, 10), (CPoint{70, 70}));
    EXPECT_EQ(ColumnCluePosition(20, 0, 0, c, 9), (CPoint{72, 70}));
}

TEST(ResultPanel, ColumnRunsReadTopDownAboveTheGrid) {
    // Column 0 from top to bottom: 1, 1, 0, 1, 0.  Slot 0 (next to the grid) shows 1, slot 1
    // above it shows 2.
    const ColumnBuffer grid = GridFromRows({
        {1, 0, 0, 0, 0},
        {1, 0, 0, 0, 0},
        {0, 0, 0, 0, 0},
        {1, 0, 0, 0, 0},
        {0, 0, 0, 0, 0},
    });
    Surface panel(120, 120);
    DrawPuzzle(panel.dc(), grid, 5);
    const CPoint slot0 = ColumnCluePosition(5, 0, 0, c, 1);
    const CPoint slot1 = ColumnCluePosition(5, 0, 1, c, 2);
    EXPECT_TRUE(ShowsNumber(panel.dc(), slot0, 1));
    EXPECT_TRUE(ShowsNumber(panel.dc(), slot1, 2));
    // The check tells the numbers apart.
    EXPECT_FALSE(ShowsNumber(panel.dc(), slot0, 2));
    EXPECT_FALSE(ShowsNumber(panel.dc(), slot1, 1));
    // Nothing in slot 2.
    EXPECT_EQ(TextPixels(panel.dc(), 18, 17 - 2 * c, 17 + c, 17 - c), 0);
    // The empty columns show 0 in slot 0 and nothing above it.
    for (int i = 1; i < 5; ++i) {
        EXPECT_TRUE(ShowsNumber(panel.dc(), ColumnCluePosition(5, i, 0, c, 0), 0)) << i;
        EXPECT_EQ(TextPixels(panel.dc(), 18 + i * c, 0, 17 + (i + 1) * c, 17), 0) << i;
    }
}

TEST(ResultPanel, RowCluesOfAFivePuzzleWithClipping) {
    const ColumnBuffer grid = GridFromRows({
        {0, 0, 0, 0, 0},
        {1, 0, 1, 0, 1},
        {1, 1, 0, 1, 1},
        {0, 0, 0, 0, 0},
        {1, 1, 1, 1, 1},
    });
    Surface panel(120, 120);
    DrawPuzzle(panel.dc(), grid, 5);
    const CDC& dc = panel.dc();
    // An empty row: the single 0 in slot 0, nothing further left.
    EXPECT_TRUE(ShowsNumber(dc, RowCluePosition(5, 0, 0, c, 0), 0));
    EXPECT_EQ(TextPixels(dc, 0, 24 + 1, 10, 24 + c), 0);
    // Three runs: slot 2 starts at x = -2 and is cut off at the panel's edge.
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_TRUE(ShowsNumber(dc, RowCluePosition(5, 1, slot, c, 1), 1)) << slot;
    }
    EXPECT_GT(TextPixels(dc, 0, 31 + 1, 2, 31 + c - 1), 0);
    // 2, 2 read left to right; 5 on the full row.
    EXPECT_TRUE(ShowsNumber(dc, RowCluePosition(5, 2, 0, c, 2), 2));
    EXPECT_TRUE(ShowsNumber(dc, RowCluePosition(5, 2, 1, c, 2), 2));
    EXPECT_TRUE(ShowsNumber(dc, RowCluePosition(5, 4, 0, c, 5), 5));
    EXPECT_EQ(TextPixels(dc, 0, 52 + 1, 10, 52 + c - 1), 0);
}

TEST(ResultPanel, TwentyPuzzleEdgeSlots) {
    std::vector<std::vector<int>> rows(20, std::vector<int>(20, 0));
    for (int i = 0; i < 20; ++i)
        rows[0][i] = 1;  // row 0: 20
    for (int i = 0; i < 20; i += 2)
        rows[1][i] = 1;  // row 1: ten runs of 1
    for (int j = 0; j < 20; j += 2)
        rows[j][19] = 1;  // column 19: ten runs of 1
    Surface panel(240, 240);
    DrawPuzzle(panel.dc(), GridFromRows(rows), 20);
    const CDC& dc = panel.dc();
    // 20 is not below 10: no shift.
    EXPECT_TRUE(ShowsNumber(dc, RowCluePosition(20, 0, 0, c, 20), 20));
    EXPECT_EQ(RowCluePosition(20, 0, 0, c, 20).x, 63);
    // The tenth run of row 1 starts at x = 2, the tenth of column 19 at y = 7.
    EXPECT_TRUE(ShowsNumber(dc, CPoint{2, 84}, 1));
    EXPECT_TRUE(ShowsNumber(dc, CPoint{70 + 19 * c + 2, 7}, 1));
    EXPECT_EQ(TextPixels(dc, 0, 0, 240, 7), 0);
    // Column 0 holds rows 0 and 1: a single 2.
    EXPECT_TRUE(ShowsNumber(dc, ColumnCluePosition(20, 0, 0, c, 2), 2));
    EXPECT_EQ(TextPixels(dc, 70, 0, 77, 70), 0);
}

// Every text pixel of a whole puzzle lies in the box of a clue the rule gives, and every box
// holds text.
TEST(ResultPanel, AllTextLiesInTheCluesBoxes) {
    const int n = 10;
    ColumnBuffer grid;
    grid.Allocate(n, n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            grid[i][j] = (i * i + 3 * j + i * j) % 5 < 2 ? 1 : 0;
    }
    Surface panel(200, 200);
    DrawPuzzle(panel.dc(), grid, n);
    std::vector<CRect> boxes;
    for (int k = 0; k < n; ++k) {
        const std::vector<int> column = ColumnClues(grid, n, k);
        for (int s = 0; s < static_cast<int>(column.size()); ++s) {
            const CPoint pos = ColumnCluePosition(n, k, s, c, column[s]);
            EXPECT_TRUE(ShowsNumber(panel.dc(), pos, column[s]));
            boxes.push_back(ClueBox(pos, column[s]));
        }
        const std::vector<int> row = RowClues(grid, n, k);
        for (int s = 0; s < static_cast<int>(row.size()); ++s) {
            const CPoint pos = RowCluePosition(n, k, s, c, row[s]);
            EXPECT_TRUE(ShowsNumber(panel.dc(), pos, row[s]));
            boxes.push_back(ClueBox(pos, row[s]));
        }
    }
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (panel.at(x, y) != RGB(0, 0, 0))
                continue;
            bool inside = false;
            for (const CRect& box : boxes)
                inside = inside || box.Contains(x, y);
            EXPECT_TRUE(inside) << "stray text pixel " << x << "," << y;
        }
    }
    // Nothing is drawn inside the grid's cells: the solution stays hidden.
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const int x = 35 + i * c + 1, y = 35 + (j + 1) * c + 1;
            EXPECT_EQ(CountColor(panel.dc(), x, y, x + c - 1, y + c - 1, kFaceColor),
                      (c - 1) * (c - 1));
        }
    }
}

// Expected colour of each pixel after DrawResultGrid alone: horizontals first, verticals over
// them, every line one pixel short of its end, the closing lines with the pen of line N - 1.
COLORREF ExpectedGridPixel(int n, int x, int y) {
    const int L = n * c, half = L / 2;
    auto pen = [&](int k) {
        return IsAccentLine(k < n ? k : n - 1) ? kGridAccentColor : kGridLineColor;
    };
    if (x >= half && (x - half) % c == 0 && (x - half) / c <= n && y < 3 * L / 2 + c) {
        return pen((x - half) / c);
    }
    if (y >= half + c && (y - half) % c == 0 && (y - half) / c - 1 <= n && x < 3 * L / 2) {
        return pen((y - half) / c - 1);
    }
    return kFaceColor;
}

TEST(ResultPanel, GridLinesWithAnAccentEveryFifthCell) {
    const std::pair<int, std::set<int>> cases[] = {{5, {}}, {10, {5}}, {20, {5, 10, 15}}};
    for (const auto& [n, accents] : cases) {
        Surface panel(240, 240);
        DrawResultGrid(panel.dc(), c, n);
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 240; ++x) {
                ASSERT_EQ(panel.at(x, y), ExpectedGridPixel(n, x, y))
                    << "n " << n << " at " << x << "," << y;
            }
        }
        // Accent lines seen along the left edge (horizontals) and the top edge (verticals).
        const int half = n * c / 2;
        std::set<int> horizontal, vertical;
        for (int k = 0; k <= n; ++k) {
            if (panel.at(0, half + (k + 1) * c) == kGridAccentColor)
                horizontal.insert(k);
            if (panel.at(half + k * c, 0) == kGridAccentColor)
                vertical.insert(k);
        }
        EXPECT_EQ(horizontal, accents) << "n " << n;
        EXPECT_EQ(vertical, accents) << "n " << n;
        // The bottom edge ends one pixel short of the right edge's column, and the right
        // edge one pixel short of the bottom edge's row: the corner stays empty.
        const int right = half + n * c, bottom = half + (n + 1) * c;
        EXPECT_EQ(panel.at(right - 1, bottom), kGridLineColor) << "n " << n;
        EXPECT_EQ(panel.at(right, bottom - 1), kGridLineColor) << "n " << n;
        EXPECT_EQ(panel.at(right, bottom), kFaceColor) << "n " << n;
    }
}

TEST(ResultPanel, LinesGoOverTheNumbers) {
    // A full column of 20 writes "20" from x = L/2 + 19c: its box reaches over the next
    // vertical line, which must be drawn after it.
    ColumnBuffer grid;
    grid.Allocate(20, 20);
    grid.Fill(0);
    for (int j = 0; j < 20; ++j)
        grid[19][j] = 1;
    Surface panel(240, 240);
    DrawPuzzle(panel.dc(), grid, 20);
    const int x = 70 + 20 * c;
    for (int y = 0; y < 3 * 140 / 2 + c; ++y)
        ASSERT_EQ(panel.at(x, y), kGridLineColor) << y;
    EXPECT_TRUE(ShowsNumber(panel.dc(), ColumnCluePosition(20, 19, 0, c, 20), 20));
}

}  // namespace
