// What the binary and preview panels of the form view show in test and play mode.  (The input
// picture's drawing is checked with the loading of pictures.)
#include "analysis_support.h"
#include "render/binary_panel.h"
#include "render/block_panels.h"
#include "render/result_panel.h"

namespace {

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

}  // namespace
