// 機能 > 一意なパズルを探す: the command after an analysis, the dialog's search with its
// progress, cancel and lists, the results closed by a new analysis, and picking a
// suggestion: a band and block count set the bars, edits and combo box and analyse; changed
// cells change the puzzle and leave the binary panel alone.
// The workbench in the main window: opened from the menu and by a double click on a panel, one
// per window; a left drag fills cells, a right click empties one, a tool turns the grid, undo
// takes the edits back, and the form's puzzle panel and verdict follow every edit.  A new
// analysis asks before it replaces hand edits, and undo brings them back with their band.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "construct/unique_dialog.h"
#include "construct/workbench.h"
#include "construct/workbench_panes.h"
#include "platform/form.h"
#include "platform/scroll_codes.h"
#include "support/painted.h"
#include "window_test.h"

namespace {

constexpr int kWait = 60000;

class UniqueSearchTest : public WindowTest {
protected:
    // Starts the search from the menu and waits for it to finish.
    CUniqueDialog& Search(Window& w) {
        w.frame->Action(ID_FIND_UNIQUE)->trigger();
        CUniqueDialog* dialog = w.View().UniqueDialog();
        EXPECT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->Searcher().WaitUntilFinished(kWait));
        return *dialog;
    }
    // Applies the first suggestion of a list that has one, as the user does: the puzzle becomes
    // the suggestion's, and the judge finds it unique.
    Suggestion Pick(CUniqueDialog& dialog, QListWidget* list) {
        const Suggestion s = *dialog.SuggestionAt(list, 0);
        list->setCurrentRow(0);
        dialog.ApplyButton()->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(a.WaitForVerdict());
        EXPECT_EQ(a.doc.GetPuzzle().answer, s.cells);
        EXPECT_TRUE(a.Pane().text().startsWith(QStringLiteral("一意解")))
            << a.Pane().text().toStdString();
        return s;
    }
};

// A band picked sets the bars, edits and combo box and analyses; cells picked change the puzzle
// and leave the binary and input panels alone.
TEST_F(UniqueSearchTest, PickingABandSetsWhatTheUserWouldSetAndPickingCellsOnlyThePuzzle) {
    Load(a, "three.ppm", ThreeLevels(), true);
    CUniqueDialog& dialog = Search(a);
    ASSERT_GT(dialog.BandList()->count(), 0);
    const Suggestion s = *dialog.SuggestionAt(dialog.BandList(), 0);
    EXPECT_TRUE(dialog.BandList()->item(0)->text().startsWith(
        QStringLiteral("閾値 %1〜%2・ブロック数 %3\n").arg(s.lower).arg(s.upper).arg(s.n)));
    Pick(dialog, dialog.BandList());
    CNGMView& v = a.View();
    EXPECT_EQ(v.Controls().Get<ScrollCodeBar>(IDC_LOWER_SCROLL)->GetScrollPos(), s.lower);
    EXPECT_EQ(v.Controls().Get<ScrollCodeBar>(IDC_UPPER_SCROLL)->GetScrollPos(), s.upper);
    EXPECT_EQ(GetDlgItemText(v.Controls(), IDC_LOWER_EDIT), QString::number(s.lower));
    EXPECT_EQ(GetDlgItemText(v.Controls(), IDC_UPPER_EDIT), QString::number(s.upper));
    EXPECT_EQ(v.m_comboBlocks->currentText(), QString::number(s.n));

    v.ApplyBand(0, 250, 20);  // both switches again
    ASSERT_TRUE(a.WaitForVerdict());
    const QImage binary = v.m_bmpBinary.Image().copy(), input = v.m_bmpInput.Image().copy();
    Search(a);
    ASSERT_GT(dialog.CellList()->count(), 0);
    EXPECT_EQ(dialog.CellNote()->text(), "これより少ないマスの変更では、解が一つになりません。");
    EXPECT_EQ(Pick(dialog, dialog.CellList()).changed.size(), 2u);
    EXPECT_EQ(v.m_bmpBinary.Image(), binary);
    EXPECT_EQ(v.m_bmpInput.Image(), input);
    EXPECT_TRUE(GetDlgItemText(v.Controls(), IDC_INFO).endsWith("変更マス : 2\n"));
}

