// The four panel images through the form view: the copy at (1, 1) inside each panel's rim, and
// what the binary and preview panels show in test and play mode.  (The input picture's drawing
// is checked with the loading of pictures.)
#include "analysis_support.h"
#include "construct/binarize.h"
#include "construct/block_grid.h"
#include "construct/result_panel.h"

namespace {

// Every paint copies the panel images whole at (1, 1) inside each panel's rim.
TEST_F(ViewTest, PanelImagesAreCopiedInsideTheRim) {
    ASSERT_TRUE(view.HasPanelImages());
    const COLORREF marks[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255)};
    CDC* dcs[] = {&view.m_dcInput, &view.m_dcBinary, &view.m_dcPreview, &view.m_dcResult};
    QWidget* panels[] = {view.m_stcInput, view.m_stcBinary, view.m_stcPreview, view.m_stcResult};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dcs[i]->GetPixel(0, 0), kFaceColor);
        dcs[i]->SetPixel(0, 0, marks[i]);
        dcs[i]->SetPixel(dcs[i]->Width() - 1, dcs[i]->Height() - 1, marks[i]);
    }
    view.update();
    const QImage shot = view.grab().toImage();
    for (int i = 0; i < 4; ++i) {
        auto* frame = static_cast<PanelFrame*>(panels[i]);
        const QPoint client = frame->mapTo(&view, frame->ClientRect().topLeft());
        const QRgb mark = ToQColor(marks[i]).rgb();
        EXPECT_EQ(shot.pixel(client + QPoint(1, 1)), mark) << i;
        EXPECT_NE(shot.pixel(client), mark) << i;  // the rim stays the frame's
        EXPECT_EQ(shot.pixel(client + QPoint(dcs[i]->Width(), dcs[i]->Height())), mark) << i;
        EXPECT_EQ(shot.pixel(client + QPoint(2, 1)), ToQColor(kFaceColor).rgb()) << i;
    }
}

// Test, play, then test mode again on a 240 x 240 picture of 12-pixel blocks: the solution
// under the block lines in test mode; in play mode only the lines and the label, on its own
// opaque box over them.  Every line stops one pixel short of its end, so the corner (240, 240)
// stays empty.  The puzzle panel is the same in both modes.
TEST_F(ViewTest, TestModeShowsTheSolutionPlayModeOnlyLinesAndTheLabel) {
    constexpr int kSize = 240, kSide = 12;
    PutBlocks();
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
                            testMode && x < kSize && y < kSize && Dark(x / kSide, y / kSide);
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
