// Marks set with the mouse: the transition table, drags, modifiers and the hit test's edges.
#include "play_fixture.h"
#include "support/scripted_ui.h"

using namespace playtest;

namespace {

class PlayMouseTest : public PlayDialogTest {
protected:
    void SetUp() override {
        SetBlankAnswer(5);
        Open();
    }
};

TEST_F(PlayMouseTest, MarkTransitionsFollowTheTable) {
    enum class Action { Left, CtrlLeft, Right };
    struct Case {
        Look before;
        Action action;
        int mark;
        Look after;
    };
    const Case cases[] = {
        {Look::Blank, Action::Left, 1, Look::Dark},
        {Look::Blank, Action::CtrlLeft, 0, Look::Blank},
        {Look::Blank, Action::Right, 0, Look::Cross},
        {Look::Cross, Action::Left, 1, Look::Dark},
        {Look::Cross, Action::CtrlLeft, 0, Look::Blank},
        {Look::Cross, Action::Right, 0, Look::Cross},
        {Look::Dark, Action::Left, 1, Look::Dark},
        {Look::Dark, Action::CtrlLeft, 0, Look::Blank},
        {Look::Dark, Action::Right, 0, Look::Cross},
    };
    int k = 0;
    for (const Case& c : cases) {
        // One cell per case, so that no case sees another's pixels.
        const int col = k % 5, row = k / 5;
        ++k;
        const QPoint p = CellPoint(col, row);
        if (c.before == Look::Dark)
            Click(Qt::LeftButton, p);
        if (c.before == Look::Cross)
            Click(Qt::RightButton, p);
        ASSERT_EQ(CellLook(col, row), c.before);
        switch (c.action) {
            case Action::Left:
                Click(Qt::LeftButton, p);
                break;
            case Action::CtrlLeft:
                Click(Qt::LeftButton, p, Qt::ControlModifier);
                break;
            case Action::Right:
                Click(Qt::RightButton, p);
                break;
        }
        EXPECT_EQ(Mark(col, row), c.mark) << "case " << k;
        EXPECT_EQ(CellLook(col, row), c.after)
            << "case " << k << " shows " << LookName(CellLook(col, row));
    }
}

TEST_F(PlayMouseTest, CtrlRightActsAsRight) {
    Click(Qt::RightButton, CellPoint(0, 0), Qt::ControlModifier);
    EXPECT_EQ(Mark(0, 0), 0);
    EXPECT_EQ(CellLook(0, 0), Look::Cross);

    Click(Qt::LeftButton, CellPoint(1, 0));
    Click(Qt::RightButton, CellPoint(1, 0), Qt::ControlModifier);
    EXPECT_EQ(Mark(1, 0), 0);
    EXPECT_EQ(CellLook(1, 0), Look::Cross);
}

TEST_F(PlayMouseTest, DragsFillCrossAndClear) {
    // Left drag along row 0 fills every cell it crosses.
    QTest::mousePress(dlg.get(), Qt::LeftButton, {}, CellPoint(0, 0));
    for (int col = 1; col < 5; ++col)
        Move(CellPoint(col, 0), Qt::LeftButton);
    QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, CellPoint(4, 0));
    for (int col = 0; col < 5; ++col) {
        EXPECT_EQ(Mark(col, 0), 1) << col;
        EXPECT_EQ(CellLook(col, 0), Look::Dark) << col;
    }

    // Right drag down column 2 crosses, emptying the filled cell of row 0.
    QTest::mousePress(dlg.get(), Qt::RightButton, {}, CellPoint(2, 0));
    for (int row = 1; row < 5; ++row)
        Move(CellPoint(2, row), Qt::RightButton);
    QTest::mouseRelease(dlg.get(), Qt::RightButton, {}, CellPoint(2, 4));
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(Mark(2, row), 0) << row;
        EXPECT_EQ(CellLook(2, row), Look::Cross) << row;
    }

    // Ctrl + left drag clears what it crosses: fills and crosses alike.
    QTest::mousePress(dlg.get(), Qt::LeftButton, Qt::ControlModifier, CellPoint(0, 0));
    for (int col = 1; col < 4; ++col) {
        Move(CellPoint(col, 0), Qt::LeftButton, Qt::ControlModifier);
    }
    QTest::mouseRelease(dlg.get(), Qt::LeftButton, Qt::ControlModifier, CellPoint(3, 0));
    for (int col = 0; col < 4; ++col) {
        EXPECT_EQ(Mark(col, 0), 0) << col;
        EXPECT_EQ(CellLook(col, 0), Look::Blank) << col;
    }
    EXPECT_EQ(Mark(4, 0), 1);
    EXPECT_EQ(CellLook(4, 0), Look::Dark);
}