TEST_F(UniqueSearchTest, CancelDeliversNothingMoreAndANewAnalysisClosesTheResults) {
    QAction* command = Frame().Action(ID_FIND_UNIQUE);
    EXPECT_FALSE(command->isEnabled());  // offered once a picture is analysed
    Load(a, "three.ppm", ThreeLevels(), true);
    command->trigger();
    CUniqueDialog& dialog = *a.View().UniqueDialog();
    EXPECT_TRUE(dialog.Searcher().Busy());
    EXPECT_EQ(dialog.StatusLabel()->text(), "探しています...");
    // 40 of the 400 cells are filled: the square and two switches.
    EXPECT_EQ(dialog.CurrentLabel()->text(), "今のパズル: 閾値 0〜250・ブロック数 20・塗り 10%");

    QStringList events;
    QObject::connect(&dialog.Searcher(), &UniqueSearcher::found,
                     [&](const Suggestion&) { events << "found"; });
    QObject::connect(&dialog.Searcher(), &UniqueSearcher::finished,
                     [&](const UniqueSearchSummary&) { events << "finished"; });
    QObject::connect(&dialog.Searcher(), &UniqueSearcher::progress,
                     [&](int percent) { events << QString::number(percent); });
    dialog.CancelButton()->click();
    EXPECT_FALSE(dialog.Searcher().Busy());
    EXPECT_EQ(dialog.StatusLabel()->text(), "中止しました。それまでに見つかったものを示します。");
    QTest::qWait(100);
    EXPECT_TRUE(events.isEmpty()) << events.join(" ").toStdString();

    dialog.SearchAgainButton()->click();
    ASSERT_TRUE(dialog.Searcher().WaitUntilFinished(kWait));
    EXPECT_TRUE(events.contains("found"));
    EXPECT_EQ(events.mid(events.size() - 2), QStringList({"100", "finished"}));
    EXPECT_EQ(dialog.StatusLabel()->text(), "探し終わりました。");
    EXPECT_FALSE(dialog.ApplyButton()->isEnabled());
    dialog.BandList()->setCurrentRow(0);
    EXPECT_TRUE(dialog.ApplyButton()->isEnabled());

    a.View().OnAnalyze();
    EXPECT_FALSE(dialog.HasCurrentResults());
    EXPECT_EQ(dialog.BandList()->count() + dialog.CellList()->count(), 0);
    EXPECT_EQ(dialog.StatusLabel()->text(),
              "パズルが変わったので、結果を閉じました。「探し直す」で今のパズルについて探します。");
    EXPECT_FALSE(dialog.ApplyButton()->isEnabled());
    // A new picture takes the command away until it is analysed.
    Load(a, "other.ppm", ThreeLevels());
    EXPECT_FALSE(command->isEnabled());
}

// A 70 x 42 picture fitted at 10 blocks is a 10 x 6 grid of 7-pixel blocks: a switch and a bar
// in it leave several solutions.  The search is there for the fitted grid, and what it suggests
// in either list is a fitted puzzle of the picture's shape.
TEST_F(UniqueSearchTest, FittedGridsAreSearchedToo) {
    const auto dark = [](int i, int j) {
        return (i == 2 && j == 1) || (i == 5 && j == 3) || (i == 8 && j >= 1);
    };
    const std::string ppm = painted::Ppm(
        70, 42, [&](int x, int y) { return painted::Gray(dark(x / 7, y / 7) ? 60 : 255); });
    a.View().OnDropFiles({Write(QStringLiteral("fit.ppm"), QByteArray::fromStdString(ppm))});
    CheckDlgButton(a.View().Controls(), IDC_FIT_PICTURE, true);
    for (const bool cells : {false, true}) {
        a.View().ApplyBand(0, 250, 10);
        ASSERT_TRUE(a.WaitForVerdict());
        ASSERT_EQ(std::pair(a.doc.GetPuzzle().width, a.doc.GetPuzzle().height), std::pair(10, 6));
        ASSERT_TRUE(Frame().Action(ID_FIND_UNIQUE)->isEnabled());
        CUniqueDialog& dialog = Search(a);
        QListWidget* list = cells ? dialog.CellList() : dialog.BandList();
        ASSERT_GT(list->count(), 0) << dialog.CellNote()->text().toStdString();
        const Suggestion s = Pick(dialog, list);
        EXPECT_EQ(s.columns * 3, s.rows * 5);  // the picture's shape, 70 x 42
        EXPECT_EQ(std::pair(a.doc.GetPuzzle().width, a.doc.GetPuzzle().height),
                  std::pair(s.columns, s.rows));
        EXPECT_EQ(s.changed.size(), cells ? 1u : 0u);
    }
}

