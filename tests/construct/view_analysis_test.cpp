// The analysis through the form view: the block count from the combo box, the grids
// re-allocated for each N, and what each panel shows in test and play mode.
#include <gtest/gtest.h>

#include <QComboBox>

#include "analysis_support.h"
#include "app/ngm_doc.h"
#include "construct/block_grid.h"
#include "construct/ngm_view.h"
#include "construct/result_panel.h"
#include "res/dialog_template.h"

namespace {

constexpr int kSize = 260;

class ViewAnalysis : public ::testing::Test {
protected:
    void SetUp() override {
        view.OnInitialUpdate();
        view.EnsurePanelImages();
        // The left half of the picture dark, the right half white.
        view.AllocBuffer(3 * kSize, kSize, 1);
        view.AllocBuffer(kSize, kSize, 2);
        for (int x = 0; x < kSize; ++x) {
            const int v = x < kSize / 2 ? 30 : 255;
            for (int y = 0; y < kSize; ++y) {
                for (int k = 0; k < 3; ++k)
                    doc.m_ppInputPlanes[3 * x + k][y] = v;
            }
        }
        view.m_nImageWidth = view.m_nImageHeight = kSize;
        doc.m_nWidth = doc.m_nHeight = kSize;
    }

    void Analyze(bool testMode) {
        CheckDlgButton(view.Controls(), IDC_TEST_MODE, testMode);
        CheckDlgButton(view.Controls(), IDC_PLAY_MODE, !testMode);
        view.OnAnalyze();
    }

    CNGMDoc doc;
    CNGMView view{&doc};
};

TEST_F(ViewAnalysis, BlockCountIsTheSelectedItemElseTheLastOne) {
    // Nothing selected: the last item, 20, whatever the edit field says.
    view.m_comboBlocks->setEditText(QStringLiteral("10"));
    view.Binarize();
    EXPECT_EQ(view.MakeBlockGrid(), 20);
    EXPECT_EQ(doc.m_ppAnswerGrid.Columns(), 20);
    EXPECT_EQ(doc.m_ppAnswerGrid.Length(), 20);
    view.m_comboBlocks->setCurrentIndex(1);
    EXPECT_EQ(view.MakeBlockGrid(), 10);
    EXPECT_EQ(doc.m_ppPlayGrid.Columns(), 10);
}

TEST_F(ViewAnalysis, FiveAfterTwentyReallocatesBothGrids) {
    Analyze(true);
    ASSERT_EQ(doc.m_nGridSize, 20);
    // B = 13: the dark half is exactly block columns 0 to 9.
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(doc.m_ppAnswerGrid[i][19], i < 10 ? 1 : 0) << i;

    view.m_comboBlocks->setCurrentIndex(0);
    Analyze(true);
    EXPECT_EQ(doc.m_nGridSize, 5);
    EXPECT_EQ(view.m_nGridColumns, 5);
    for (const ColumnBuffer* grid : {&doc.m_ppAnswerGrid, &doc.m_ppPlayGrid}) {
        EXPECT_EQ(grid->Columns(), 5);
        EXPECT_EQ(grid->Length(), 5);
    }
    // B = 52: block column 2 is exactly half dark (26 of 52 pixel columns), which is black.
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(doc.m_ppAnswerGrid[i][j], i < 3 ? 1 : 0);
    }
}

