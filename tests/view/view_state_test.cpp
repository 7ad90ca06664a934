// The operating panel: defaults, which controls a picture, an analysis and the DrawBox enable,
// the threshold scroll bars and the refused band, the commands that need a picture.
#include <QDialog>

#include "platform/modal.h"
#include "support/scripted_ui.h"
#include "view_fixture.h"

namespace {

constexpr int kAnalysisControls[] = {
    IDC_ANALYZE,    IDC_TEST_MODE,  IDC_PLAY_MODE,     IDC_LOWER_SCROLL,  IDC_UPPER_SCROLL,
    IDC_LOWER_EDIT, IDC_UPPER_EDIT, IDC_LOWER_CAPTION, IDC_UPPER_CAPTION, IDC_BLOCKS};

TEST_F(ViewTest, StartsWithDefaultsAndOnlyInputControlsEnabled) {
    EXPECT_EQ(view->m_nLowerThreshold, 0);
    EXPECT_EQ(view->m_nUpperThreshold, 250);
    EXPECT_EQ(Text(IDC_LOWER_EDIT), "0");
    EXPECT_EQ(Text(IDC_UPPER_EDIT), "250");
    EXPECT_EQ(Bar(IDC_LOWER_SCROLL)->value(), 0);
    EXPECT_EQ(Bar(IDC_UPPER_SCROLL)->value(), 250);
    EXPECT_EQ(Bar(IDC_UPPER_SCROLL)->maximum(), 255);
    EXPECT_TRUE(IsDlgButtonChecked(view->Controls(), IDC_TEST_MODE));
    EXPECT_FALSE(IsDlgButtonChecked(view->Controls(), IDC_PLAY_MODE));

    QComboBox* combo = view->m_comboBlocks;
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), "5");
    EXPECT_EQ(combo->itemText(1), "10");
    EXPECT_EQ(combo->itemText(2), "20");
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->currentText(), "20");
    EXPECT_EQ(view->SelectedBlockCount(), 20);

    EXPECT_TRUE(Enabled(IDC_INPUT));
    EXPECT_TRUE(Enabled(IDC_DRAWBOX));
    EXPECT_TRUE(Enabled(IDC_INFO));
    for (int id : kAnalysisControls)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_PLAY));
}

TEST_F(ViewTest, PictureEnablesAnalysisAnalysisEnablesPlayAndInputDisablesItAgain) {
    PutPicture(20);
    for (int id : kAnalysisControls)
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_PLAY));

    Click(IDC_ANALYZE);
    EXPECT_TRUE(Enabled(IDC_PLAY));
    EXPECT_EQ(doc->m_nGridSize, 20);

    ScriptedFileDialogs dialogs;  // the user cancels the file dialog
    Click(IDC_INPUT);
    EXPECT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_FALSE(Enabled(IDC_PLAY));
    EXPECT_TRUE(Enabled(IDC_ANALYZE));
}

TEST_F(ViewTest, ChoosingABlockCountOrModeRunsTheAnalysis) {
    PutPicture(20);
    QComboBox* combo = view->m_comboBlocks;
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    EXPECT_EQ(doc->m_nGridSize, 5);
    EXPECT_TRUE(Enabled(IDC_PLAY));

    Click(IDC_PLAY_MODE);
    EXPECT_TRUE(IsDlgButtonChecked(view->Controls(), IDC_PLAY_MODE));
    EXPECT_FALSE(IsDlgButtonChecked(view->Controls(), IDC_TEST_MODE));
    EXPECT_EQ(view->m_bTestMode, 0);
    Click(IDC_TEST_MODE);
    EXPECT_EQ(view->m_bTestMode, 1);

    // Typed text is never the block count.
    combo->setEditText("10");
    EXPECT_EQ(view->SelectedBlockCount(), 5);
}

TEST_F(ViewTest, ThresholdScrollCodesMoveTheBarsAndRewriteTheEdits) {
    PutPicture(20);
    ScrollCodeBar* lower = Bar(IDC_LOWER_SCROLL);
    ScrollCodeBar* upper = Bar(IDC_UPPER_SCROLL);

    // A real click on the right arrow of the lower bar.
    QTest::mouseClick(lower, Qt::LeftButton, {}, QPoint(lower->width() - 3, lower->height() / 2));
    EXPECT_EQ(view->m_nLowerThreshold, 1);
    EXPECT_EQ(Text(IDC_LOWER_EDIT), "1");
    EXPECT_TRUE(Enabled(IDC_PLAY));

    view->OnHScroll(SB_PAGERIGHT, 0, upper);
    EXPECT_EQ(view->m_nUpperThreshold, 255);  // 250 + 10 clamped
    EXPECT_EQ(Text(IDC_UPPER_EDIT), "255");
    view->OnHScroll(SB_PAGELEFT, 0, lower);
    EXPECT_EQ(view->m_nLowerThreshold, 0);
    view->OnHScroll(SB_THUMBPOSITION, 120, lower);
    EXPECT_EQ(view->m_nLowerThreshold, 120);
    view->OnHScroll(SB_THUMBTRACK, 200, lower);
    EXPECT_EQ(view->m_nLowerThreshold, 120);
    view->OnHScroll(SB_LEFT, 0, lower);
    EXPECT_EQ(lower->value(), 0);
    view->OnHScroll(SB_RIGHT, 0, upper);
    EXPECT_EQ(upper->value(), 255);
    EXPECT_EQ(Text(IDC_LOWER_EDIT), "0");
}

