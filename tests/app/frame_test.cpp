// The main frame: menus, shortcuts and bars, and the document commands new and save; in
// English, with the English texts installed, every text of the main window (menus, prompts,
// tool tips, the form's controls, the status bar) is English, the shortcut each menu item names
// is its shortcut, and taking the texts away brings the Japanese back.  The verdict on screen:
// the yellow marks on the undecided blocks, no verdict of an analysis that a newer one replaced,
// and the status bar pane and its tool tip, emptied by a new picture.
// Files named on the command line, in the recent-file list or dropped on the frame go through
// the flows of 入力(I) and パズルを開く: the same questions, messages and title; the window opens
// whatever the command line holds.  And where ヘルプ → Readme finds the installed Readme.html.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>

#include "app/ngm_app.h"
#include "app/readme_search.h"
#include "construct/suggestion_text.h"
#include "construct/unique_dialog.h"
#include "render/block_panels.h"
#include "session/verdict_text.h"
#include "support/english_texts.h"
#include "support/japanese_text.h"
#include "support/writerless_pipe.h"
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
         "一意なパズルを探す...\tCtrl+U", "作業台\tCtrl+B", "", "パズル集..."},
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

// Typed into the block count's combo box or a threshold edit, the window's shortcuts run their
// commands (Ctrl+A analyses, Ctrl+U searches) and leave the text as it was.
TEST_F(FrameTest, WindowShortcutsWinOverTheFormsFields) {
    Load(a, QStringLiteral("plus.ppm"), Plus());
    CNGMView& view = a.View();
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    view.m_comboBlocks->setCurrentIndex(view.m_comboBlocks->findText(QStringLiteral("30")));
    QLineEdit* blocks = view.m_comboBlocks->lineEdit();
    blocks->setFocus();
    QTest::keyClick(blocks, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(a.doc.GetPuzzle().width, 30);
    ASSERT_TRUE(a.WaitForVerdict());
    QTest::keyClick(blocks, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(view.m_comboBlocks->currentText(), QStringLiteral("30"));
    ASSERT_NE(view.UniqueDialog(), nullptr);
    EXPECT_TRUE(view.UniqueDialog()->Searcher().WaitUntilFinished(60000));
    view.UniqueDialog()->hide();
    auto* lower = qobject_cast<QLineEdit*>(view.GetDlgItem(IDC_LOWER_EDIT));
    ASSERT_NE(lower, nullptr);
    lower->setFocus();
    QTest::keyClick(lower, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(lower->text(), QStringLiteral("0"));
    EXPECT_TRUE(view.UniqueDialog()->isVisible());
    EXPECT_TRUE(view.UniqueDialog()->Searcher().WaitUntilFinished(60000));
}

TEST_F(FrameTest, SaveWritesAnEmptyFileAndNeverOverwritesAnOpenedOneAndNewResets) {
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
    // New resets the form.
    a.View().OnHScroll(0, 0, nullptr);  // not a threshold bar: ignored
    a.View().Session().Settings().upper = 12;
    Frame().Action(ID_FILE_NEW)->trigger();
    EXPECT_EQ(Frame().windowTitle(), "無題 - NGM");
    EXPECT_EQ(GetDlgItemText(a.View().Controls(), IDC_UPPER_EDIT), "250");
}

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

TEST_F(FrameTest, MainWindowMenusAndFormSpeakEnglishUntilTheTextsAreRemoved) {
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

class VerdictTest : public WindowTest {
protected:
    void Analyze(bool testMode) {
        CheckDlgButton(a.View().Controls(), IDC_TEST_MODE, testMode);
        CheckDlgButton(a.View().Controls(), IDC_PLAY_MODE, !testMode);
        a.View().OnAnalyze();
    }
    QImage Preview() { return a.View().m_bmpPreview.Image().copy(); }
};

// A new analysis cancels the judgement still running; the verdict and its explanation go to the
// pane and its tool tip, and a new picture empties both.  On a picture of undecided blocks, in
// test mode, yellow marks show them.
TEST_F(VerdictTest, ANewAnalysisCancelsTheJudgementAndUndecidedBlocksGetYellowMarks) {
    Load(a, "plus.ppm", Plus());
    QStringList shown;
    QObject::connect(&a.View(), &CNGMView::verdictChanged,
                     [&shown](const QString& text, const QString&) {
                         if (!text.isEmpty())
                             shown << text;
                     });
    Analyze(true);
    Analyze(true);
    Analyze(false);
    ASSERT_TRUE(a.WaitForVerdict());
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.size(), 1) << shown.join(" | ").toStdString();
    EXPECT_EQ(a.Pane().text(), "一意解・論理で解けます (難易度 1)");
    EXPECT_EQ(a.Pane().toolTip(),
              "答えは一つだけで、行と列のヒントから理詰めで一マスずつ決めていけば解けます。");
    // A switch: two black blocks on a diagonal, which the clues cannot tell from the other.
    LevelMap levels;
    AddSwitch(levels, 4, 6, 0);
    Load(a, "switch.ppm", levels);
    EXPECT_TRUE(a.Pane().text().isEmpty());
    EXPECT_TRUE(a.Pane().toolTip().isEmpty());

    a.View().m_comboBlocks->setCurrentIndex(2);
    Analyze(true);
    const QImage before = Preview();
    ASSERT_TRUE(a.WaitForVerdict());
    // Four cells of 400 make no picture: the pane warns, and the verdict moves to its tip.
    EXPECT_EQ(a.Pane().text(),
              "注意: 塗るマスが 5 % 未満です。「自動」を試すか、範囲を動かしてください");
    EXPECT_EQ(a.Pane().toolTip(),
              "これでは絵になりません。判定は「複数解: 4 マスが決まりません」ですが、明るさの範囲か"
              "ブロック数を変えてください。");
    const QImage after = Preview();

    // Exactly the centre squares of the four switch blocks turned yellow, over red and white.
    const int s = UndecidedMarkSide(10), offset = (10 - s + 1) / 2;
    ASSERT_EQ(s, 3);
    int changed = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const int i = x / 10, j = y / 10, u = x % 10, v = y % 10;
            const bool mark = i >= 4 && i <= 5 && j >= 6 && j <= 7 && u >= offset &&
                              u < offset + s && v >= offset && v < offset + s && x < 200 && y < 200;
            if (mark) {
                EXPECT_EQ(after.pixel(x, y) & 0xffffff, 0xffff00u) << x << "," << y;
            } else if (before.pixel(x, y) != after.pixel(x, y)) {
                ++changed;
            }
        }
    }
    EXPECT_EQ(changed, 0);
}

const char kSeveralFiles[] = "複数ファイルは対処できません。すみません。";

class OpenByNameTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        plus = Write(QStringLiteral("plus.ppm"), QByteArray::fromStdString(PpmOf(Plus())));
        heart = Write(QStringLiteral("heart.non"), kHeartNon);
    }
    QString Title(const QString& path) { return QStringLiteral("NGM - [") + path + "]"; }
    void DropOnFrame(const QStringList& paths) {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        // Beside the form: on the frame's status bar.
        const QPoint at(2, Frame().height() - 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame(), &drop);
    }

    QString plus;
    QString heart;
};

