// The workbench in the main window: opened from the menu and by a double click on a panel, one
// per window; a left drag fills cells, a right click empties one, a tool turns the grid, undo
// takes the edits back, and the form's puzzle panel and verdict follow every edit.  A new
// analysis asks before it replaces hand edits, and undo brings them back with their band.
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "construct/workbench.h"
#include "construct/workbench_panes.h"
#include "window_test.h"

namespace {

class WorkbenchTest : public WindowTest {
protected:
    void Open() {
        Load(a, "plus.ppm", Plus(), true);
        Frame().Action(ID_WORKBENCH)->trigger();
        bench = a.View().Workbench();
        ASSERT_TRUE(bench && bench->isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(bench));
        bench->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(bench));
    }
    QPoint Cell(int column, int row) const {
        const GridPlacement at = bench->Editor()->Placement();
        return {at.left + column * at.cell + at.cell / 2, at.top + row * at.cell + at.cell / 2};
    }
    std::uint8_t At(int column, int row) const { return a.doc.GetPuzzle().AnswerAt(column, row); }
    QImage Result() { return a.View().m_bmpResult.Image().copy(); }

    CWorkbench* bench = nullptr;
};

TEST_F(WorkbenchTest, OpensOnceEditsByMouseAndToolsAndTheFormFollows) {
    Open();
    // Again from the menu, or by a double click on a panel: the same window.
    Frame().Action(ID_WORKBENCH)->trigger();
    EXPECT_EQ(a.View().Workbench(), bench);
    bench->close();
    QTest::mouseDClick(&a.View(), Qt::LeftButton, {},
                       a.View().GetDlgItem(IDC_BINARY_PANEL)->geometry().center());
    EXPECT_TRUE(bench->isVisible());
    EXPECT_EQ(bench->Enlarged(), CWorkbench::kNoPane);
    ASSERT_TRUE(a.WaitForVerdict());
    ASSERT_EQ(a.doc.GetPuzzle().width, 20);
    ASSERT_EQ(At(0, 0), 0);

    // A left drag fills the top row's first four cells as one step.
    const Puzzle before = a.doc.GetPuzzle();
    const QImage resultBefore = Result();
    QWidget* editor = bench->Editor();
    QTest::mousePress(editor, Qt::LeftButton, {}, Cell(0, 0));
    QTest::mouseMove(editor, Cell(3, 0));
    QTest::mouseRelease(editor, Qt::LeftButton, {}, Cell(3, 0));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(At(x, 0), 1) << x;
    EXPECT_NE(Result(), resultBefore);
    ASSERT_TRUE(a.WaitForVerdict());
    EXPECT_FALSE(a.Pane().text().isEmpty());
    EXPECT_EQ(bench->VerdictLabel()->text(), a.Pane().text());

    // A right click empties a cell of the plus; a tool mirrors the grid.
    QTest::mouseClick(editor, Qt::RightButton, {}, Cell(9, 0));
    EXPECT_EQ(At(9, 0), 0);
    const std::vector<std::uint8_t> mirrored =
        ApplyGridTool(GridTool::kMirror, 20, 20, a.doc.GetPuzzle().answer);
    bench->ToolButton(GridTool::kMirror)->click();
    EXPECT_EQ(a.doc.GetPuzzle().answer, mirrored);

    // Ctrl+Z three times: the mirror, the click, the drag.
    bench->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(bench));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(bench, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(a.doc.GetPuzzle().answer, before.answer);
    EXPECT_EQ(Result(), resultBefore);
    QTest::keyClick(bench, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(At(3, 0), 1);
}

TEST_F(WorkbenchTest, ABandTypedAnalysesAndAReplacementOfEditsIsAskedAndUndone) {
    Open();
    ScriptedMessageBoxes boxes;
    // A typed band reaches the form's controls and the analysis.
    bench->UpperSpin()->setValue(240);
    bench->FlushBand();
    EXPECT_EQ(a.View().Session().AnalysedSettings().upper, 240);
    EXPECT_EQ(GetDlgItemText(a.View().Controls(), IDC_UPPER_EDIT), "240");
    EXPECT_EQ(boxes.Count(), 0);

    bench->ToolButton(GridTool::kClear)->click();
    const std::vector<std::uint8_t> cleared = a.doc.GetPuzzle().answer;
    boxes.Answer(IDNO);
    bench->UpperSpin()->setValue(200);
    bench->FlushBand();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(a.doc.GetPuzzle().answer, cleared);
    EXPECT_EQ(GetDlgItemText(a.View().Controls(), IDC_UPPER_EDIT), "240");
    EXPECT_EQ(bench->UpperSpin()->value(), 240);

    boxes.Answer(IDYES);
    bench->UpperSpin()->setValue(200);
    bench->FlushBand();
    EXPECT_EQ(boxes.Count(), 2);
    EXPECT_NE(a.doc.GetPuzzle().answer, cleared);
    EXPECT_EQ(a.View().Session().AnalysedSettings().upper, 200);
    // Undo brings the cleared grid back with the band it was made under.
    QTest::keyClick(bench, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(a.doc.GetPuzzle().answer, cleared);
    EXPECT_EQ(GetDlgItemText(a.View().Controls(), IDC_UPPER_EDIT), "240");
    EXPECT_EQ(bench->UpperSpin()->value(), 240);
}

TEST_F(WorkbenchTest, AutoTrimAndACropDraggedOnThePictureAnalyseTheirPart) {
    Open();
    bench->AutoButton()->click();
    const AnalysisSettings& analysed = a.View().Session().AnalysedSettings();
    EXPECT_EQ(analysed.lower, 0);
    EXPECT_GT(analysed.upper, 0);
    EXPECT_LT(analysed.upper, 255);
    EXPECT_EQ(GetDlgItemText(a.View().Controls(), IDC_UPPER_EDIT), QString::number(analysed.upper));

    // The plus spans the whole picture: trimming leaves it whole.
    bench->TrimButton()->click();
    ASSERT_TRUE(analysed.crop);
    EXPECT_EQ(analysed.crop->width, a.doc.m_picture.width);

    // The crop's top-left corner dragged to the middle: the bottom-right quarter is analysed.
    WorkbenchImagePane* pane = bench->PicturePane();
    const QRect image = pane->ImageRect();
    QTest::mousePress(pane, Qt::LeftButton, {}, image.topLeft());
    QTest::mouseMove(pane, image.center());
    QTest::mouseRelease(pane, Qt::LeftButton, {}, image.center());
    ASSERT_TRUE(analysed.crop);
    EXPECT_NEAR(analysed.crop->width, a.doc.m_picture.width / 2, 2);
    EXPECT_NEAR(analysed.crop->x, a.doc.m_picture.width / 2, 2);
    EXPECT_EQ(pane->Crop()->width(), analysed.crop->width);
    EXPECT_TRUE(a.doc.HasPuzzle());
}

TEST_F(WorkbenchTest, ASuggestionIsMarkedAcceptedAndUndone) {
    Open();
    const std::vector<std::uint8_t> before = a.doc.GetPuzzle().answer;
    std::vector<std::uint8_t> suggested = before;
    suggested[0] = 1;  // a cell to fill
    suggested[9] = 0;  // a cell of the plus to empty
    bench->ShowSuggestion(suggested);
    ASSERT_TRUE(bench->AcceptButton()->isVisibleTo(bench));
    bench->AcceptButton()->click();
    EXPECT_EQ(a.doc.GetPuzzle().answer, suggested);
    EXPECT_TRUE(a.doc.Session().Info().endsWith(QStringLiteral("変更マス : 2\r\n")));
    EXPECT_FALSE(bench->AcceptButton()->isVisibleTo(bench));
    QTest::keyClick(bench, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(a.doc.GetPuzzle().answer, before);
}

}  // namespace
