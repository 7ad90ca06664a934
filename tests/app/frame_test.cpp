// The main frame: position and size, bars, the always-on-top toggle, the Readme command, and
// the document commands (new, open by name, save) with the recent-file list.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "app/main_frame.h"
#include "model/ngm_doc.h"
#include "construct/ngm_view.h"
#include "res/dialog_template.h"
#include "support/scripted_ui.h"

namespace {

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        QCoreApplication::setOrganizationName("NGM tests");
        QCoreApplication::setApplicationName("NGM");
        QSettings().clear();
        doc.m_strTitle = "無題";
        frame = std::make_unique<CMainFrame>(&doc);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    QString WriteFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    QTemporaryDir dir;
    CNGMDoc doc;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(FrameTest, OpensAtItsPlaceShrunkToTheForm) {
    EXPECT_EQ(frame->pos(), QPoint(200, 25));
    EXPECT_LT(frame->width(), 1500);
    EXPECT_LT(frame->height(), 1000);
    // The whole form shows, with nothing left over beside it.
    EXPECT_EQ(frame->centralWidget()->width(), frame->View()->width());
    EXPECT_EQ(frame->windowTitle(), "無題 - NGM");
}

TEST_F(FrameTest, ToolBarMenuAndPromptsComeFromTheResources) {
    const QList<QAction*> tools = frame->ToolBar()->actions();
    ASSERT_EQ(tools.size(), 4);
    EXPECT_EQ(tools[0], frame->Action(ID_FILE_OPEN));
    EXPECT_EQ(tools[1], frame->Action(ID_DRAWBOX));
    EXPECT_TRUE(tools[2]->isSeparator());
    EXPECT_EQ(tools[3], frame->Action(ID_APP_ABOUT));
    EXPECT_EQ(frame->Action(ID_APP_ABOUT)->toolTip(), "バージョン情報");
    EXPECT_EQ(frame->Action(ID_FILE_OPEN)->statusTip(), "既存のファイルを開く");
    EXPECT_EQ(frame->Action(ID_README)->statusTip(), "Readmeファイルを開きます");
    EXPECT_EQ(frame->Action(ID_DRAWBOX)->statusTip(), "入力画像を作ります");
    EXPECT_EQ(frame->Action(ID_TOPMOST)->statusTip(), "最前面表示します");

    QStringList menus;
    for (QAction* a : frame->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"ﾌｧｲﾙ(&F)", "表示(&V)", "機能", "ヘルプ(&H)"}));

    // Hovering a command shows its prompt in the status bar.
    frame->Action(ID_README)->hover();
    frame->Action(ID_README)->showStatusText(frame.get());
    EXPECT_EQ(frame->StatusBar()->currentMessage(), "Readmeファイルを開きます");
}

TEST_F(FrameTest, TopmostTogglesWithItsCheckMark) {
    EXPECT_FALSE(frame->IsTopmost());
    frame->Action(ID_TOPMOST)->trigger();
    EXPECT_TRUE(frame->IsTopmost());
    EXPECT_TRUE(frame->Action(ID_TOPMOST)->isChecked());
    EXPECT_EQ(frame->pos(), QPoint(200, 25));
    frame->Action(ID_TOPMOST)->trigger();
    EXPECT_FALSE(frame->IsTopmost());
    EXPECT_FALSE(frame->Action(ID_TOPMOST)->isChecked());
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(FrameTest, ReadmeIsOpenedFromTheCurrentFolderOrReportedMissing) {
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        ScriptedShellOpen shell;
        ScriptedMessageBoxes boxes;
        frame->Action(ID_README)->trigger();
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Texts().first(), "Readme.htmlファイルが見つかりません");
        EXPECT_EQ(boxes.All().front().flags, MB_OK);
        ASSERT_EQ(shell.Opened().size(), 1);
        EXPECT_EQ(shell.Opened().first(), QDir(dir.path()).absoluteFilePath("Readme.html"));

        WriteFile("Readme.html", "<html></html>");
        boxes.Clear();
        frame->Action(ID_README)->trigger();
        EXPECT_EQ(boxes.Count(), 0);
        EXPECT_EQ(shell.Opened().size(), 2);
    }
    QDir::setCurrent(old);
}