TEST_F(UniqueSearchTest, SaysPlainlyWhenNoBandWorksAndShowsTheBest) {
    Load(a, "switches.ppm", Switches(), true);
    CUniqueDialog& dialog = Search(a);
    EXPECT_EQ(dialog.BandNote()->text(),
              "閾値とブロック数をどう変えても、解が一つのパズルになりません。"
              "決まらないマスが最も少ないものを示します。");
    ASSERT_EQ(dialog.BandList()->count(), 1);
    EXPECT_EQ(dialog.SuggestionAt(dialog.BandList(), 0)->undecidedCount, 4);
    EXPECT_TRUE(dialog.BandList()->item(0)->text().contains("複数解: 4 マスが決まりません"));
}

// A colour puzzle is searched over its colour counts and block counts and by its cells; what is
// picked in either list makes it unique.  Red cells at (2, 2) and (3, 3) swap with the other
// diagonal at every colour count of 20 blocks; at fewer blocks they are gone.  A red and a blue bar
// keep the palette's colours.
TEST_F(UniqueSearchTest, AColourPuzzleIsSearchedByColourCountsAndCells) {
    const std::string ppm = painted::Ppm(100, 100, [](int x, int y) -> painted::Samples {
        const int i = x / 5, j = y / 5;
        const bool red =
            (i == j && (i == 2 || i == 3)) || ((j == 14 || j == 15) && i >= 2 && i <= 17);
        const bool blue = (j == 10 || j == 11) && i >= 5 && i <= 14;
        return red    ? painted::Samples{0xd0, 0x10, 0x20}
               : blue ? painted::Samples{0x20, 0x30, 0xc0}
                      : painted::Gray(255);
    });
    a.View().OnDropFiles({Write(QStringLiteral("diagonal.ppm"), QByteArray::fromStdString(ppm))});
    a.View().SetColours(2);
    ASSERT_TRUE(a.WaitForVerdict());
    ASSERT_TRUE(a.doc.GetPuzzle().IsColour());
    ASSERT_TRUE(a.Pane().text().startsWith(QStringLiteral("複数解")));
    a.frame->Action(ID_WORKBENCH)->trigger();
    ASSERT_NE(a.View().Workbench(), nullptr);
    for (const bool cells : {false, true}) {
        CUniqueDialog& dialog = Search(a);
        QListWidget* list = cells ? dialog.CellList() : dialog.BandList();
        ASSERT_GT(list->count(), 0);
        const Suggestion s = *dialog.SuggestionAt(list, 0);
        if (!cells) {
            EXPECT_EQ(s.kind, SuggestionKind::Colours);
            EXPECT_NE(s.n, 20);
            EXPECT_TRUE(list->item(0)->text().startsWith(
                QStringLiteral("%1 色・ブロック数 %2\n").arg(s.colours).arg(s.n)));
            EXPECT_EQ(dialog.BandNote()->text(), "");
        }
        Pick(dialog, list);
        EXPECT_TRUE(a.doc.GetPuzzle().IsColour());
        if (!cells) {
            EXPECT_EQ(a.View().m_comboBlocks->currentText(), QString::number(s.n));
            EXPECT_EQ(a.View().m_comboColours->currentText(), QString::number(s.colours));
            EXPECT_EQ(a.View().Workbench()->ColoursBox()->currentText(),
                      QString::number(s.colours));
            // Back to the ambiguous puzzle for the cells.
            a.View().ApplyBand(0, 250, 20);
            ASSERT_TRUE(a.WaitForVerdict());
            ASSERT_TRUE(a.Pane().text().startsWith(QStringLiteral("複数解")));
        }
    }
}

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
