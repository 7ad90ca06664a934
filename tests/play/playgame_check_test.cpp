// Answer check, clock, retry, help and closing.
#include <QTimerEvent>

#include "play_fixture.h"
#include "support/scripted_ui.h"

using namespace playtest;

namespace {

const QString kHelp = QStringLiteral(
    "***操作方法***\n\n左クリック ：  塗りつぶし\n右クリック ：  ×表示\nCtrl+クリック ： クリア");

class PlayCheckTest : public PlayDialogTest {
protected:
    void SetUp() override {
        // Black cells: (0,0) (1,0) (2,1) (3,2) (4,4).
        SetAnswer({"##...", "..#..", "...#.", ".....", "....#"});
        Open();
    }
    void Tick(int times) {
        for (int i = 0; i < times; ++i) {
            QTimerEvent tick(dlg->ClockTimerId());
            QCoreApplication::sendEvent(dlg.get(), &tick);
        }
    }
    static QString Mistakes(int count, const QString& time) {
        return QStringLiteral("間違いが%1個あります。\r\nプレイタイムは%2秒でした。")
            .arg(count)
            .arg(time);
    }
    static QString Congratulations(const QString& time) {
        return QStringLiteral("Congratulations!!!\r\n%1秒でクリアです。").arg(time);
    }
    // Pixels of the clock colour in the clock's place on a fresh rendering of the dialog.
    QImage ClockPixels() const { return dlg->grab(dlg->ClockRect()).toImage(); }
    static int CountClock(const QImage& img, int* rightmost = nullptr) {
        int count = 0, right = -1;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                if (FromQRgb(img.pixel(x, y)) == kClock) {
                    ++count;
                    right = std::max(right, x);
                }
            }
        }
        if (rightmost)
            *rightmost = right;
        return count;
    }
};

TEST_F(PlayCheckTest, UntouchedBoardCountsEveryBlackCell) {
    ScriptedMessageBoxes boxes;
    ClickButton(IDOK);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.All()[0].text, Mistakes(5, "0"));
    EXPECT_EQ(boxes.All()[0].flags, MB_OK | MB_ICONQUESTION);
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(PlayCheckTest, MistakesAreCountedAndFramed) {
    Click(Qt::LeftButton, CellPoint(0, 0));   // black, filled: right
    Click(Qt::RightButton, CellPoint(1, 0));  // black, crossed: a mistake
    Click(Qt::LeftButton, CellPoint(4, 0));   // white, filled: a mistake
    Click(Qt::RightButton, CellPoint(0, 3));  // white, crossed: right
    Click(Qt::LeftButton, CellPoint(2, 1));   // black, filled: right
    Click(Qt::LeftButton, CellPoint(3, 2));   // black, filled: right
    // (4, 4) black, left blank: a mistake.
    ScriptedMessageBoxes boxes;
    Tick(2);
    dlg->OnAnswerCheck();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.All()[0].text, Mistakes(3, "2"));
    EXPECT_EQ(boxes.All()[0].flags, MB_OK | MB_ICONQUESTION);

    const int full = 19 * 19 - 15 * 15;
    EXPECT_EQ(FramePixels(1, 0), full);
    EXPECT_EQ(FramePixels(4, 0), full);
    EXPECT_EQ(FramePixels(4, 4), full);
    for (auto [col, row] : {std::pair{0, 0}, {0, 3}, {2, 1}, {3, 2}, {2, 2}}) {
        EXPECT_EQ(FramePixels(col, row), 0) << col << "," << row;
    }
    // The frame leaves the cell's middle and the grid lines as they were.
    EXPECT_EQ(CellLook(1, 0, true), Look::Cross);
    EXPECT_EQ(CellLook(4, 0, true), Look::Dark);
    EXPECT_EQ(CellLook(4, 4, true), Look::Blank);
    EXPECT_EQ(Pixel(CellLeft(4), CellTop(4) + 5), kGrid);

    // A second check repeats the result with the same time and the same frames.
    const QImage first = dlg->m_bmpBoard.Image().copy();
    dlg->OnAnswerCheck();
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.All()[1].text, boxes.All()[0].text);
    EXPECT_EQ(boxes.All()[1].flags, boxes.All()[0].flags);
    EXPECT_EQ(dlg->m_bmpBoard.Image(), first);
}

TEST_F(PlayCheckTest, SolvedBoardIsCongratulatedWithoutIcon) {
    for (auto [col, row] : {std::pair{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 4}}) {
        Click(Qt::LeftButton, CellPoint(col, row));
    }
    Click(Qt::RightButton, CellPoint(2, 2));  // a cross on a white cell is no mistake
    ScriptedMessageBoxes boxes;
    Tick(7);
    dlg->OnAnswerCheck();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.All()[0].text, Congratulations("7"));
    EXPECT_EQ(boxes.All()[0].flags, MB_OK);
    EXPECT_EQ(CountColor(0, 0, dlg->m_nMemWidth, dlg->m_nMemHeight, kGreen), 0);
}

