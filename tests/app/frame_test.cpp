// The main frame: position and size, menus, shortcuts and bars, the always-on-top toggle, the
// Readme command, and the document commands (new, open by name, save) with the recent-file list.
#include <QComboBox>
#include <QDir>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "window_test.h"

namespace {

class FrameTest : public WindowTest {};

TEST_F(FrameTest, OpensAtItsPlaceShrunkToTheFormAndStaysThereOnTop) {
    EXPECT_EQ(Frame().pos(), QPoint(200, 25));
    EXPECT_LT(Frame().width(), 1500);
    EXPECT_LT(Frame().height(), 1000);
    // The whole form shows, with nothing left over beside it.
    EXPECT_EQ(Frame().centralWidget()->width(), a.View().width());
    EXPECT_EQ(Frame().windowTitle(), "無題 - NGM");

    QAction* topmost = Frame().Action(ID_TOPMOST);
    for (bool on : {true, false}) {
        topmost->trigger();
        EXPECT_EQ(Frame().IsTopmost(), on);
        EXPECT_EQ(topmost->isChecked(), on);
        EXPECT_EQ(Frame().pos(), QPoint(200, 25));
        EXPECT_TRUE(Frame().isVisible());
    }
}

TEST_F(FrameTest, MenusShortcutsToolBarAndPrompts) {
    const std::vector<QStringList> menus = {
        {"ﾌｧｲﾙ(&F)", "新規作成\tCtrl+N(&N)", "開く...\tCtrl+O(&O)", "パズルを開く...\tCtrl+Shift+O",
         "", "パズルをエクスポート...\tCtrl+E", "印刷(P)...", "", "最近使ったファイル", "",
         "アプリケーションの終了(&X)"},
        {"表示(&V)", "最前面表示(&D)", "", "ツール バー(&T)", "ステータス バー(&S)"},
        {"機能", "DrawBox\tCtrl+M(&M)", "画像を貼り付け\tCtrl+V", "",
         "一意なパズルを探す...\tCtrl+U"},
        {"ヘルプ(&H)", "Readme(R)", "バージョン情報 NGM(&A)..."},
    };
    const QList<QAction*> bar = Frame().menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<int>(menus.size()));
    for (std::size_t m = 0; m < menus.size(); ++m) {
        QStringList items{bar[m]->text()};
        for (QAction* item : bar[m]->menu()->actions()) {
            items << item->text();
            // The keys an item names after its tab are its shortcut.
            const QString keys = item->text().section('\t', 1).section('(', 0, 0);
            EXPECT_EQ(item->shortcut(), QKeySequence(keys)) << item->text().toStdString();
        }
        EXPECT_EQ(items, menus[m]);
    }

    const QList<QAction*> tools = Frame().ToolBar()->actions();
    ASSERT_EQ(tools.size(), 4);
    EXPECT_TRUE(tools[2]->isSeparator());
    EXPECT_EQ(tools, QList<QAction*>({Frame().Action(ID_FILE_OPEN), Frame().Action(ID_DRAWBOX),
                                      tools[2], Frame().Action(ID_APP_ABOUT)}));
    EXPECT_EQ(Frame().Action(ID_APP_ABOUT)->toolTip(), "バージョン情報");
    EXPECT_EQ(Frame().Action(ID_FILE_OPEN)->statusTip(), "既存のファイルを開く");
    EXPECT_EQ(Frame().Action(ID_DRAWBOX)->statusTip(), "入力画像を作ります");
    EXPECT_EQ(Frame().Action(ID_TOPMOST)->statusTip(), "最前面表示します");
    // Hovering a command shows its prompt in the status bar.
    Frame().Action(ID_README)->hover();
    Frame().Action(ID_README)->showStatusText(&Frame());
    EXPECT_EQ(Frame().StatusBar()->currentMessage(), "Readmeファイルを開きます");
}

TEST_F(FrameTest, ReadmeIsOpenedFromTheCurrentFolderOrReportedMissing) {
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        ScriptedShellOpen shell;
        ScriptedMessageBoxes boxes;
        Frame().Action(ID_README)->trigger();
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Texts().first(), "Readme.htmlファイルが見つかりません");
        EXPECT_EQ(boxes.All().front().flags, MB_OK);
        ASSERT_EQ(shell.Opened().size(), 1);
        EXPECT_EQ(shell.Opened().first(), QDir(dir.path()).absoluteFilePath("Readme.html"));

        Write("Readme.html", "<html></html>");
        boxes.Clear();
        Frame().Action(ID_README)->trigger();
        EXPECT_EQ(boxes.Count(), 0);
        EXPECT_EQ(shell.Opened().size(), 2);
    }
    QDir::setCurrent(old);
}

