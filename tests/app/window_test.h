// The main window as the window tests open it: settings in a folder of the test's own, pictures
// of gray blocks dropped on the form, and the wait for the judge's verdict.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "../maker/block_pictures.h"
#include "app/main_frame.h"
#include "construct/ngm_view.h"
#include "construct/verdict_judge.h"
#include "res/dialog_template.h"
#include "session/ngm_doc.h"
#include "support/scripted_ui.h"

// A 5 x 5 heart with its answer, as a .non file.
inline constexpr char kHeartNon[] =
    "width 5\nheight 5\nrows\n1,1\n5\n5\n3\n1\ncolumns\n2\n4\n4\n4\n2\n"
    "goal \"0101011111111110111000100\"\n";

// A plus sign of black blocks, which line logic alone solves.
inline LevelMap Plus() {
    LevelMap levels;
    AddRectangle(levels, 8, 0, 4, 20, 0);
    AddRectangle(levels, 0, 8, 20, 4, 0);
    return levels;
}

struct Window {
    CNGMDoc doc;
    std::unique_ptr<CMainFrame> frame;

    CNGMView& View() { return *frame->View(); }
    QLabel& Pane() { return *frame->VerdictPane(); }
    bool WaitForVerdict() { return View().Judge()->WaitUntilDelivered(60000); }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        QCoreApplication::setOrganizationName(QStringLiteral("NGM tests"));
        QCoreApplication::setApplicationName(QStringLiteral("NGM"));
        a.doc.m_strTitle = QStringLiteral("無題");
        a.frame = std::make_unique<CMainFrame>(&a.doc);
        a.frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(a.frame.get()));
    }
    CMainFrame& Frame() { return *a.frame; }
    QString Write(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QByteArray Read(const QString& name) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    // Drops the picture on the form, and analyses it when asked.
    void Load(Window& w, const QString& name, const LevelMap& levels, bool analyse = false) {
        w.View().OnDropFiles({Write(name, QByteArray::fromStdString(PpmOf(levels)))});
        if (analyse)
            w.View().OnAnalyze();
    }

    QTemporaryDir dir;
    Window a;
};