TEST_F(OpenByNameTest, TheCommandLineOpensAsTheDialogsDoAndTheWindowAlwaysOpens) {
    const QString pipePicture = dir.filePath(QStringLiteral("pipe.ppm"));
    WriterlessPipe writerlessPicture(pipePicture);
    const QString dash =
        Write(QStringLiteral("-dash.ppm"), QByteArray::fromStdString(PpmOf(Plus())));
    enum Shown { kNothing, kPicture, kPuzzle };
    const struct {
        QStringList arguments;
        QStringList messages;
        Shown shown;
        QString title;  // empty: the title of an empty window
    } cases[] = {
        {{heart}, {}, kPuzzle, Title(heart)},
        {{"--no-such-option", plus}, {}, kPicture, Title(plus)},
        {{"--", dash}, {}, kPicture, Title(dash)},
        // As in the input dialog, the title names the file before it is read.
        {{pipePicture}, {"画像ファイルではありません。"}, kNothing, Title(pipePicture)},
        {{plus, heart}, {kSeveralFiles}, kNothing, ""},
        {{}, {}, kNothing, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        ScriptedMessageBoxes boxes;
        QElapsedTimer clock;
        clock.start();
        CNGMApp app;
        ASSERT_TRUE(app.InitInstance(c.arguments));
        EXPECT_LT(clock.elapsed(), 1000);
        CMainFrame& frame = *app.MainFrame();
        EXPECT_TRUE(frame.isVisible());
        EXPECT_EQ(boxes.Texts(), c.messages);
        EXPECT_EQ(frame.windowTitle(), c.title.isEmpty() ? QString("無題 - NGM") : c.title);
        EXPECT_EQ(app.Document().HasPicture(), c.shown == kPicture);
        EXPECT_EQ(app.Document().HasPuzzle(), c.shown == kPuzzle);
        EXPECT_EQ(frame.View()->GetDlgItem(IDC_ANALYZE)->isEnabled(), c.shown == kPicture);
        EXPECT_EQ(frame.View()->GetDlgItem(IDC_PLAY)->isEnabled(), c.shown == kPuzzle);
        if (c.shown != kNothing) {
            EXPECT_EQ(frame.RecentFiles().value(0), c.title.mid(7).chopped(1));
        }
        if (c.shown == kPuzzle) {
            EXPECT_TRUE(frame.View()->Judge()->WaitUntilDelivered(60000));
        }
    }
}

TEST_F(OpenByNameTest, RecentFilesAndFrameDropsOpenAsTheDialogsDo) {
    CMainFrame& frame = Frame();
    ScriptedMessageBoxes boxes;
    DropOnFrame({heart});
    ASSERT_TRUE(a.doc.HasPuzzle());
    EXPECT_EQ(frame.windowTitle(), Title(heart));
    ASSERT_TRUE(a.WaitForVerdict());
    DropOnFrame({plus});
    EXPECT_TRUE(a.doc.HasPicture());
    EXPECT_TRUE(a.View().Session().Info().contains("[plus.ppm]\r\n"));
    EXPECT_EQ(frame.RecentFiles(), QStringList({plus, heart}));
    DropOnFrame({plus, heart});
    EXPECT_EQ(boxes.Texts(), QStringList{kSeveralFiles});
    // A puzzle file dropped on the form itself opens as a puzzle too.
    a.View().OnDropFiles({heart});
    EXPECT_TRUE(a.doc.HasPuzzle());
    EXPECT_FALSE(a.doc.HasPicture());
    ASSERT_TRUE(a.WaitForVerdict());
    boxes.Clear();

    // The recent-file entries are in the file menu, newest first.
    QMenu* file = frame.menuBar()->actions().first()->menu();
    emit file->aboutToShow();
    auto entry = [&](const QString& path) -> QAction* {
        for (QAction* item : file->actions())
            if (item->text().endsWith(path))
                return item;
        return nullptr;
    };
    ASSERT_NE(entry(heart), nullptr);
    entry(heart)->trigger();
    EXPECT_TRUE(a.doc.HasPuzzle());
    EXPECT_FALSE(a.doc.HasPicture());
    EXPECT_EQ(frame.windowTitle(), Title(heart));
    EXPECT_EQ(frame.RecentFiles(), QStringList({heart, plus}));
    ASSERT_TRUE(a.WaitForVerdict());

    // A file gone since is reported as in the dialog and leaves the list.
    QFile::remove(plus);
    emit file->aboutToShow();
    ASSERT_NE(entry(plus), nullptr);
    entry(plus)->trigger();
    EXPECT_EQ(boxes.Texts(), QStringList{"ファイルがオープンできません。"});
    EXPECT_EQ(frame.RecentFiles(), QStringList{heart});
    // The list keeps the last four.
    for (int i = 0; i < 5; ++i)
        frame.OpenDocumentFile(Write(QString("f%1.non").arg(i), kHeartNon));
    EXPECT_EQ(frame.RecentFiles().size(), 4);
    EXPECT_TRUE(frame.RecentFiles().first().endsWith("f4.non"));
}

// ヘルプ → Readme looks here, beside the program, in the documentation beside the program's
// prefix (the Debian package installs to /usr a program built for /usr/local), then in the
// configured documentation folder.
TEST_F(OpenByNameTest, ReadmeIsLookedForHereThenBesideTheProgramThenInTheDocumentation) {
    // From a folder of its own, so that here and beside the program are two folders whatever
    // folder the test runs from.
    struct Back {
        QString path;
        ~Back() { QDir::setCurrent(path); }
    } back{QDir::currentPath()};
    QDir::setCurrent(dir.path());
    ASSERT_NE(QDir::currentPath(), QCoreApplication::applicationDirPath());
    const QStringList order = ReadmeFolders();
    ASSERT_EQ(order.size(), 4);
    EXPECT_EQ(order.mid(0, 3),
              (QStringList{
                  QDir::currentPath(), QCoreApplication::applicationDirPath(),
                  QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/doc/ngm")}));
    EXPECT_TRUE(order[3].endsWith("/share/doc/ngm")) << order[3].toStdString();

    QTemporaryDir here, program, docs;
    const auto put = [](const QTemporaryDir& d) {
        QFile(d.filePath("Readme.html")).open(QIODevice::WriteOnly);
    };
    const QStringList folders{here.path(), program.path(), docs.path()};
    EXPECT_EQ(FindReadme(folders), QString());
    QDir(here.path()).mkdir("Readme.html");  // a folder of that name is no guide
    put(docs);
    EXPECT_EQ(FindReadme(folders), QDir(docs.path()).absoluteFilePath("Readme.html"));
    put(program);
    EXPECT_EQ(FindReadme(folders), QDir(program.path()).absoluteFilePath("Readme.html"));

    // The command opens the first one found, and says so when there is none.
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
}

}  // namespace