TEST_F(PlayCheckTest, EnterChecksAndKeepsTheDialogOpen) {
    ScriptedMessageBoxes boxes;
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.All()[0].text, Mistakes(5, "0"));
    QTest::keyClick(dlg.get(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(boxes.Count(), 2);
    dlg->accept();
    EXPECT_EQ(boxes.Count(), 3);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->m_bChecked, 1);
}

TEST_F(PlayCheckTest, ClockCountsTicksAndStopsAtTheCheck) {
    EXPECT_TRUE(dlg->IsClockRunning());
    EXPECT_EQ(dlg->m_nPlaySeconds, 0);
    Tick(1);
    EXPECT_EQ(dlg->ClockText(), QStringLiteral("1s"));
    Tick(59);
    EXPECT_EQ(dlg->ClockText(), QStringLiteral("60s"));

    ScriptedMessageBoxes boxes;
    dlg->OnAnswerCheck();
    EXPECT_FALSE(dlg->IsClockRunning());
    EXPECT_EQ(boxes.All()[0].text, Mistakes(5, "60"));
    // The display stays frozen at its last value.
    EXPECT_EQ(dlg->ClockText(), QStringLiteral("60s"));
    EXPECT_EQ(dlg->m_nPlaySeconds, 60);
}

// The clock text belongs to the dialog's painting: any repaint shows the current time.
TEST_F(PlayCheckTest, ClockTextIsRepaintedWithTheDialog) {
    const QRect r = dlg->ClockRect();
    const QRect box = dlg->GetDlgItem(1028)->geometry();
    ASSERT_TRUE(box.contains(r));
    ASSERT_GT(r.top(), box.top() + dlg->fontMetrics().height() / 2);

    const QImage atZero = ClockPixels();
    EXPECT_GT(CountClock(atZero), 0);
    Tick(1);
    const QImage atOne = ClockPixels();
    Tick(1);
    const QImage atTwo = ClockPixels();
    int rightmost = -1;
    EXPECT_GT(CountClock(atTwo, &rightmost), 0);
    EXPECT_NE(atOne, atTwo);
    EXPECT_NE(atZero, atOne);
    // Right-aligned.
    EXPECT_GE(rightmost, r.width() - 4);
    // Covering and uncovering: a full repaint draws the same text again.
    dlg->repaint();
    EXPECT_EQ(ClockPixels(), atTwo);
}

TEST_F(PlayCheckTest, RetryEmptiesTheBoardAndRestartsTheClock) {
    Click(Qt::LeftButton, CellPoint(0, 0));
    Click(Qt::LeftButton, CellPoint(4, 0));
    Click(Qt::RightButton, CellPoint(2, 2));
    Tick(3);
    ScriptedMessageBoxes boxes;
    dlg->OnAnswerCheck();
    EXPECT_EQ(boxes.All()[0].text, Mistakes(5, "3"));

    ClickButton(1011);
    EXPECT_EQ(dlg->m_bChecked, 0);
    EXPECT_TRUE(dlg->IsClockRunning());
    EXPECT_EQ(dlg->m_nPlaySeconds, 0);
    EXPECT_EQ(dlg->ClockText(), QStringLiteral("0s"));
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(Mark(i, j), 0);
    }
    Settle();
    for (auto [col, row] : {std::pair{0, 0}, {4, 0}, {2, 2}, {1, 0}}) {
        EXPECT_EQ(CellLook(col, row), Look::Blank) << col << "," << row;
        EXPECT_EQ(FramePixels(col, row), 0) << col << "," << row;
    }
    EXPECT_EQ(Pixel(CellLeft(0), CellTop(0) + 5), kGrid);

    // The board reacts again, and a check within the first second reports 0, not the time
    // of the previous game.
    Click(Qt::LeftButton, CellPoint(0, 0));
    EXPECT_EQ(Mark(0, 0), 1);
    dlg->OnAnswerCheck();
    EXPECT_EQ(boxes.All()[1].text, Mistakes(4, "0"));
    dlg->OnRetry();
    Tick(1);
    EXPECT_EQ(dlg->ClockText(), QStringLiteral("1s"));
}

TEST_F(PlayCheckTest, HelpShowsTheControlsAndTheClockRuns) {
    ScriptedMessageBoxes boxes;
    ClickButton(1013);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.All()[0].text, kHelp);
    EXPECT_EQ(boxes.All()[0].flags, MB_OK);
    EXPECT_TRUE(dlg->IsClockRunning());
    EXPECT_EQ(dlg->m_bChecked, 0);
}

TEST_F(PlayCheckTest, EndEscapeAndCloseBoxReject) {
    ClickButton(IDCANCEL);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(dlg->IsClockRunning());

    dlg.reset();
    Open();
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);

    dlg.reset();
    Open();
    dlg->setResult(QDialog::Accepted);
    EXPECT_TRUE(dlg->close());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

// A real second passes as one tick of timer 1.
TEST_F(PlayCheckTest, RealTimerTicksOncePerSecond) {
    QTest::qWait(1150);
    EXPECT_EQ(dlg->m_nPlaySeconds, 1);
    EXPECT_EQ(dlg->ClockText(), QStringLiteral("1s"));
}

}  // namespace