TEST_F(ViewAnalysis, TestModeShowsTheSolution) {
    Analyze(true);
    // Binary panel: light blue where the picture is dark, lines every 13 pixels.
    EXPECT_EQ(view.m_dcBinary.GetPixel(5, 5), RGB(100, 100, 255));
    EXPECT_EQ(view.m_dcBinary.GetPixel(200, 5), kFaceColor);
    EXPECT_EQ(view.m_dcBinary.GetPixel(13, 5), RGB(0, 0, 0));
    EXPECT_EQ(view.m_dcBinary.GetPixel(5, 260), RGB(0, 0, 0));
    // Block panel: red blocks, black lines.
    EXPECT_EQ(view.m_dcPreview.GetPixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(view.m_dcPreview.GetPixel(200, 5), kFaceColor);
    EXPECT_EQ(view.m_dcPreview.GetPixel(130, 100), RGB(0, 0, 0));
    // Puzzle panel: grid lines and clue text.
    EXPECT_EQ(view.m_dcResult.GetPixel(70, 0), kGridLineColor);
    EXPECT_EQ(view.m_dcResult.GetPixel(0, 70 + 6 * 7), kGridAccentColor);
    EXPECT_GT(CountColor(view.m_dcResult, 70, 70, 210, 77, RGB(0, 0, 0)), 0);  // 20s and 0s
    EXPECT_TRUE(view.Controls().Item(IDC_PLAY)->isEnabled());
}

TEST_F(ViewAnalysis, PlayModeLeavesOnlyLinesAndTheLabel) {
    Analyze(true);
    const QImage testModePuzzle = view.m_bmpResult.Image().copy();
    Analyze(false);
    EXPECT_EQ(view.m_bTestMode, 0);

    CFont* none = nullptr;
    view.m_dcBinary.SelectObject(none);
    const CRect extent = view.m_dcBinary.TextExtent(QStringLiteral("INVISIBLE"));
    const CRect label{10, 10, 10 + extent.Width(), 10 + extent.Height()};
    for (CDC* dc : {&view.m_dcBinary, &view.m_dcPreview}) {
        int text = 0;
        for (int y = 0; y < dc->Height(); ++y) {
            for (int x = 0; x < dc->Width(); ++x) {
                const COLORREF p = dc->GetPixel(x, y);
                if (label.Contains(x, y)) {
                    ASSERT_TRUE(p == RGB(255, 200, 200) || p == RGB(240, 100, 100));
                    text += p == RGB(240, 100, 100) ? 1 : 0;
                    continue;
                }
                const bool line = (x % 13 == 0 && x <= kSize && y < kSize) ||
                                  (y % 13 == 0 && y <= kSize && x < kSize);
                ASSERT_EQ(p, line ? RGB(0, 0, 0) : kFaceColor) << x << "," << y;
            }
        }
        EXPECT_GT(text, 0);
    }
    // The grid and the puzzle are the same in both modes.
    EXPECT_EQ(doc.m_ppAnswerGrid[0][0], 1);
    EXPECT_EQ(view.m_bmpResult.Image(), testModePuzzle);

    // Back to test mode: the solution shows again, the label is gone.
    Analyze(true);
    EXPECT_EQ(view.m_dcPreview.GetPixel(15, 15), RGB(255, 0, 0));
    EXPECT_EQ(CountColor(view.m_dcBinary, 0, 0, 100, 40, RGB(240, 100, 100)), 0);
}

TEST_F(ViewAnalysis, CluesFollowTheDocumentsGridSize) {
    view.m_comboBlocks->setCurrentIndex(1);
    Analyze(true);
    ASSERT_EQ(doc.m_nGridSize, 10);
    // Every row is 5 black then 5 white: one clue 5 per row in slot 0, at x = 35 - 7 + 2.
    Surface reference(view.m_nResultW, view.m_nResultH);
    CFont font;
    font.CreateFont(7, 0, 0, 0, 400, false, false, false, 128, 0, 0, 0, 0,
                    QStringLiteral("MS P明朝"));
    reference.dc().SelectObject(&font);
    reference.dc().SetBkColor(kFaceColor);
    for (int j = 0; j < 10; ++j)
        reference.dc().TextOut(30, 35 + (j + 1) * 7, QStringLiteral("5"));
    for (int y = 43; y < 35 + 11 * 7; ++y) {
        if ((y - 35) % 7 == 0)
            continue;  // horizontal grid lines
        for (int x = 0; x < 35; ++x) {
            ASSERT_EQ(view.m_dcResult.GetPixel(x, y), reference.at(x, y)) << x << "," << y;
        }
    }
    // A single view step draws with the document's N.
    view.m_dcResult.FillSolidRect(0, 0, view.m_nResultW, view.m_nResultH, kFaceColor);
    view.DrawRowClue(0, 0, 7, 5);
    EXPECT_GT(CountColor(view.m_dcResult, 30, 42, 35, 49, RGB(0, 0, 0)), 0);
    EXPECT_EQ(CountColor(view.m_dcResult, 0, 0, 30, view.m_nResultH, RGB(0, 0, 0)), 0);
}

}  // namespace
