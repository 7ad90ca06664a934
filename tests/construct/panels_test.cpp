// The puzzle panel: where each clue number lies and what it shows, clipping at the panel's
// edges, and the grid lines over the numbers with their accent every fifth cell.  What the
// binary and preview panels of the form view show in test and play mode.  (The input picture's
// drawing is checked with the loading of pictures.)  Binarization (the band [lower, upper) on the
// plain mean of the three samples, the layout of the planes, the light-blue pixels of the binary
// panel, the gray sums) against a plain reference; the reduction to blocks is checked pixel by
// pixel in the analysis tests.
#include "render/result_panel.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>
#include <utility>

#include "analysis/binarize.h"
#include "formats/puzzle_sheet.h"
#include "model/colour_contrast.h"
#include "render/binary_panel.h"
#include "render/block_panels.h"
#include "render/workbench_drawing.h"

#include "analysis_support.h"
#include "support/puzzles.h"

namespace {

constexpr int c = kResultCellSize;

CFont ClueFont() {
    CFont font;
    font.CreateFont(c, 0, 0, 0, 400, false, false, false, 128, 0, 0, 0, 0,
                    QStringLiteral("MS P明朝"));
    return font;
}

// Horizontal line k at y = L/2 + (k+1)c and vertical line k at x = L/2 + kc, one pixel short
// of their ends; the accents are the inner lines 5, 10 and 15, never the closing lines.
COLORREF ExpectedGridPixel(int n, int x, int y) {
    const int L = n * c, half = L / 2;
    auto pen = [&](int k) {
        return (k == 5 || k == 10 || k == 15) && k < n ? kGridAccentColor : kGridLineColor;
    };
    if (x >= half && (x - half) % c == 0 && (x - half) / c <= n && y < 3 * L / 2 + c)
        return pen((x - half) / c);
    if (y >= half + c && (y - half) % c == 0 && (y - half) / c - 1 <= n && x < 3 * L / 2)
        return pen((y - half) / c - 1);
    return kFaceColor;
}

// The clues of the expected puzzle: each clue number, written alone by TextOut at its slot in
// the order the panel draws them (columns, then rows).
void DrawReferenceClues(Surface& reference, const Puzzle& puzzle) {
    CFont font = ClueFont();
    CDC& dc = reference.dc;
    dc.SelectObject(&font);
    dc.SetBkColor(kFaceColor);
    const BoardLayout layout(puzzle.width, puzzle.height, c);
    for (bool column : {true, false}) {
        for (int k = 0; k < puzzle.width; ++k) {
            const std::vector<int> clues = ClueSlots(column ? puzzle.columns[k] : puzzle.rows[k]);
            for (int s = 0; s < static_cast<int>(clues.size()); ++s) {
                const CPoint p = column ? layout.ColumnCluePosition(k, s, clues[s])
                                        : layout.RowCluePosition(k, s, clues[s]);
                const QString text = QString::number(clues[s]);
                dc.TextOut(p.x, p.y, text);
                const CRect box = dc.TextExtent(text);
                EXPECT_GT(CountColor(dc, p.x, p.y, p.x + box.Width(), p.y + box.Height(), 0), 0)
                    << "no text for " << clues[s] << " at " << p.x << "," << p.y;
            }
        }
    }
}

TEST(ResultPanel, PuzzlesOfFiveAndTwenty) {
    ASSERT_EQ(QFontInfo(ClueFont().Font()).family(), QStringLiteral("IPAPMincho"));
    // N = 5: column 0 reads 1 then 2 upwards; row 1 has three runs, the third clipped at
    // x = -2; an empty row and column show the single 0.
    const int five[5][5] = {
        {1, 0, 0, 0, 0}, {1, 0, 1, 0, 1}, {0, 1, 0, 0, 1}, {1, 1, 1, 0, 1}, {0, 0, 0, 0, 0},
    };
    // N = 20: row 0 is one 20, row 1 ten 1s (slot 9 at x = 2), column 19 ten 1s (slot 9 at
    // y = 7), and the 20 of column 18 reaches over the next vertical line.
    const Puzzle puzzles[] = {
        PuzzleOf(5, 5, [&](int i, int j) { return five[j][i]; }),
        PuzzleOf(20, 20,
                 [](int i, int j) {
                     return j == 0 || i == 18 || (j == 1 && i % 2 == 0) || (i == 19 && j % 2 == 0);
                 }),
    };
    for (const Puzzle& puzzle : puzzles) {
        const int n = puzzle.width;
        SCOPED_TRACE(::testing::Message() << "n " << n);
        Surface panel(240, 240), reference(240, 240);
        DrawPuzzle(panel.dc, puzzle);
        DrawReferenceClues(reference, puzzle);
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

// A puzzle too large for the panel's own cells is drawn to fit it, and on those smaller cells a
// number never runs into its neighbours: beside the two-digit clue of the first column the
// second column's "1" looks exactly as the third's, and the bottom row's single clue 30 leaves
// the slots left of it empty; cells too small for a readable number show none.
TEST(ShrunkPuzzlePanel, TwoDigitNumbersStayOutOfTheirNeighbours) {
    for (const auto& [width, height] :
         {std::pair{30, 17}, std::pair{35, 20}, std::pair{40, 25}, std::pair{50, 50}}) {
        SCOPED_TRACE(::testing::Message() << width << "x" << height);
        std::vector<std::uint8_t> cells(width * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                cells[y * width + x] = x == 0 || y == height - 1;
        const Puzzle puzzle = Puzzle::FromGrid(width, height, cells);
        Surface panel(232, 274);
        const BoardLayout layout = PanelLayout(puzzle, 232, 274);
        ASSERT_LT(layout.CellSize(), kResultCellSize);
        DrawPuzzle(panel.dc, puzzle, layout);
        const int c = layout.CellSize();
        const CRect second = layout.ColumnClueStrip(1);
        int black = 0;
        for (int y = 0; y < second.bottom; ++y) {
            for (int x = second.left; x < second.right; ++x) {
                ASSERT_EQ(panel.at(x, y), panel.at(x + c, y)) << x << "," << y;
                black += panel.at(x, y) == RGB(0, 0, 0);
            }
        }
        // The "1" is there on cells of 5 pixels and more; smaller ones show no numbers.
        EXPECT_EQ(black > 0, c >= 5) << c;
        const CRect bottom = layout.RowClueStrip(height - 1);
        for (int y = bottom.top; y < bottom.bottom; ++y)
            for (int x = 0; x < layout.GridLeft() - c; ++x)
                ASSERT_NE(panel.at(x, y), RGB(0, 0, 0)) << x << "," << y;
    }
}

// A colour puzzle in every drawing of the making side: in the puzzle panel (its own cells and
// cells fitted larger) and the workbench's puzzle each clue number stands on a swatch of its
// colour, in white on the dark blue and in black on the yellow; the block panel and the editor
// show the cells in their colours; the undecided mark stays yellow on the dark blue and turns
// dark on white and on yellow, where yellow would not show.
TEST(ColourPanels, SwatchesCellsAndUndecidedMarksInThePaletteColours) {
    constexpr std::uint32_t kYellow = 0xf0e010, kBlue = 0x102080;
    // Row 0: yellow then blue touching; row 1: one blue; the rest background.
    std::vector<std::uint8_t> cells(25, 0);
    cells[0] = cells[1] = 1;
    cells[2] = 2;
    cells[7] = 2;
    const Puzzle puzzle = Puzzle::FromColourGrid(5, 5, cells, {0xffffff, kYellow, kBlue});
    auto swatch = [&](const QImage& image, QRect slot, std::uint32_t rgb) {
        int fill = 0, ink = 0;
        const QRgb text = ClueTextColour(rgb).rgb();
        for (int y = slot.top(); y <= slot.bottom(); ++y) {
            for (int x = slot.left(); x <= slot.right(); ++x) {
                fill += (image.pixel(x, y) & 0xffffff) == rgb;
                ink += image.pixel(x, y) == text;
            }
        }
        EXPECT_GT(fill, slot.width() * slot.height() / 3) << std::hex << rgb;
        EXPECT_GT(ink, 0) << std::hex << rgb;
    };
    for (const int cell : {kResultCellSize, 14}) {
        SCOPED_TRACE(cell);
        Surface panel(240, 240);
        const BoardLayout layout = BoardLayout::ForPuzzle(puzzle, cell);
        DrawPuzzle(panel.dc, puzzle, layout);
        const QImage& image = panel.bitmap.Image();
        // Row 0's clue reads 2 (yellow) 1 (blue): slot 0 the blue, slot 1 the yellow.
        const int top = layout.GridTop() + 1, left = layout.GridLeft();
        swatch(image, QRect(left - cell + 1, top, cell - 1, cell - 1), kBlue);
        swatch(image, QRect(left - 2 * cell + 1, top, cell - 1, cell - 1), kYellow);
    }
    QImage fitted(300, 300, QImage::Format_RGB32);
    fitted.fill(Qt::white);
    const FittedBoard board = FitBoard(puzzle, fitted.rect());
    ClueGlyphs glyphs;
    {
        QPainter painter(&fitted);
        DrawFittedPuzzle(painter, puzzle, board, glyphs);
    }
    const int c = board.grid.cell;
    swatch(fitted, QRect(board.grid.left - c + 1, board.grid.top + 1, c - 1, c - 1), kBlue);
    swatch(fitted, QRect(board.grid.left - 2 * c + 1, board.grid.top + 1, c - 1, c - 1), kYellow);

    // The editor: cells 0 (yellow), 2 (blue) and 4 (white) undecided.
    QImage editor(200, 200, QImage::Format_RGB32);
    editor.fill(Qt::gray);
    const GridPlacement at = PlaceGrid(5, 5, editor.rect());
    std::vector<std::uint8_t> undecided(25, 0);
    undecided[0] = undecided[2] = undecided[4] = 1;
    {
        QPainter painter(&editor);
        DrawEditorGrid(painter, at, puzzle, &undecided, nullptr);
    }
    auto editorAt = [&](int i, int dx) {
        return editor.pixel(at.left + i * at.cell + at.cell / 2 + dx, at.top + at.cell / 2) &
               0xffffff;
    };
    EXPECT_EQ(editorAt(1, 0), kYellow);
    EXPECT_EQ(editorAt(2, at.cell / 3), kBlue);
    EXPECT_EQ(editorAt(2, 0), 0xffdc00u);
    for (const int i : {0, 4})
        EXPECT_GE(ContrastRatio(editorAt(i, 0), puzzle.palette[cells[i]]), 2.0) << i;

    // The block panel, in test mode, over blocks of 10 pixels.
    const BlockDivision division = CanvasDivision(5, 5, 50, 50);
    Surface blocks(60, 60), binary(60, 60);
    const ColumnBuffer answer =
        MakeBuffer(5, 5, [&](int i, int j) { return cells[j * 5 + i] != 0; });
    DrawBlockPanels(answer, division, true, blocks.dc, binary.dc, &puzzle);
    DrawUndecidedMarks(undecided, division, blocks.dc, &puzzle);
    EXPECT_EQ(blocks.at(13, 3), RGB(0xf0, 0xe0, 0x10));
    EXPECT_EQ(blocks.at(23, 3), RGB(0x10, 0x20, 0x80));
    EXPECT_EQ(blocks.at(33, 13), RGB(255, 255, 255));
    EXPECT_EQ(blocks.at(25, 5), kUndecidedMarkColor);
    EXPECT_NE(blocks.at(5, 5), kUndecidedMarkColor);
    EXPECT_NE(blocks.at(45, 5), kUndecidedMarkColor);
    EXPECT_NE(blocks.at(45, 5), RGB(255, 255, 255));
}

// Test, play, then test mode again on a 240 x 240 picture of 12-pixel blocks: the solution
// under the block lines in test mode; in play mode only the lines and the label, on its own
// opaque box over them.  Every line stops one pixel short of its end, so the corner (240, 240)
// stays empty.  The puzzle panel is the same in both modes.
TEST_F(ViewTest, TestModeShowsTheSolutionPlayModeOnlyLinesAndTheLabel) {
    constexpr int kSize = 240, kSide = 12;
    // Block (i, j) of 12 pixels, a cell of the N = 20 grid, is dark or white.
    auto dark = [](int i, int j) { return (i + 2 * j) % 5 < 2; };
    PutPicture(kSize, [&](int x, int y) {
        const int v = dark(x / kSide, y / kSide) ? 30 : 255;
        return Rgb{v, v, v};
    });
    auto onLine = [](int x, int y) {
        return (x % kSide == 0 && x <= kSize && y < kSize) ||
               (y % kSide == 0 && y <= kSize && x < kSize);
    };
    CFont* none = nullptr;
    view.m_dcBinary.SelectObject(none);
    const CRect extent = view.m_dcBinary.TextExtent(QStringLiteral("INVISIBLE"));
    const CRect label{10, 10, 10 + extent.Width(), 10 + extent.Height()};
    QImage puzzle;
    for (bool testMode : {true, false, true}) {
        SCOPED_TRACE(testMode ? "test mode" : "play mode");
        Analyze(testMode);
        for (CDC* dc : {&view.m_dcBinary, &view.m_dcPreview}) {
            const COLORREF solution = dc == &view.m_dcBinary ? kBinaryPixelColor : kBlockColor;
            int text = 0;
            for (int y = 0; y < dc->Height(); ++y) {
                for (int x = 0; x < dc->Width(); ++x) {
                    const COLORREF p = dc->GetPixel(x, y);
                    if (!testMode && label.Contains(x, y)) {
                        ASSERT_TRUE(p == kInvisibleBkColor || p == kInvisibleTextColor);
                        text += p == kInvisibleTextColor ? 1 : 0;
                    } else if (onLine(x, y)) {
                        ASSERT_EQ(p, RGB(0, 0, 0)) << x << "," << y;
                    } else {
                        const bool black =
                            testMode && x < kSize && y < kSize && dark(x / kSide, y / kSide);
                        ASSERT_EQ(p, black ? solution : kFaceColor) << x << "," << y;
                    }
                }
            }
            EXPECT_EQ(text > 20, !testMode);
        }
        EXPECT_GT(CountColor(view.m_dcResult, 70, 70, 210, 77, RGB(0, 0, 0)), 0);
        if (!puzzle.isNull()) {
            EXPECT_EQ(view.m_bmpResult.Image(), puzzle);
        }
        puzzle = view.m_bmpResult.Image().copy();
    }
}

// Each sample differs, so that reading a wrong column of the planes, swapping x and y or
// weighting the channels shows; the band [101, 102) has pixels on both sides of both its ends.
// With the gray sums: the first pass over the planes makes them, the next passes read them
// alone, and a change of the planes makes the pass read the planes again.  Every band gives
// what the planes give, and every other run (each band both ways) draws the black pixels light
// blue into a panel narrower and taller than the picture, which clips them.
TEST(Binarize, EachPixelFromItsOwnColumnsAndTheGraySumsFollowThePlanes) {
    const int w = 37, h = 40;  // vector lengths and the rest, in every column
    // Channel c of pixel (x, y) is column 3x + c of the planes.
    auto sample = [](int x, int y, int c) { return (x * 37 + y * 11 + c * 101) % 256; };
    ColumnBuffer planes =
        MakeBuffer(3 * w, h, [&](int x, int y) { return sample(x / 3, y, x % 3); });
    auto black = [&](int x, int y, int lower, int upper) {
        const int sum = sample(x, y, 0) + sample(x, y, 1) + sample(x, y, 2);
        return sum >= 3 * lower && sum < 3 * upper ? 1 : 0;
    };
    GraySums gray;
    ColumnBuffer binary = MakeBuffer(w, h, [](int, int) { return 7; });
    const std::pair<int, int> bands[] = {{0, 250}, {101, 102}, {-5, 300}, {254, 256}};
    int run = 0;
    for (int pass = 0; pass < 3; ++pass) {
        for (const auto& [lower, upper] : bands) {
            SCOPED_TRACE(::testing::Message()
                         << "pass " << pass << " band " << lower << "," << upper);
            Surface panel(30, 45);
            const bool drawn = (run++ + pass) % 2 == 1;
            const BinaryExtent extent = BinarizePlanes(planes, w, h, lower, upper, binary, &gray);
            if (drawn)
                DrawBinaryPixels(binary, extent, panel.dc);
            ASSERT_TRUE(gray.Match(planes));
            for (int x = 0; x < w; ++x) {
                for (int y = 0; y < 45; ++y) {
                    const int expected = y < h ? black(x, y, lower, upper) : 0;
                    if (y < h) {
                        ASSERT_EQ(binary[x][y], expected) << x << "," << y;
                    }
                    if (x < 30) {
                        ASSERT_EQ(panel.at(x, y),
                                  drawn && expected ? kBinaryPixelColor : kFaceColor)
                            << x << "," << y;
                    }
                }
            }
        }
        // The sums are read, not the planes: a sample changed behind the planes' back does
        // not show (pixel (1, 0) sums to 414 before, 632 after), one written through them does.
        const_cast<std::int32_t*>(std::as_const(planes)[3])[0] = 255;
        BinarizePlanes(planes, w, h, 200, 256, binary, &gray);
        EXPECT_EQ(binary[1][0], 0);
        planes[3][0] = 255;
        EXPECT_FALSE(gray.Match(planes));
        BinarizePlanes(planes, w, h, 200, 256, binary, &gray);
        EXPECT_EQ(binary[1][0], 1);
        planes[3][0] = sample(1, 0, 0);
    }
}

}  // namespace
