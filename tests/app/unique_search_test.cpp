// 機能 > 一意なパズルを探す: the command after an analysis, the dialog's search with its
// progress, cancel and lists, the results closed by a new analysis or picture, and picking a
// suggestion: a band and block count give the same controls, document and panels as setting
// them by hand; changed cells give the panels an analysis of that grid draws, and leave the
// binary panel alone.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "app/main_frame.h"
#include "construct/ngm_view.h"
#include "construct/unique_dialog.h"
#include "construct/verdict_judge.h"
#include "model/ngm_doc.h"
#include "platform/form.h"
#include "platform/scroll_codes.h"
#include "res/dialog_template.h"
#include "support/scripted_ui.h"

namespace {

constexpr int kWait = 60000;

// Gray levels of 10-pixel blocks of a 200 x 200 picture; the rest is white.
using Levels = std::map<std::pair<int, int>, int>;

void AddSwitch(Levels& levels, int i, int j, int level) {
    levels[{i, j}] = level;
    levels[{i + 1, j + 1}] = level;
}
void AddSquare(Levels& levels, int i0, int j0, int side, int level) {
    for (int i = i0; i < i0 + side; ++i)
        for (int j = j0; j < j0 + side; ++j)
            levels[{i, j}] = level;
}

// A square at level 120 that solves alone, spoiled by switches at levels 40 and 200.
Levels ThreeLevels() {
    Levels levels;
    AddSwitch(levels, 12, 12, 40);
    AddSquare(levels, 1, 1, 6, 120);
    AddSwitch(levels, 16, 17, 200);
    return levels;
}

class UniqueSearchTest : public ::testing::Test {
protected:
    struct Window {
        CNGMDoc doc;
        std::unique_ptr<CMainFrame> frame;
        CNGMView& View() { return *frame->View(); }
    };

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        Open(a);
    }
    void Open(Window& w) {
        w.frame = std::make_unique<CMainFrame>(&w.doc);
        w.frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.frame.get()));
    }
    void Load(Window& w, const QString& name, const Levels& levels) {
        QByteArray bytes = "P6\n200 200\n255\n";
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x) {
                const auto it = levels.find({x / 10, y / 10});
                bytes.append(3, static_cast<char>(it == levels.end() ? 255 : it->second));
            }
        }
        const QString path = dir.filePath(name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        w.View().OnDropFiles({path});
    }
    // The user's own way: the block count from the combo box, the bars released at their
    // places in an order that never makes an impossible band.
    void SetByHand(Window& w, int lower, int upper, int n) {
        CNGMView& v = w.View();
        const int item = v.m_comboBlocks->findText(QString::number(n));
        v.m_comboBlocks->setCurrentIndex(item);
        emit v.m_comboBlocks->activated(item);
        auto* lowerBar = v.Controls().Get<ScrollCodeBar>(IDC_LOWER_SCROLL);
        auto* upperBar = v.Controls().Get<ScrollCodeBar>(IDC_UPPER_SCROLL);
        if (lower < v.m_nUpperThreshold) {
            v.OnHScroll(SB_THUMBPOSITION, lower, lowerBar);
            v.OnHScroll(SB_THUMBPOSITION, upper, upperBar);
        } else {
            v.OnHScroll(SB_THUMBPOSITION, upper, upperBar);
            v.OnHScroll(SB_THUMBPOSITION, lower, lowerBar);
        }
    }
    CUniqueDialog& Search(Window& w) {
        w.frame->Action(ID_FIND_UNIQUE)->trigger();
        CUniqueDialog* dialog = w.View().UniqueDialog();
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
    void Pick(CUniqueDialog& dialog, QListWidget* list, int row) {
        list->setCurrentRow(row);
        dialog.ApplyButton()->click();
    }
    static bool WaitForVerdict(Window& w) { return w.View().Judge()->WaitUntilDelivered(kWait); }

    // Everything the window shows of an analysis, and the document's puzzle.
    static void ExpectSameState(Window& x, Window& y) {
        CNGMView& u = x.View();
        CNGMView& v = y.View();
        for (int id : {IDC_LOWER_SCROLL, IDC_UPPER_SCROLL})
            EXPECT_EQ(u.Controls().Get<ScrollCodeBar>(id)->GetScrollPos(),
                      v.Controls().Get<ScrollCodeBar>(id)->GetScrollPos());
        for (int id : {IDC_LOWER_EDIT, IDC_UPPER_EDIT, IDC_INFO})
            EXPECT_EQ(GetDlgItemText(u.Controls(), id), GetDlgItemText(v.Controls(), id));
        EXPECT_EQ(u.m_comboBlocks->currentIndex(), v.m_comboBlocks->currentIndex());
        EXPECT_EQ(u.m_comboBlocks->currentText(), v.m_comboBlocks->currentText());
        EXPECT_EQ(u.m_nLowerThreshold, v.m_nLowerThreshold);
        EXPECT_EQ(u.m_nUpperThreshold, v.m_nUpperThreshold);
        EXPECT_EQ(u.GetDlgItem(IDC_PLAY)->isEnabled(), v.GetDlgItem(IDC_PLAY)->isEnabled());
        const Puzzle& p = x.doc.GetPuzzle();
        const Puzzle& q = y.doc.GetPuzzle();
        EXPECT_EQ(p.answer, q.answer);
        EXPECT_EQ(p.rows, q.rows);
        EXPECT_EQ(p.columns, q.columns);
        EXPECT_EQ(x.frame->VerdictPane()->text(), y.frame->VerdictPane()->text());
        EXPECT_EQ(u.m_bmpInput.Image(), v.m_bmpInput.Image());
        EXPECT_EQ(u.m_bmpBinary.Image(), v.m_bmpBinary.Image());
        EXPECT_EQ(u.m_bmpPreview.Image(), v.m_bmpPreview.Image());
        EXPECT_EQ(u.m_bmpResult.Image(), v.m_bmpResult.Image());
    }

    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;  // none may show
    Window a;
};

