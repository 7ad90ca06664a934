// The verdict on screen: the status bar pane after each analysis, its reset by a new picture,
// and the yellow marks on the undecided blocks in test mode only.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "app/main_frame.h"
#include "construct/block_grid.h"
#include "construct/ngm_view.h"
#include "construct/verdict_judge.h"
#include "model/ngm_doc.h"
#include "res/dialog_template.h"
#include "support/scripted_ui.h"

namespace {

// Pictures of 200 x 200 pixels drawn in 10-pixel blocks: 20 x 20 blocks at N = 20 (B = 10).
constexpr int kSize = 200, kBlock = 10;

// A plus sign: line logic alone solves it.
bool Plus(int i, int j) {
    return (i >= 8 && i < 12) || (j >= 8 && j < 12);
}
// Two black blocks on a diagonal of a 2 x 2 square: the clues cannot tell the diagonals apart.
bool Switch(int i, int j) {
    return (i == 4 && j == 6) || (i == 5 && j == 7);
}

class VerdictTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        frame = std::make_unique<CMainFrame>(&doc);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    // Loads a P6 picture whose block (i, j) is black when black(i, j).
    void Load(const QString& name, const std::function<bool(int, int)>& black) {
        QByteArray bytes = "P6\n200 200\n255\n";
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                bytes.append(3, black(x / kBlock, y / kBlock) ? '\0' : '\xff');
        const QString path = dir.filePath(name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        View().OnDropFiles({path});
    }
    void Analyze(bool testMode) {
        CheckDlgButton(View().Controls(), IDC_TEST_MODE, testMode);
        CheckDlgButton(View().Controls(), IDC_PLAY_MODE, !testMode);
        View().OnAnalyze();
    }
    bool WaitForVerdict() { return View().Judge()->WaitUntilDelivered(5000); }

    CNGMView& View() { return *frame->View(); }
    QLabel& Pane() { return *frame->VerdictPane(); }
    QImage Preview() { return View().m_bmpPreview.Image().copy(); }

    QTemporaryDir dir;
    CNGMDoc doc;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(VerdictTest, PaneShowsTheVerdictAfterEachAnalysisAndEmptiesForANewPicture) {
    EXPECT_TRUE(Pane().text().isEmpty());
    Load("plus.ppm", Plus);
    Analyze(true);
    ASSERT_TRUE(WaitForVerdict());
    EXPECT_TRUE(Pane().text().startsWith("一意解・論理で解けます (難易度 ")) << Pane().text().toStdString();
    EXPECT_FALSE(Pane().toolTip().isEmpty());

    // Another block count judges the new puzzle; 5 blocks of 40 pixels still make a plus.
    View().m_comboBlocks->setCurrentIndex(0);
    View().OnModeChange();
    ASSERT_TRUE(WaitForVerdict());
    EXPECT_TRUE(Pane().text().startsWith("一意解・論理で解けます")) << Pane().text().toStdString();

    Load("switch.ppm", Switch);
    EXPECT_TRUE(Pane().text().isEmpty());
    EXPECT_TRUE(Pane().toolTip().isEmpty());
}

TEST_F(VerdictTest, UndecidedBlocksGetYellowMarksInTestModeOnly) {
    Load("switch.ppm", Switch);
    View().m_comboBlocks->setCurrentIndex(2);
    Analyze(true);
    const QImage before = Preview();
    ASSERT_TRUE(WaitForVerdict());
    EXPECT_EQ(Pane().text(), "複数解: 4 マスが決まりません");
    const QImage after = Preview();

    // Exactly the centre squares of the four switch blocks turned yellow, over red and white.
    const int s = UndecidedMarkSide(kBlock), offset = (kBlock - s + 1) / 2;
    ASSERT_EQ(s, 3);
    int changed = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const int i = x / kBlock, j = y / kBlock, u = x % kBlock, v = y % kBlock;
            const bool mark = i >= 4 && i <= 5 && j >= 6 && j <= 7 && u >= offset &&
                              u < offset + s && v >= offset && v < offset + s && x < kSize &&
                              y < kSize;
            if (mark) {
                EXPECT_EQ(after.pixel(x, y) & 0xffffff, 0xffff00u) << x << "," << y;
            } else if (before.pixel(x, y) != after.pixel(x, y)) {
                ++changed;
            }
        }
    }
    EXPECT_EQ(changed, 0);

    // Play mode keeps the panel as the analysis drew it; the pane still tells the verdict.
    Analyze(false);
    const QImage hidden = Preview();
    ASSERT_TRUE(WaitForVerdict());
    EXPECT_EQ(Preview(), hidden);
    EXPECT_EQ(Pane().text(), "複数解: 4 マスが決まりません");
}

TEST_F(VerdictTest, ANewAnalysisCancelsTheJudgementStillRunning) {
    Load("plus.ppm", Plus);
    QStringList shown;
    QObject::connect(&View(), &CNGMView::verdictChanged,
                     [&shown](const QString& text, const QString&) {
                         if (!text.isEmpty())
                             shown << text;
                     });
    Analyze(true);
    Analyze(true);
    Analyze(false);
    ASSERT_TRUE(WaitForVerdict());
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.size(), 1) << shown.join(" | ").toStdString();
}

}  // namespace
