// Files named on the command line, in the recent-file list or dropped on the frame go through
// the flows of 入力(I) and パズルを開く: the same questions, messages and title; the window opens
// whatever the command line holds.  And where ヘルプ → Readme finds the installed Readme.html.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <atomic>
#include <thread>

#include "app/ngm_app.h"
#include "app/readme_search.h"
#include "window_test.h"

namespace {

const char kHeartNon[] =
    "width 5\nheight 5\nrows\n1,1\n5\n5\n3\n1\ncolumns\n2\n4\n4\n4\n2\n"
    "goal \"0101011111111110111000100\"\n";
const char kSeveralFiles[] = "複数ファイルは対処できません。すみません。";

// A named pipe with no writer.  Should an opening wait for a writer after all, one comes after
// two seconds, so that a test fails on the clock instead of hanging.
class Pipe {
public:
    explicit Pipe(const QString& path) : m_path(path) {
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        m_writer = std::thread([this] {
            for (int i = 0; i < 200 && !m_done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const int fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
    }
    ~Pipe() {
        m_done = true;
        m_writer.join();
    }

private:
    QString m_path;
    std::atomic<bool> m_done = false;
    std::thread m_writer;
};

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
    // The picture cases of the command line are in the frame tests; here the puzzle files, the
    // question of the input dialog, and what is not one file.
    const QString pipe = dir.filePath(QStringLiteral("pipe.non"));
    Pipe writerless(pipe);
    const QString wide =
        Write(QStringLiteral("wide.ppm"), "P6\n300 20\n255\n" + QByteArray(300 * 20 * 3, '\x80'));
    enum Shown { kNothing, kPicture, kPuzzle };
    const struct {
        QStringList arguments;
        QStringList messages;
        Shown shown;
        QString title;  // empty: the title of an empty window
    } cases[] = {
        {{heart}, {}, kPuzzle, Title(heart)},
        {{"--no-such-option", plus}, {}, kPicture, Title(plus)},
        {{dir.filePath("missing.non")},
         {"パズルファイルを読めません: ファイルを開けません"},
         kNothing,
         ""},
        {{pipe}, {"パズルファイルを読めません: ファイルではありません"}, kNothing, ""},
        // The question of the dialog, answered No (the default): nothing is drawn.
        {{wide},
         {"入力画像サイズが260X260を超えていて表示しきれない可能性があります。\n続けますか？"},
         kNothing,
         ""},
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
    EXPECT_TRUE(a.View().m_strImageInfo.contains("[plus.ppm]\r\n"));
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
}

// The Debian package installs to /usr a program built for /usr/local: the documentation folder
// beside the program's prefix comes before the configured one.
TEST_F(OpenByNameTest, ReadmeIsLookedForInTheDocumentationBesideTheProgram) {
    const QStringList folders = ReadmeFolders();
    ASSERT_EQ(folders.size(), 4);
    EXPECT_EQ(folders[2],
              QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/doc/ngm"));
    EXPECT_TRUE(folders[3].endsWith("/share/doc/ngm")) << folders[3].toStdString();
}

}  // namespace