TEST_F(UniqueSearchTest, CommandIsOfferedOnceAPictureIsAnalysed) {
    QAction* command = a.frame->Action(ID_FIND_UNIQUE);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), "一意なパズルを探す...\tCtrl+U");
    EXPECT_EQ(command->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_U));
    QMenu* functions = nullptr;
    for (QAction* menu : a.frame->menuBar()->actions())
        if (menu->text() == "機能")
            functions = menu->menu();
    ASSERT_NE(functions, nullptr);
    EXPECT_TRUE(functions->actions().contains(command));

    EXPECT_FALSE(command->isEnabled());
    Load(a, "three.ppm", ThreeLevels());
    EXPECT_FALSE(command->isEnabled());
    a.View().OnAnalyze();
    EXPECT_TRUE(command->isEnabled());
    Load(a, "again.ppm", ThreeLevels());
    EXPECT_FALSE(command->isEnabled());
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(UniqueSearchTest, PickingABandSetsWhatTheUserWouldSet) {
    Window b;
    Open(b);
    for (Window* w : {&a, &b}) {
        Load(*w, "three.ppm", ThreeLevels());
        w->View().OnAnalyze();
    }
    CUniqueDialog& dialog = Search(a);
    ASSERT_TRUE(dialog.Searcher().WaitUntilFinished(kWait));
    ASSERT_GT(dialog.BandList()->count(), 0);
    const Suggestion s = *dialog.SuggestionAt(dialog.BandList(), 0);
    ASSERT_EQ(s.kind, SuggestionKind::Band);
    EXPECT_TRUE(s.IsUnique());
    EXPECT_TRUE(dialog.BandList()->item(0)->text().startsWith(
        QStringLiteral("閾値 %1〜%2・ブロック数 %3\n").arg(s.lower).arg(s.upper).arg(s.n)));

    Pick(dialog, dialog.BandList(), 0);
    EXPECT_FALSE(dialog.isVisible());
    SetByHand(b, s.lower, s.upper, s.n);
    ASSERT_TRUE(WaitForVerdict(a));
    ASSERT_TRUE(WaitForVerdict(b));
    EXPECT_EQ(a.View().m_nLowerThreshold, s.lower);
    EXPECT_EQ(a.View().m_nUpperThreshold, s.upper);
    EXPECT_EQ(a.doc.GetPuzzle().answer, s.cells);
    EXPECT_TRUE(a.frame->VerdictPane()->text().startsWith("一意解"));
    ExpectSameState(a, b);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(UniqueSearchTest, PickingCellChangesRedrawsThePuzzleAndKeepsTheBinaryPanel) {
    Levels levels;
    AddSquare(levels, 2, 2, 5, 120);
    AddSwitch(levels, 12, 12, 120);
    Load(a, "switch.ppm", levels);
    a.View().OnAnalyze();
    ASSERT_TRUE(WaitForVerdict(a));
    const QImage binary = a.View().m_bmpBinary.Image().copy();
    const QImage input = a.View().m_bmpInput.Image().copy();

    CUniqueDialog& dialog = Search(a);
    ASSERT_TRUE(dialog.Searcher().WaitUntilFinished(kWait));
    ASSERT_GT(dialog.CellList()->count(), 0);
    const Suggestion s = *dialog.SuggestionAt(dialog.CellList(), 0);
    ASSERT_EQ(s.kind, SuggestionKind::Cells);
    EXPECT_EQ(s.changed.size(), 1u);
    EXPECT_EQ(dialog.CellNote()->text(), "これより少ないマスの変更では、解が一つになりません。");
    Pick(dialog, dialog.CellList(), 0);
    ASSERT_TRUE(WaitForVerdict(a));

    EXPECT_EQ(a.doc.GetPuzzle().answer, s.cells);
    EXPECT_TRUE(GridMatchesClues(a.doc.GetPuzzle(), s.cells));
    EXPECT_EQ(a.View().m_bmpBinary.Image(), binary);
    EXPECT_EQ(a.View().m_bmpInput.Image(), input);
    EXPECT_TRUE(GetDlgItemText(a.View().Controls(), IDC_INFO).endsWith("変更マス : 1\n"));
    EXPECT_TRUE(a.frame->VerdictPane()->text().startsWith("一意解"));

    // A picture whose analysis makes the changed grid draws the same puzzle and preview.
    Window b;
    Open(b);
    Levels changed;
    for (int k = 0; k < 400; ++k)
        if (s.cells[k])
            changed[{k % 20, k / 20}] = 120;
    Load(b, "changed.ppm", changed);
    b.View().OnAnalyze();
    ASSERT_TRUE(WaitForVerdict(b));
    EXPECT_EQ(a.View().m_bmpPreview.Image(), b.View().m_bmpPreview.Image());
    EXPECT_EQ(a.View().m_bmpResult.Image(), b.View().m_bmpResult.Image());
    EXPECT_EQ(a.frame->VerdictPane()->text(), b.frame->VerdictPane()->text());
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(UniqueSearchTest, ProgressCancelAndResultsAsTheyAreFound) {
    Load(a, "three.ppm", ThreeLevels());
    a.View().OnAnalyze();
    a.frame->Action(ID_FIND_UNIQUE)->trigger();
    CUniqueDialog& dialog = *a.View().UniqueDialog();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Searcher().Busy());
    EXPECT_FALSE(dialog.CancelButton()->isHidden());
    EXPECT_TRUE(dialog.SearchAgainButton()->isHidden());
    EXPECT_EQ(dialog.StatusLabel()->text(), "探しています...");
    // 40 of the 400 cells are filled: the square and two switches.
    EXPECT_EQ(dialog.CurrentLabel()->text(), "今のパズル: 閾値 0〜250・ブロック数 20・塗り 10%");

    QStringList events;
    std::vector<int> percents;
    QObject::connect(&dialog.Searcher(), &UniqueSearcher::found,
                     [&](const Suggestion&) { events << "found"; });
    QObject::connect(&dialog.Searcher(), &UniqueSearcher::finished,
                     [&](const UniqueSearchSummary&) { events << "finished"; });
    QObject::connect(&dialog.Searcher(), &UniqueSearcher::progress,
                     [&](int percent) { percents.push_back(percent); });
    dialog.CancelButton()->click();
    EXPECT_FALSE(dialog.Searcher().Busy());
    EXPECT_EQ(dialog.StatusLabel()->text(), "中止しました。それまでに見つかったものを示します。");
    QTest::qWait(100);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(percents.empty());

    dialog.SearchAgainButton()->click();
    EXPECT_TRUE(dialog.Searcher().Busy());
    ASSERT_TRUE(dialog.Searcher().WaitUntilFinished(kWait));
    ASSERT_GE(events.size(), 2);
    EXPECT_EQ(events.front(), "found");
    EXPECT_EQ(events.back(), "finished");
    EXPECT_EQ(events.count("finished"), 1);
    ASSERT_FALSE(percents.empty());
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents.back(), 100);
    EXPECT_EQ(dialog.Progress()->value(), 100);
    EXPECT_EQ(dialog.StatusLabel()->text(), "探し終わりました。");
    EXPECT_FALSE(dialog.ApplyButton()->isEnabled());
    dialog.BandList()->setCurrentRow(0);
    EXPECT_TRUE(dialog.ApplyButton()->isEnabled());
}

