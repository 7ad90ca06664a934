// The main frame: menus, shortcuts and bars, the Readme command, and the document commands
// (open by name, new, save) with the recent-file list.
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include "app/ngm_app.h"
#include "app/readme_search.h"
#include "window_test.h"

namespace {

class FrameTest : public WindowTest {};

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
    EXPECT_EQ(tools, QList<QAction*>({Frame().Action(ID_FILE_OPEN), Frame().Action(ID_DRAWBOX),
                                      tools[2], Frame().Action(ID_APP_ABOUT)}));
    // Hovering a command shows its prompt in the status bar.
    Frame().Action(ID_README)->hover();
    Frame().Action(ID_README)->showStatusText(&Frame());
    EXPECT_EQ(Frame().StatusBar()->currentMessage(), "Readmeファイルを開きます");
}

TEST_F(FrameTest, ReadmeIsLookedForHereThenBesideTheProgramThenInTheDocumentation) {
    QTemporaryDir here, program, docs;
    const auto put = [](const QTemporaryDir& d) {
        QFile f(d.filePath("Readme.html"));
        f.open(QIODevice::WriteOnly);
    };
    const QStringList folders{here.path(), program.path(), docs.path()};
    EXPECT_EQ(FindReadme(folders), QString());
    QDir(here.path()).mkdir("Readme.html");  // a folder of that name is no guide
    put(docs);
    EXPECT_EQ(FindReadme(folders), QDir(docs.path()).absoluteFilePath("Readme.html"));
    put(program);
    EXPECT_EQ(FindReadme(folders), QDir(program.path()).absoluteFilePath("Readme.html"));
    EXPECT_EQ(ReadmeFolders().value(0), QDir::currentPath());
    EXPECT_EQ(ReadmeFolders().value(1), QCoreApplication::applicationDirPath());

    // The command opens the first one found, and says so when there is none.
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        ScriptedShellOpen shell;
        ScriptedMessageBoxes boxes;
        Frame().Action(ID_README)->trigger();
        if (FindReadme(ReadmeFolders()).isEmpty()) {
            EXPECT_EQ(boxes.Texts(), QStringList{"Readme.htmlファイルが見つかりません"});
            EXPECT_TRUE(shell.Opened().isEmpty());
        }
        put(dir);
        Frame().Action(ID_README)->trigger();
        EXPECT_EQ(shell.Opened().value(shell.Opened().size() - 1),
                  QDir(dir.path()).absoluteFilePath("Readme.html"));
    }
    QDir::setCurrent(old);
}

// A file named on the command line, by the desktop's "open with" or dropped on the frame is
// read as the input dialog and the puzzle dialog read theirs.
TEST_F(FrameTest, AFileOpenedByNameIsReadAsInTheDialogs) {
    const QByteArray cat = QByteArray::fromStdString(PpmOf(Plus()));
    const QString path = Write("cat.ppm", cat);
    ASSERT_TRUE(Frame().OpenDocumentFile(path));
    EXPECT_EQ(Frame().windowTitle(), "NGM - [" + QFileInfo(path).absoluteFilePath() + "]");
    EXPECT_TRUE(a.doc.HasPicture());
    EXPECT_TRUE(a.View().GetDlgItem(IDC_ANALYZE)->isEnabled());
    for (int i = 0; i < 5; ++i)
        Frame().OpenDocumentFile(Write(QString("f%1.ppm").arg(i), cat));
    EXPECT_EQ(Frame().RecentFiles().size(), 4);
    EXPECT_TRUE(Frame().RecentFiles().first().endsWith("f4.ppm"));

    // A puzzle file goes to the puzzle's own opening.
    const QString non = Write("l.non", "width 2\nheight 2\nrows\n1\n1\ncolumns\n2\n0\n");
    ASSERT_TRUE(Frame().OpenDocumentFile(non));
    EXPECT_TRUE(a.doc.HasPuzzle());
    EXPECT_FALSE(a.doc.HasPicture());
    EXPECT_EQ(Frame().windowTitle(), "NGM - [" + QFileInfo(non).absoluteFilePath() + "]");

    // Files that cannot be read get the dialogs' messages, and what is on screen stays.
    const QString fifo = dir.filePath("pipe.ppm");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ScriptedMessageBoxes boxes;
    EXPECT_FALSE(Frame().OpenDocumentFile(dir.filePath("missing.ppm")));
    EXPECT_FALSE(Frame().OpenDocumentFile(fifo));
    EXPECT_FALSE(Frame().OpenDocumentFile(Write("bad.non", "width 2\n")));
    ASSERT_EQ(boxes.Texts().size(), 3);
    EXPECT_EQ(boxes.Texts().mid(0, 2),
              (QStringList{"ファイルがオープンできません。", "画像ファイルではありません。"}));
    EXPECT_TRUE(boxes.Texts().at(2).startsWith("パズルファイルを読めません: "));
    EXPECT_TRUE(a.doc.HasPuzzle());
    EXPECT_FALSE(Frame().RecentFiles().contains(dir.filePath("missing.ppm")));
}

// The program's command line: the window opens whatever becomes of the file, options are no
// file names, and after "--" every word is one.
TEST_F(FrameTest, TheCommandLineOpensItsFileInTheOpenWindow) {
    const QString path = Write("-dash.ppm", QByteArray::fromStdString(PpmOf(Plus())));
    {
        CNGMApp app;
        ASSERT_TRUE(app.InitInstance({"--unknown", "--", QFileInfo(path).absoluteFilePath()}));
        EXPECT_TRUE(app.MainFrame()->isVisible());
        EXPECT_TRUE(app.Document().HasPicture());
    }
    ScriptedMessageBoxes boxes;
    CNGMApp app;
    ASSERT_TRUE(app.InitInstance({dir.filePath("missing.ppm")}));
    EXPECT_TRUE(app.MainFrame()->isVisible());
    EXPECT_EQ(boxes.Texts(), QStringList{"ファイルがオープンできません。"});
}

TEST_F(FrameTest, NewResetsTheForm) {
    CNGMView& view = a.View();
    view.OnHScroll(0, 0, nullptr);  // not a threshold bar: ignored
    view.m_nUpperThreshold = 12;
    Frame().Action(ID_FILE_NEW)->trigger();
    EXPECT_EQ(Frame().windowTitle(), "無題 - NGM");
    EXPECT_EQ(GetDlgItemText(view.Controls(), IDC_UPPER_EDIT), "250");
}

TEST_F(FrameTest, SaveWritesAnEmptyFileAndNeverOverwritesAnOpenedOne) {
    Frame().OpenDocumentFile(Write("keep.ppm", "P6\n1 1\n255\nabc"));
    EXPECT_TRUE(a.doc.HasPicture());
    const QString target = dir.filePath("puzzle.htm");
    ScriptedFileDialogs dialogs;
    dialogs.Choose(target);
    Frame().Action(ID_FILE_SAVE)->trigger();
    // Saving again writes the same file without asking.
    Frame().Action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(Read("keep.ppm"), QByteArray("P6\n1 1\n255\nabc"));
    EXPECT_EQ(QFileInfo(target).size(), 0);
    EXPECT_EQ(Frame().windowTitle(), "puzzle.htm - NGM");
}

}  // namespace
