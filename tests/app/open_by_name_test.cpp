// Files named on the command line, in the recent-file list or dropped on the frame go through
// the flows of 入力(I) and パズルを開く: the same questions, messages and title; the window opens
// whatever the command line holds.  And where ヘルプ → Readme finds the installed Readme.html.
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "app/ngm_app.h"
#include "app/readme_search.h"
#include "support/writerless_pipe.h"
#include "window_test.h"

namespace {

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