TEST_F(UniqueSearchTest, ANewAnalysisOrPictureClosesTheResults) {
    Load(a, "three.ppm", ThreeLevels());
    a.View().OnAnalyze();
    CUniqueDialog& dialog = Search(a);
    ASSERT_TRUE(dialog.Searcher().WaitUntilFinished(kWait));
    ASSERT_GT(dialog.BandList()->count() + dialog.CellList()->count(), 0);
    dialog.BandList()->setCurrentRow(0);

    const QString closed =
        "パズルが変わったので、結果を閉じました。「探し直す」で今のパズルについて探します。";
    a.View().OnAnalyze();
    EXPECT_FALSE(dialog.HasCurrentResults());
    EXPECT_EQ(dialog.BandList()->count() + dialog.CellList()->count(), 0);
    EXPECT_EQ(dialog.StatusLabel()->text(), closed);
    EXPECT_FALSE(dialog.ApplyButton()->isEnabled());
    EXPECT_FALSE(dialog.SearchAgainButton()->isHidden());

    // Searching again looks at the puzzle shown now; a new picture closes that too.
    dialog.SearchAgainButton()->click();
    EXPECT_TRUE(dialog.HasCurrentResults());
    ASSERT_TRUE(dialog.Searcher().WaitUntilFinished(kWait));
    EXPECT_GT(dialog.BandList()->count(), 0);
    Load(a, "other.ppm", ThreeLevels());
    EXPECT_FALSE(dialog.HasCurrentResults());
    EXPECT_EQ(dialog.BandList()->count(), 0);
    EXPECT_EQ(dialog.StatusLabel()->text(), closed);
}