TEST_F(PlayMouseTest, BothButtonsDragFills) {
    Click(Qt::RightButton, CellPoint(1, 3));
    ASSERT_EQ(CellLook(1, 3), Look::Cross);
    QTest::mousePress(dlg.get(), Qt::LeftButton, {}, CellPoint(0, 3));
    for (int col = 1; col < 4; ++col)
        Move(CellPoint(col, 3), Qt::LeftButton | Qt::RightButton);
    QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, CellPoint(3, 3));
    for (int col = 0; col < 4; ++col) {
        EXPECT_EQ(Mark(col, 3), 1) << col;
        EXPECT_EQ(CellLook(col, 3), Look::Dark) << col;
    }
}

TEST_F(PlayMouseTest, MoveWithoutButtonChangesNothing) {
    const QImage before = dlg->m_bmpBoard.Image().copy();
    Move(CellPoint(2, 2), Qt::NoButton);
    Move(CellPoint(2, 2), Qt::MiddleButton);
    EXPECT_EQ(Mark(2, 2), 0);
    EXPECT_EQ(dlg->m_bmpBoard.Image(), before);
}

// The cell that changes is the one under the pointer, up to the grid's outer lines.
TEST_F(PlayMouseTest, HitTestEdgesInImagePixels) {
    const int half = Half();           // 50: left grid edge
    const int right = 3 * Half();      // 150: right grid edge
    const int top = Half() + kCell;    // 70: top grid edge
    const int bottom = right + kCell;  // 170: bottom grid edge
    const int midY = top + 10, midX = half + 10;

    struct Case {
        int x, y;
        int col, row;  // -1: off the grid
    };
    const Case cases[] = {
        {half, midY, -1, -1},            // on the left edge line
        {half + 1, midY, 0, 0},          // first pixel of column 0
        {half + kCell - 1, midY, 0, 0},  // last pixel of column 0
        {half + kCell, midY, 1, 0},      // the inner line starts column 1
        {right - 1, midY, 4, 0},         // last pixel of the last column
        {right, midY, -1, -1},           // on the right edge line
        {midX, top, -1, -1},             // on the top edge line
        {midX, top + 1, 0, 0},           // first pixel of row 0
        {midX, top + kCell - 1, 0, 0},   // last pixel of row 0
        {midX, bottom - 1, 0, 4},        // last pixel of the last row
        {midX, bottom, -1, -1},          // on the bottom edge line
    };
    for (const Case& c : cases) {
        doc.m_ppPlayGrid.Fill(0);
        Click(Qt::LeftButton, ClientOf(c.x, c.y));
        int filled = 0, fcol = -1, frow = -1;
        for (int i = 0; i < 5; ++i) {
            for (int j = 0; j < 5; ++j) {
                if (Mark(i, j) == 1) {
                    ++filled;
                    fcol = i;
                    frow = j;
                }
            }
        }
        if (c.col < 0) {
            EXPECT_EQ(filled, 0) << "(" << c.x << ", " << c.y << ")";
        } else {
            EXPECT_EQ(filled, 1) << "(" << c.x << ", " << c.y << ")";
            EXPECT_EQ(fcol, c.col) << "(" << c.x << ", " << c.y << ")";
            EXPECT_EQ(frow, c.row) << "(" << c.x << ", " << c.y << ")";
        }
    }
}

// What the screen shows under the click point after the click is the fill.
TEST_F(PlayMouseTest, ClickFillsThePixelUnderThePointer) {
    const QPoint p = ClientOf(Half() + kCell - 1, Half() + 2 * kCell - 1);  // corner of (0, 0)
    Click(Qt::LeftButton, p);
    Settle();
    const QImage screen = dlg->grab().toImage();
    EXPECT_EQ(FromQRgb(screen.pixel(p)), kDark);
    EXPECT_EQ(Mark(0, 0), 1);
    EXPECT_EQ(Mark(1, 0), 0);
    EXPECT_EQ(Mark(0, 1), 0);
}

TEST_F(PlayMouseTest, BoardIgnoresTheMouseAfterACheck) {
    Click(Qt::LeftButton, CellPoint(0, 0));
    {
        ScriptedMessageBoxes boxes;
        dlg->OnAnswerCheck();
    }
    Settle();
    const QImage before = dlg->m_bmpBoard.Image().copy();

    int paints = 0;
    struct Counter : QObject {
        int* n;
        explicit Counter(int* count) : n(count) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint)
                ++*n;
            return false;
        }
    } counter(&paints);
    dlg->installEventFilter(&counter);

    Click(Qt::LeftButton, CellPoint(1, 1));
    Click(Qt::LeftButton, CellPoint(0, 0), Qt::ControlModifier);
    Click(Qt::RightButton, CellPoint(0, 0));
    QTest::mousePress(dlg.get(), Qt::LeftButton, {}, CellPoint(2, 2));
    Move(CellPoint(3, 2), Qt::LeftButton);
    Move(CellPoint(3, 3), Qt::RightButton);
    QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, CellPoint(3, 2));
    Settle();
    dlg->removeEventFilter(&counter);

    EXPECT_EQ(Mark(0, 0), 1);
    EXPECT_EQ(Mark(1, 1), 0);
    EXPECT_EQ(Mark(3, 2), 0);
    EXPECT_EQ(dlg->m_bmpBoard.Image(), before);
    EXPECT_EQ(paints, 0);
}

}  // namespace
