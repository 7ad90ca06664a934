// The puzzle panel: where each clue number lies and what it shows, clipping at the panel's
// edges, and the grid lines over the numbers with their accent every fifth cell.
#include "construct/result_panel.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include "analysis_support.h"
#include "construct/clue_rule.h"

namespace {

constexpr int c = kResultCellSize;

CFont ClueFont() {
    CFont font;
    font.CreateFont(c, 0, 0, 0, 400, false, false, false, 128, 0, 0, 0, 0,
                    QStringLiteral("MS P明朝"));
    return font;
}

TEST(ResultPanel, ClueFontIsTheSubstitutedMincho) {
    EXPECT_EQ(QFontInfo(ClueFont().Font()).family(), QStringLiteral("IPAPMincho"));
}

TEST(ResultPanel, CluePositions) {
    const struct {
        bool column;
        int n, line, slot, count;
        CPoint expected;
    } cases[] = {
        // N = 5, L/2 = 17: column slots go up from y = 17, single digits move right by 2.
        {true, 5, 0, 0, 1, {19, 17}},
        {true, 5, 0, 1, 2, {19, 10}},
        // Row slots go left from x = L/2 - c: the third starts at -2.
        {false, 5, 4, 2, 1, {-2, 52}},
        // N = 20, L/2 = 70: 10 and 20 are not shifted; slot 9 reaches x = 2 and y = 7.
        {false, 20, 0, 0, 20, {63, 77}},
        {false, 20, 1, 9, 1, {2, 84}},
        {true, 20, 19, 9, 1, {70 + 133 + 2, 7}},
        {true, 20, 0, 0, 10, {70, 70}},
        {true, 20, 0, 0, 9, {72, 70}},
    };
    for (const auto& t : cases) {
        const CPoint p = t.column ? ColumnCluePosition(t.n, t.line, t.slot, c, t.count)
                                  : RowCluePosition(t.n, t.line, t.slot, c, t.count);
        EXPECT_EQ(p, t.expected) << (t.column ? "column " : "row ") << t.line << " slot " << t.slot
                                 << " of " << t.n;
    }
}

// Horizontal line k at y = L/2 + (k+1)c and vertical line k at x = L/2 + kc, one pixel short
// of their ends, the closing lines with the pen of line N - 1; the accents are lines 5, 10, 15.
COLORREF ExpectedGridPixel(int n, int x, int y) {
    const int L = n * c, half = L / 2;
    auto pen = [&](int k) {
        k = k < n ? k : n - 1;
        return k == 5 || k == 10 || k == 15 ? kGridAccentColor : kGridLineColor;
    };
    if (x >= half && (x - half) % c == 0 && (x - half) / c <= n && y < 3 * L / 2 + c)
        return pen((x - half) / c);
    if (y >= half + c && (y - half) % c == 0 && (y - half) / c - 1 <= n && x < 3 * L / 2)
        return pen((y - half) / c - 1);
    return kFaceColor;
}

// The clues of the expected puzzle: each clue the rule gives, written alone by TextOut at its
// slot in the order the panel draws them (columns, then rows).
void DrawReferenceClues(Surface& reference, const ColumnBuffer& grid, int n) {
    CFont font = ClueFont();
    CDC& dc = reference.dc;
    dc.SelectObject(&font);
    dc.SetBkColor(kFaceColor);
    for (bool column : {true, false}) {
        for (int k = 0; k < n; ++k) {
            const std::vector<int> clues = column ? ColumnClues(grid, n, k) : RowClues(grid, n, k);
            for (int s = 0; s < static_cast<int>(clues.size()); ++s) {
                const CPoint p = column ? ColumnCluePosition(n, k, s, c, clues[s])
                                        : RowCluePosition(n, k, s, c, clues[s]);
                const QString text = QString::number(clues[s]);
                dc.TextOut(p.x, p.y, text);
                const CRect box = dc.TextExtent(text);
                EXPECT_GT(CountColor(dc, p.x, p.y, p.x + box.Width(), p.y + box.Height(), 0), 0)
                    << "no text for " << clues[s] << " at " << p.x << "," << p.y;
            }
        }
    }
}

TEST(ResultPanel, PuzzlesOfFiveTenAndTwenty) {
    // N = 5: column 0 reads 1 then 2 upwards; row 1 has three runs, the third clipped at
    // x = -2; an empty row and column show the single 0.
    const ColumnBuffer five = GridFromRows({
        {1, 0, 0, 0, 0},
        {1, 0, 1, 0, 1},
        {0, 1, 0, 0, 1},
        {1, 1, 1, 0, 1},
        {0, 0, 0, 0, 0},
    });
    const ColumnBuffer ten =
        MakeBuffer(10, 10, [](int i, int j) { return (i * i + 3 * j + i * j) % 5 < 2 ? 1 : 0; });
    // N = 20: row 0 is one 20, row 1 ten 1s (slot 9 at x = 2), column 19 ten 1s (slot 9 at
    // y = 7), and the 20 of column 18 reaches over the next vertical line.
    const ColumnBuffer twenty = MakeBuffer(20, 20, [](int i, int j) {
        return j == 0 || i == 18 || (j == 1 && i % 2 == 0) || (i == 19 && j % 2 == 0);
    });
    const std::pair<const ColumnBuffer&, int> cases[] = {{five, 5}, {ten, 10}, {twenty, 20}};
    for (const auto& [grid, n] : cases) {
        SCOPED_TRACE(::testing::Message() << "n " << n);
        Surface panel(240, 240), reference(240, 240);
        DrawPuzzle(panel.dc, grid, n);
        DrawReferenceClues(reference, grid, n);
        // The grid lines go whole over the numbers.
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 240; ++x) {
                const COLORREF line = ExpectedGridPixel(n, x, y);
                ASSERT_EQ(panel.at(x, y), line != kFaceColor ? line : reference.at(x, y))
                    << x << "," << y;
            }
        }
    }
}

}  // namespace