TEST_F(UniqueSearchTest, SaysPlainlyWhenNoBandWorksAndShowsTheBest) {
    // Switches at three levels, each across 20-pixel blocks, so that the coarser block counts
    // see nothing: every band makes one to four switches.
    Levels levels;
    AddSwitch(levels, 1, 1, 40);
    AddSwitch(levels, 5, 5, 120);
    AddSwitch(levels, 11, 3, 120);
    AddSwitch(levels, 15, 15, 200);
    Load(a, "switches.ppm", levels);
    a.View().OnAnalyze();
    CUniqueDialog& dialog = Search(a);
    ASSERT_TRUE(dialog.Searcher().WaitUntilFinished(kWait));
    EXPECT_EQ(dialog.BandNote()->text(),
              "閾値とブロック数をどう変えても、解が一つのパズルになりません。"
              "決まらないマスが最も少ないものを示します。");
    ASSERT_EQ(dialog.BandList()->count(), 1);
    const Suggestion* best = dialog.SuggestionAt(dialog.BandList(), 0);
    EXPECT_EQ(best->verdict, Verdict::Multiple);
    EXPECT_EQ(best->undecidedCount, 4);
    EXPECT_TRUE(dialog.BandList()->item(0)->text().contains("複数解: 4 マスが決まりません"));
    // The cell changes have their own entry and say what it is.
    ASSERT_GT(dialog.CellList()->count(), 0);
    EXPECT_FALSE(dialog.CellNote()->text().isEmpty());
}

}  // namespace
