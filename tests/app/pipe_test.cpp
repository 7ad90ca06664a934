// A named pipe with no writer, reached by every way a file comes in through the main window:
// the open dialog of File > Open and of Ctrl+I, the recent-file list and a drop on the form.
// Each refuses it at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <atomic>
#include <functional>
#include <thread>

#include "app/main_frame.h"
#include "construct/ngm_view.h"
#include "model/ngm_doc.h"
#include "res/dialog_template.h"
#include "support/scripted_ui.h"

namespace {

TEST(PipeTest, EveryWayInRefusesAPipeWithoutWaitingForAWriter) {
    QTemporaryDir dir;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QCoreApplication::setOrganizationName("NGM pipe tests");
    QCoreApplication::setApplicationName("NGM");
    const QString fifo = dir.filePath(QStringLiteral("pipe.ppm"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QSettings().setValue(QStringLiteral("Recent File List/File1"), fifo);

    CNGMDoc doc;
    doc.m_strTitle = QStringLiteral("無題");
    CMainFrame frame(&doc);
    QMenu* fileMenu = frame.menuBar()->actions().first()->menu();
    emit fileMenu->aboutToShow();
    QAction* recent = nullptr;
    for (QAction* a : fileMenu->actions()) {
        if (a->text().endsWith(fifo))
            recent = a;
    }
    ASSERT_NE(recent, nullptr);

    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(fifo)});
    const struct {
        const char* way;
        std::function<void()> take;
    } ways[] = {
        {"File > Open", [&] { frame.Action(ID_FILE_OPEN)->trigger(); }},
        {"Ctrl+I", [&] { frame.Action(IDC_INPUT)->trigger(); }},
        {"recent file", [&] { recent->trigger(); }},
        {"drop on the form",
         [&] {
             QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton,
                                   Qt::NoModifier);
             QCoreApplication::sendEvent(frame.View(), &enter);
             QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton,
                             Qt::NoModifier);
             QCoreApplication::sendEvent(frame.View(), &drop);
         }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        // Should the opening wait for a writer after all, one comes after two seconds, so
        // that the test fails on the clock instead of hanging.
        std::atomic<bool> done = false;
        std::thread writer([&] {
            for (int i = 0; i < 200 && !done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
        ScriptedMessageBoxes boxes;
        ScriptedFileDialogs dialogs;
        dialogs.Choose(fifo);
        QElapsedTimer clock;
        clock.start();
        w.take();
        EXPECT_LT(clock.elapsed(), 1000);
        done = true;
        writer.join();
        EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("画像ファイルではありません。")});
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.All()[0].flags, MB_ICONINFORMATION);
        EXPECT_FALSE(doc.HasPicture());
    }
    // The pipe never opened as a document: it leaves the recent-file list.
    EXPECT_TRUE(frame.RecentFiles().isEmpty());
}

}  // namespace
