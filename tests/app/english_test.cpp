// The windows in English: with the English texts installed, every text of the main window (menus,
// prompts, tool tips, the form's controls, the status bar) is English, the shortcut each menu
// item names is its shortcut, and taking the texts away brings the Japanese back.
#include <QAbstractButton>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>

#include "construct/suggestion_text.h"
#include "session/verdict_text.h"
#include "support/english_texts.h"
#include "support/japanese_text.h"
#include "window_test.h"

namespace {

// Every text a user can see on the frame and its form, without the file names of the
// recent-file list.
QStringList VisibleTexts(CMainFrame& frame) {
    QStringList texts;
    for (QAction* a : frame.findChildren<QAction*>())
        texts << a->text() << a->statusTip() << a->toolTip();
    for (QMenu* m : frame.findChildren<QMenu*>())
        texts << m->title();
    for (QAbstractButton* b : frame.findChildren<QAbstractButton*>())
        texts << b->text();
    for (QGroupBox* g : frame.findChildren<QGroupBox*>())
        texts << g->title();
    for (QLabel* l : frame.findChildren<QLabel*>())
        texts << l->text();
    return texts;
}

class EnglishTest : public WindowTest {};

TEST_F(EnglishTest, MainWindowMenusAndFormSpeakEnglishUntilTheTextsAreRemoved) {
    CNGMDoc doc;
    {
        EnglishTexts english;
        ASSERT_TRUE(english.Loaded());
        CMainFrame frame(&doc);
        const QStringList texts = VisibleTexts(frame);
        for (const QString& t : texts)
            EXPECT_FALSE(HasJapanese(t)) << t.toStdString();
        const QList<QAction*> bar = frame.menuBar()->actions();
        ASSERT_EQ(bar.size(), 4);
        EXPECT_EQ(bar[0]->text(), QStringLiteral("&File"));
        for (QAction* menu : bar) {
            for (QAction* item : menu->menu()->actions()) {
                const QString keys = item->text().section('\t', 1);
                EXPECT_EQ(item->shortcut(), QKeySequence(keys)) << item->text().toStdString();
            }
        }
        // The operating panel's buttons, the idle prompt and a verdict.
        EXPECT_EQ(frame.View()->GetDlgItem(IDC_INPUT)->property("text").toString(),
                  QStringLiteral("Open"));
        EXPECT_EQ(frame.View()->GetDlgItem(IDC_PLAY)->property("text").toString(),
                  QStringLiteral("Play"));
        EXPECT_TRUE(texts.contains(QStringLiteral("Ready")));
        SolveResult result;
        result.verdict = Verdict::Multiple;
        result.undecidedCount = 12;
        EXPECT_EQ(DescribeVerdict(result).text,
                  QStringLiteral("Several solutions: 12 cells undecided"));
        Suggestion cells;
        cells.kind = SuggestionKind::Cells;
        cells.changed = {4};
        EXPECT_EQ(SuggestionTitle(cells), QStringLiteral("Change 1 cell"));
        cells.changed = {4, 9};
        EXPECT_EQ(SuggestionTitle(cells), QStringLiteral("Change 2 cells"));
    }
    CMainFrame frame(&doc);
    EXPECT_EQ(frame.menuBar()->actions().value(0)->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
    EXPECT_EQ(frame.View()->GetDlgItem(IDC_PLAY)->property("text").toString(),
              QStringLiteral("プレイ(P)"));
}

}  // namespace