TEST_F(ViewTest, BandWithUpperNotAboveLowerIsRefusedAndResetEverywhere) {
    PutPicture(20);
    view->OnHScroll(SB_THUMBPOSITION, 100, Bar(IDC_LOWER_SCROLL));
    {
        ScriptedFileDialogs dialogs;
        Click(IDC_INPUT);  // disables play, so we can see that no analysis runs
    }
    const int gridBefore = doc->m_nGridSize;
    ASSERT_FALSE(Enabled(IDC_PLAY));

    ScriptedMessageBoxes boxes;
    view->OnHScroll(SB_THUMBPOSITION, 100, Bar(IDC_UPPER_SCROLL));
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Texts().first(), "無理な閾値設定です。");
    EXPECT_EQ(boxes.All().front().flags, MB_OK);
    EXPECT_EQ(view->m_nLowerThreshold, 0);
    EXPECT_EQ(view->m_nUpperThreshold, 255);
    EXPECT_EQ(Bar(IDC_LOWER_SCROLL)->value(), 0);
    EXPECT_EQ(Bar(IDC_UPPER_SCROLL)->value(), 255);
    // The edits show the band in force, not the refused one.
    EXPECT_EQ(Text(IDC_LOWER_EDIT), "0");
    EXPECT_EQ(Text(IDC_UPPER_EDIT), "255");
    EXPECT_FALSE(Enabled(IDC_PLAY));
    EXPECT_EQ(doc->m_nGridSize, gridBefore);
}

TEST_F(ViewTest, NoAnalysisOrPlayWithoutAPicture) {
    // Without a picture the picture-present state changes nothing; a command that still
    // arrives (an accelerator) analyses nothing.
    view->ApplyPicturePresentState();
    EXPECT_FALSE(Enabled(IDC_ANALYZE));
    view->EnableControls({IDC_ANALYZE}, true);
    Click(IDC_ANALYZE);
    view->OnHScroll(SB_LINERIGHT, 0, Bar(IDC_LOWER_SCROLL));
    EXPECT_EQ(doc->m_nGridSize, 0);
    EXPECT_FALSE(Enabled(IDC_PLAY));
    EXPECT_FALSE(doc->m_ppAnswerGrid.IsAllocated());

    // Play with the button disabled does not open the dialog.
    int runs = 0;
    ModalHook previous = SetModalHook([&](QDialog&) {
        ++runs;
        return 0;
    });
    view->OnPlay();
    SetModalHook(previous);
    EXPECT_EQ(runs, 0);
}

TEST_F(ViewTest, DrawBoxAcceptedMakesTheDrawingThePicture) {
    ModalHook previous = SetModalHook([&](QDialog&) {
        // What a store leaves behind: a 260 x 260 white drawing in the planes.
        doc->m_ppInputPlanes.Allocate(780, 260);
        doc->m_ppInputPlanes.Fill(255);
        return static_cast<int>(QDialog::Accepted);
    });
    Click(IDC_DRAWBOX);
    Click(IDC_DRAWBOX);
    SetModalHook(previous);

    EXPECT_EQ(view->window()->windowTitle(), "NGM - [Ro Rudav Izedo]");
    EXPECT_EQ(view->m_strImageInfo,
              "My Image\r\nXsize : 260px\r\nYsize : 260px\r\n"
              "My Image\r\nXsize : 260px\r\nYsize : 260px\r\n");
    EXPECT_EQ(Text(IDC_INFO),
              "My Image\nXsize : 260px\nYsize : 260px\n"
              "My Image\nXsize : 260px\nYsize : 260px\n");
    EXPECT_EQ(std::pair(doc->Width(), doc->Height()), std::pair(260, 260));
    // The block count and the band can be chosen for a drawing too.
    for (int id : kAnalysisControls)
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_PLAY));
    EXPECT_TRUE(view->HasPicture());
}

}  // namespace