TEST_F(FrameTest, OpeningAFileByNameReadsNothingAndResetsTheForm) {
    const QString path = WriteFile("cat.ppm", "P6\n2 2\n255\n............");
    CNGMView* view = frame->View();
    view->OnHScroll(0, 0, nullptr);  // not a threshold bar: ignored
    view->m_nLowerThreshold = 30;
    ASSERT_TRUE(frame->OpenDocumentFile(path));
    EXPECT_EQ(frame->windowTitle(), "cat.ppm - NGM");
    EXPECT_EQ(view->m_nLowerThreshold, 0);
    EXPECT_FALSE(doc.HasPicture());  // no picture is loaded this way
    EXPECT_FALSE(view->GetDlgItem(IDC_ANALYZE)->isEnabled());
    EXPECT_EQ(frame->RecentFiles(), QStringList({QFileInfo(path).absoluteFilePath()}));

    for (int i = 0; i < 5; ++i) {
        frame->OpenDocumentFile(WriteFile(QString("f%1.ppm").arg(i), "x"));
    }
    EXPECT_EQ(frame->RecentFiles().size(), 4);
    EXPECT_TRUE(frame->RecentFiles().first().endsWith("f4.ppm"));

    ScriptedMessageBoxes boxes;
    EXPECT_FALSE(frame->OpenDocumentFile(dir.filePath("missing.ppm")));
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(frame->windowTitle(), "f4.ppm - NGM");
}

TEST_F(FrameTest, NewDocumentResetsTitleAndFormButKeepsEnabledStates) {
    CNGMView* view = frame->View();
    frame->OpenDocumentFile(WriteFile("a.ppm", "x"));
    view->m_nUpperThreshold = 12;
    CheckDlgButton(view->Controls(), IDC_TEST_MODE, false);
    CheckDlgButton(view->Controls(), IDC_PLAY_MODE, true);
    view->m_comboBlocks->setCurrentIndex(0);
    view->GetDlgItem(IDC_ANALYZE)->setEnabled(true);
    frame->Action(ID_FILE_NEW)->trigger();
    EXPECT_EQ(frame->windowTitle(), "無題 - NGM");
    EXPECT_EQ(view->m_nUpperThreshold, 250);
    EXPECT_EQ(GetDlgItemText(view->Controls(), IDC_UPPER_EDIT), "250");
    EXPECT_TRUE(IsDlgButtonChecked(view->Controls(), IDC_TEST_MODE));
    EXPECT_EQ(view->m_comboBlocks->currentIndex(), -1);
    EXPECT_EQ(view->SelectedBlockCount(), 20);
    EXPECT_TRUE(view->GetDlgItem(IDC_ANALYZE)->isEnabled());
}

TEST_F(FrameTest, SaveWritesAnEmptyFileAndNeverOverwritesAnOpenedOne) {
    const QString picture = WriteFile("keep.ppm", "P6\n1 1\n255\nabc");
    frame->OpenDocumentFile(picture);
    {
        ScriptedFileDialogs dialogs;  // cancelled
        frame->Action(ID_FILE_SAVE)->trigger();
        ASSERT_EQ(dialogs.Requests().size(), 1u);
        EXPECT_TRUE(dialogs.Requests().front().save);
        EXPECT_EQ(dialogs.Requests().front().filter, "Web Pages (*.htm)");
    }
    QFile kept(picture);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("P6\n1 1\n255\nabc"));

    const QString target = dir.filePath("puzzle.htm");
    {
        ScriptedFileDialogs dialogs;
        dialogs.Choose(target);
        frame->Action(ID_FILE_SAVE)->trigger();
    }
    EXPECT_TRUE(QFileInfo(target).exists());
    EXPECT_EQ(QFileInfo(target).size(), 0);
    EXPECT_EQ(frame->windowTitle(), "puzzle.htm - NGM");
    {
        ScriptedFileDialogs dialogs;  // saving again writes the same file without asking
        frame->Action(ID_FILE_SAVE)->trigger();
        EXPECT_TRUE(dialogs.Requests().empty());
    }
}

TEST_F(FrameTest, AcceleratorsOfDisabledButtonsDoNothing) {
    frame->Action(IDC_ANALYZE)->trigger();
    frame->Action(IDC_PLAY)->trigger();
    EXPECT_EQ(doc.m_nGridSize, 0);
    EXPECT_FALSE(frame->View()->GetDlgItem(IDC_PLAY)->isEnabled());
}

}  // namespace
