// The verdict on screen: the yellow marks on the undecided blocks, no verdict of an analysis
// that a newer one replaced, and the status bar pane and its tool tip, emptied by a new picture.
#include <QComboBox>

#include "render/block_panels.h"
#include "window_test.h"

namespace {

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

}  // namespace