TEST_F(FrameTest, OpeningAFileByNameReadsNothingAndResetsTheForm) {
    const QString path = Write("cat.ppm", "P6\n2 2\n255\n............");
    CNGMView& view = a.View();
    view.OnHScroll(0, 0, nullptr);  // not a threshold bar: ignored
    view.m_nLowerThreshold = 30;
    ASSERT_TRUE(Frame().OpenDocumentFile(path));
    EXPECT_EQ(Frame().windowTitle(), "cat.ppm - NGM");
    EXPECT_EQ(view.m_nLowerThreshold, 0);
    EXPECT_FALSE(a.doc.HasPicture());
    EXPECT_FALSE(view.GetDlgItem(IDC_ANALYZE)->isEnabled());
    EXPECT_EQ(Frame().RecentFiles(), QStringList({QFileInfo(path).absoluteFilePath()}));

    for (int i = 0; i < 5; ++i)
        Frame().OpenDocumentFile(Write(QString("f%1.ppm").arg(i), "x"));
    EXPECT_EQ(Frame().RecentFiles().size(), 4);
    EXPECT_TRUE(Frame().RecentFiles().first().endsWith("f4.ppm"));

    ScriptedMessageBoxes boxes;
    EXPECT_FALSE(Frame().OpenDocumentFile(dir.filePath("missing.ppm")));
    EXPECT_EQ(boxes.Texts(), QStringList{"ドキュメントを開くことができませんでした。"});
    EXPECT_EQ(Frame().windowTitle(), "f4.ppm - NGM");
}

TEST_F(FrameTest, NewDocumentResetsTitleAndFormButKeepsEnabledStates) {
    CNGMView& view = a.View();
    Frame().OpenDocumentFile(Write("a.ppm", "x"));
    view.m_nUpperThreshold = 12;
    CheckDlgButton(view.Controls(), IDC_TEST_MODE, false);
    CheckDlgButton(view.Controls(), IDC_PLAY_MODE, true);
    view.m_comboBlocks->setCurrentIndex(0);
    view.GetDlgItem(IDC_ANALYZE)->setEnabled(true);
    Frame().Action(ID_FILE_NEW)->trigger();
    EXPECT_EQ(Frame().windowTitle(), "無題 - NGM");
    EXPECT_EQ(view.m_nUpperThreshold, 250);
    EXPECT_EQ(GetDlgItemText(view.Controls(), IDC_UPPER_EDIT), "250");
    EXPECT_TRUE(IsDlgButtonChecked(view.Controls(), IDC_TEST_MODE));
    EXPECT_EQ(view.m_comboBlocks->currentIndex(), -1);
    EXPECT_EQ(view.SelectedBlockCount(), 20);
    EXPECT_TRUE(view.GetDlgItem(IDC_ANALYZE)->isEnabled());
}

TEST_F(FrameTest, SaveWritesAnEmptyFileAndNeverOverwritesAnOpenedOne) {
    const QString picture = Write("keep.ppm", "P6\n1 1\n255\nabc");
    Frame().OpenDocumentFile(picture);
    const QString target = dir.filePath("puzzle.htm");
    {
        ScriptedFileDialogs dialogs;
        dialogs.Choose(QString());  // cancelled
        dialogs.Choose(target);
        Frame().Action(ID_FILE_SAVE)->trigger();
        Frame().Action(ID_FILE_SAVE)->trigger();
        ASSERT_EQ(dialogs.Requests().size(), 2u);
        EXPECT_TRUE(dialogs.Requests().front().save);
        EXPECT_EQ(dialogs.Requests().front().filter, "Web Pages (*.htm)");
        // Saving again writes the same file without asking.
        Frame().Action(ID_FILE_SAVE)->trigger();
        EXPECT_EQ(dialogs.Requests().size(), 2u);
    }
    EXPECT_EQ(Read("keep.ppm"), QByteArray("P6\n1 1\n255\nabc"));
    EXPECT_TRUE(QFileInfo(target).exists());
    EXPECT_EQ(QFileInfo(target).size(), 0);
    EXPECT_EQ(Frame().windowTitle(), "puzzle.htm - NGM");
}

TEST_F(FrameTest, AcceleratorsOfDisabledButtonsDoNothing) {
    Frame().Action(IDC_ANALYZE)->trigger();
    Frame().Action(IDC_PLAY)->trigger();
    EXPECT_EQ(a.doc.m_nGridSize, 0);
    EXPECT_FALSE(a.View().GetDlgItem(IDC_PLAY)->isEnabled());
}

}  // namespace
