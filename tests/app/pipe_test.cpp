// A named pipe with no writer, chosen from the recent-file list, is refused at once instead of
// waiting for a writer.  Every way a file comes in checks the file by the same function before
// opening it, so one way stands for all.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "app/main_frame.h"
#include "model/ngm_doc.h"
#include "support/scripted_ui.h"

namespace {

TEST(PipeTest, ARecentFileThatIsAPipeIsRefusedWithoutWaitingForAWriter) {
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

    // Should the opening wait for a writer after all, one comes after two seconds, so that the
    // test fails on the clock instead of hanging.
    std::atomic<bool> done = false;
    std::thread writer([&] {
        for (int i = 0; i < 200 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    ScriptedMessageBoxes boxes;
    QElapsedTimer clock;
    clock.start();
    recent->trigger();
    EXPECT_LT(clock.elapsed(), 1000);
    done = true;
    writer.join();
    ASSERT_EQ(boxes.Texts(), QStringList{QStringLiteral("画像ファイルではありません。")});
    EXPECT_EQ(boxes.All()[0].flags, MB_ICONINFORMATION);
    EXPECT_FALSE(doc.HasPicture());
    // The pipe never opened as a document: it leaves the recent-file list.
    EXPECT_TRUE(frame.RecentFiles().isEmpty());
}

}  // namespace
