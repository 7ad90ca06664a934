// The analysis through the form view: the block count from the combo box, the grids
// re-allocated for each N, and what each panel shows in test and play mode.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>

#include "analysis_support.h"
#include "construct/binarize.h"
#include "construct/block_grid.h"
#include "construct/ngm_view.h"
#include "construct/result_panel.h"
#include "model/ngm_doc.h"
#include "platform/modal.h"
#include "res/dialog_template.h"
#include "support/scripted_ui.h"

namespace {

// A 240 x 240 picture, inside the 260-pixel-wide panels with its closing lines; for N = 20
// (B = 12) block (i, j) is dark when Dark(i, j).
constexpr int kSize = 240, kSide = 12;
bool Dark(int i, int j) {
    return (i + 2 * j) % 5 < 2;
}

class ViewAnalysis : public ::testing::Test {
protected:
    void SetUp() override {
        view.OnInitialUpdate();
        view.EnsurePanelImages();
        view.AllocBuffer(3 * kSize, kSize, 1);
        view.AllocBuffer(kSize, kSize, 2);
        doc.m_ppInputPlanes = MakePlanes(kSize, kSize, [](int x, int y) {
            const int v = Dark(x / kSide, y / kSide) ? 30 : 255;
            return Rgb{v, v, v};
        });
    }

    void Analyze(bool testMode) {
        CheckDlgButton(view.Controls(), IDC_TEST_MODE, testMode);
        CheckDlgButton(view.Controls(), IDC_PLAY_MODE, !testMode);
        view.OnAnalyze();
    }

    CNGMDoc doc;
    CNGMView view{&doc};
};

TEST_F(ViewAnalysis, BlockCountFromTheComboAndFiveAfterTwenty) {
    // Nothing selected: the last item, 20, whatever the edit field says.
    view.m_comboBlocks->setEditText(QStringLiteral("10"));
    Analyze(true);
    ASSERT_EQ(doc.m_nGridSize, 20);
    for (int i = 0; i < 20; ++i) {
        for (int j = 0; j < 20; ++j)
            EXPECT_EQ(doc.m_ppAnswerGrid[i][j], Dark(i, j) ? 1 : 0) << i << "," << j;
    }

    // The blocks are the document's puzzle, named after the picture.
    EXPECT_EQ(doc.GetPuzzle().rows[0], (LineClue{2, 2, 2, 2}));
    EXPECT_EQ(doc.GetPuzzle().columns[0], LineClue(8, 1));
    EXPECT_EQ(doc.GetPuzzle().title, "");
    view.m_strPictureName = QStringLiteral("ハート");

    view.m_comboBlocks->setCurrentIndex(0);
    Analyze(true);
    EXPECT_EQ(doc.m_nGridSize, 5);
    EXPECT_EQ(doc.GetPuzzle().height, 5);
    EXPECT_EQ(doc.GetPuzzle().title, "ハート");
    EXPECT_EQ(doc.GetPlayBoard().Width() * doc.GetPlayBoard().Height(), 25);
}

// A new picture takes the puzzle away until it is analysed; its puzzle takes its name.
TEST_F(ViewAnalysis, APuzzleIsNamedAfterItsPicture) {
    Analyze(true);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("heart.ppm")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("P6\n2 2\n255\n") + QByteArray(12, '\0'));
    file.close();
    {
        ScriptedFileDialogs dialogs;
        dialogs.Choose(file.fileName());
        view.OnInput();
    }
    EXPECT_FALSE(doc.HasPuzzle());
    EXPECT_FALSE(view.Controls().Item(IDC_PLAY)->isEnabled());
    Analyze(true);
    EXPECT_EQ(doc.GetPuzzle().title, "heart");

    const ModalHook previous = SetModalHook([&](QDialog&) {
        doc.m_ppInputPlanes.Allocate(780, 260);  // what a store leaves: a white drawing
        doc.m_ppInputPlanes.Fill(255);
        return static_cast<int>(QDialog::Accepted);
    });
    view.OnDrawBox();
    SetModalHook(previous);
    EXPECT_FALSE(doc.HasPuzzle());
    Analyze(true);
    EXPECT_EQ(doc.GetPuzzle().title, "Ro Rudav Izedo");
    EXPECT_TRUE(view.Controls().Item(IDC_PLAY)->isEnabled());
}

// Test, play, then test mode again: the solution under the lines in test mode; in play mode
// both panels hold only the lines and the label, on its own opaque box over them.  Every line
// stops one pixel short of its end, so the corner (240, 240) stays empty.
TEST_F(ViewAnalysis, TestModeShowsTheSolutionPlayModeOnlyLinesAndTheLabel) {
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
                    } else if (OnBlockLine(x, y, kSide, kSize)) {
                        ASSERT_EQ(p, RGB(0, 0, 0)) << x << "," << y;
                    } else {
                        const bool dark =
                            testMode && x < kSize && y < kSize && Dark(x / kSide, y / kSide);
                        ASSERT_EQ(p, dark ? solution : kFaceColor) << x << "," << y;
                    }
                }
            }
            EXPECT_EQ(text > 20, !testMode);
        }
        // The puzzle is drawn, the same in both modes, and the puzzle can be played.
        EXPECT_GT(CountColor(view.m_dcResult, 70, 70, 210, 77, RGB(0, 0, 0)), 0);
        if (!puzzle.isNull()) {
            EXPECT_EQ(view.m_bmpResult.Image(), puzzle);
        }
        puzzle = view.m_bmpResult.Image().copy();
        EXPECT_TRUE(view.Controls().Item(IDC_PLAY)->isEnabled());
    }
}

}  // namespace
