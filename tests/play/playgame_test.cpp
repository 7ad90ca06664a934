// The play dialog driven as a user would: marks, drags, the hit test, the answer check, the
// clock, retry, help, closing, layout and the board drawing.
#include <QPushButton>

#include "platform/dialog_units.h"
#include "play_fixture.h"
#include "support/scripted_ui.h"

using namespace playtest;

namespace {

QString Mistakes(int count, const char* time) {
    return QStringLiteral("間違いが%1個あります。\r\nプレイタイムは%2秒でした。")
        .arg(count)
        .arg(time);
}

TEST_F(PlayTest, MarkTransitionsAndCtrlRight) {
    OpenBlank(5);
    enum Act { L, CtrlL, R, CtrlR };
    struct Case {
        Look before;
        Act act;
        int mark;
        Look after;
    };
    const Case cases[] = {{Blank, L, 1, Dark},      {Blank, CtrlL, 0, Blank}, {Blank, R, 0, Cross},
                          {Cross, L, 1, Dark},      {Cross, CtrlL, 0, Blank}, {Cross, R, 0, Cross},
                          {Dark, L, 1, Dark},       {Dark, CtrlL, 0, Blank},  {Dark, R, 0, Cross},
                          {Blank, CtrlR, 0, Cross}, {Dark, CtrlR, 0, Cross}};
    int k = 0;
    for (const Case& c : cases) {
        const int col = k % 5, row = k / 5;  // a cell of its own for each case
        const QPoint p = Cell(col, row);
        ++k;
        if (c.before != Blank)
            Click(c.before == Dark ? Qt::LeftButton : Qt::RightButton, p);
        ASSERT_EQ(CellLook(col, row), c.before) << k;
        const bool ctrl = c.act == CtrlL || c.act == CtrlR;
        Click(c.act == L || c.act == CtrlL ? Qt::LeftButton : Qt::RightButton, p,
              ctrl ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(Mark(col, row), c.mark) << k;
        EXPECT_EQ(CellLook(col, row), c.after) << k;
    }
}

TEST_F(PlayTest, DragsWithEachButtonAndBoth) {
    OpenBlank(5);
    QTest::mousePress(dlg.get(), Qt::LeftButton, {}, Cell(0, 0));
    for (int col = 1; col < 5; ++col)
        Move(Cell(col, 0), Qt::LeftButton);
    QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, Cell(4, 0));
    for (int col = 0; col < 5; ++col)
        EXPECT_EQ(Mark(col, 0), 1) << col;
    // Right drag down column 2 crosses, emptying the fill it meets.
    QTest::mousePress(dlg.get(), Qt::RightButton, {}, Cell(2, 0));
    for (int row = 1; row < 5; ++row)
        Move(Cell(2, row), Qt::RightButton);
    QTest::mouseRelease(dlg.get(), Qt::RightButton, {}, Cell(2, 4));
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(Mark(2, row), 0);
        EXPECT_EQ(CellLook(2, row), Cross) << row;
    }
    // Ctrl + left drag clears fills and crosses alike.
    for (int col = 1; col < 4; ++col)
        Move(Cell(col, 0), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(Mark(1, 0) + Mark(3, 0), 0);
    EXPECT_EQ(CellLook(2, 0), Blank);
    EXPECT_EQ(CellLook(4, 0), Dark);
    // Both buttons: the left one wins, also over a cross.
    for (int row = 1; row < 5; ++row)
        Move(Cell(2, row), Qt::LeftButton | Qt::RightButton);
    for (int row = 1; row < 5; ++row)
        EXPECT_EQ(CellLook(2, row), Dark) << row;
    // Without a button a move does nothing.
    Move(Cell(0, 4), Qt::NoButton);
    EXPECT_EQ(CellLook(0, 4), Blank);
}

// The cell that changes is the one under the pointer; the grid's outer lines belong to none.
TEST_F(PlayTest, HitTestEdgesInImagePixels) {
    OpenBlank(5);
    const int l = Half(), r = 3 * Half(), t = Half() + kCell, b = r + kCell;  // 50 150 70 170
    struct Case {
        int x, y, col, row;  // col -1: off the grid
    };
    const Case cases[] = {{l, t + 9, -1, 0},     {l + 1, t + 9, 0, 0}, {l + 19, t + 9, 0, 0},
                          {l + 20, t + 9, 1, 0}, {r - 1, t + 9, 4, 0}, {r, t + 9, -1, 0},
                          {l + 9, t, -1, 0},     {l + 9, t + 1, 0, 0}, {l + 9, t + 19, 0, 0},
                          {l + 9, b - 1, 0, 4},  {l + 9, b, -1, 0}};
    for (const Case& c : cases) {
        doc.m_ppPlayGrid.Fill(0);
        Click(Qt::LeftButton, At(c.x, c.y));
        int sum = 0;
        for (int i = 0; i < 25; ++i)
            sum += doc.m_ppPlayGrid.Data()[i];
        EXPECT_EQ(sum, c.col < 0 ? 0 : 1) << c.x << "," << c.y;
        if (c.col >= 0) {
            EXPECT_EQ(Mark(c.col, c.row), 1) << c.x << "," << c.y;
        }
    }
    // On screen, the pixel clicked now shows the fill.
    Click(Qt::LeftButton, At(l + 39, t + 39));
    Settle();
    EXPECT_EQ(FromQRgb(dlg->grab().toImage().pixel(At(l + 39, t + 39))), kDark);
}

TEST_F(PlayTest, MistakesAreCountedFramedAndRepeated) {
    // Black cells: (0,0) (1,0) (2,1) (3,2) (4,4).
    Open({"##...", "..#..", "...#.", ".....", "....#"});
    Click(Qt::LeftButton, Cell(0, 0));   // black, filled: right
    Click(Qt::RightButton, Cell(1, 0));  // black, crossed: wrong
    Click(Qt::LeftButton, Cell(4, 0));   // white, filled: wrong
    Click(Qt::RightButton, Cell(0, 3));  // white, crossed: right
    Click(Qt::LeftButton, Cell(2, 1));
    Click(Qt::LeftButton, Cell(3, 2));  // (4,4) black, left blank: wrong
    ScriptedMessageBoxes boxes;
    Tick(2);
    ClickButton(IDOK);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.All()[0].text, Mistakes(3, "2"));
    EXPECT_EQ(boxes.All()[0].flags, MB_OK | MB_ICONQUESTION);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->IsClockRunning());
    for (auto [c, r] : {std::pair{1, 0}, {4, 0}, {4, 4}})
        EXPECT_EQ(Frame(c, r), 136);
    for (auto [c, r] : {std::pair{0, 0}, {0, 3}, {2, 1}, {3, 2}})
        EXPECT_EQ(Frame(c, r), 0);
    // The middle of a framed cell and the grid lines stay as they were.
    EXPECT_EQ(CellLook(1, 0, true), Cross);
    EXPECT_EQ(CellLook(4, 0, true), Dark);
    EXPECT_EQ(Px(Left(4), Top(4) + 5), kGrid);

    // The board ignores the mouse now; a second check (by Enter) repeats the result.
    const QImage board = dlg->m_bmpBoard.Image().copy();
    Click(Qt::LeftButton, Cell(2, 2));
    Click(Qt::RightButton, Cell(0, 0));
    Move(Cell(3, 3), Qt::LeftButton);
    EXPECT_EQ(Mark(0, 0) + Mark(2, 2) + Mark(3, 3), 1);
    Tick(1);  // a stray tick after the stop must not change the reported time
    QTest::keyClick(dlg.get(), Qt::Key_Return);
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.All()[1].text, boxes.All()[0].text);
    EXPECT_EQ(dlg->m_bmpBoard.Image(), board);
}

TEST_F(PlayTest, SolvedBoardIsCongratulatedWithoutIcon) {
    Open({"#.", ".#"});
    Click(Qt::LeftButton, Cell(0, 0));
    Click(Qt::LeftButton, Cell(1, 1));
    Click(Qt::RightButton, Cell(1, 0));  // a cross on a white cell is no mistake
    ScriptedMessageBoxes boxes;
    Tick(7);
    dlg->OnAnswerCheck();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.All()[0].text, QStringLiteral("Congratulations!!!\r\n7秒でクリアです。"));
    EXPECT_EQ(boxes.All()[0].flags, MB_OK);
    EXPECT_EQ(Count(0, 0, dlg->m_nMemWidth, dlg->m_nMemHeight, kGreen), 0);
}

// The clock text is painted with the dialog; a check before the first tick reports 0.
TEST_F(PlayTest, ClockRetryAndTimeBeforeTheFirstTick) {
    Open({"#.", ".#"});
    ScriptedMessageBoxes boxes;
    dlg->OnAnswerCheck();
    EXPECT_EQ(boxes.All()[0].text, Mistakes(2, "0"));
    ClickButton(1011);
    EXPECT_TRUE(dlg->IsClockRunning());

    const QRect box = dlg->GetDlgItem(1028)->geometry(), r = dlg->ClockRect();
    ASSERT_TRUE(box.contains(r));
    const auto clock = [&] { return dlg->grab(r).toImage(); };  // a fresh repaint each time
    Tick(1);
    const QImage one = clock();
    Tick(59);
    EXPECT_EQ(dlg->ClockText(), QStringLiteral("60s"));
    const QImage sixty = clock();
    EXPECT_NE(one, sixty);
    int clockPixels = 0, rightmost = -1;
    for (int y = 0; y < sixty.height(); ++y) {
        for (int x = 0; x < sixty.width(); ++x) {
            if (FromQRgb(sixty.pixel(x, y)) != kClock)
                continue;
            ++clockPixels;
            rightmost = std::max(rightmost, x);
        }
    }
    EXPECT_GT(clockPixels, 0);
    EXPECT_GE(rightmost, r.width() - 4);  // right-aligned
    dlg->repaint();
    EXPECT_EQ(clock(), sixty);

    Click(Qt::LeftButton, Cell(0, 0));
    dlg->OnAnswerCheck();
    EXPECT_EQ(boxes.All()[1].text, Mistakes(1, "60"));
    EXPECT_EQ(clock(), sixty);  // frozen

    // Retry: empty board, clock from 0, and a check within the first second says 0.
    ClickButton(1011);
    EXPECT_EQ(dlg->m_bChecked, 0);
    EXPECT_EQ(Mark(0, 0), 0);
    EXPECT_EQ(dlg->m_bRedrawPending, 1);
    EXPECT_EQ(Count(0, 0, dlg->m_nMemWidth, dlg->m_nMemHeight, kFace),
              dlg->m_nMemWidth * dlg->m_nMemHeight);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->m_bRedrawPending == 0; }, 2000));
    EXPECT_EQ(Px(Left(0), Top(0) + 5), kGrid);
    EXPECT_EQ(CellLook(0, 0), Blank);
    dlg->OnAnswerCheck();
    EXPECT_EQ(boxes.All()[2].text, Mistakes(2, "0"));
    ClickButton(1011);
    Tick(1);
    EXPECT_EQ(dlg->ClockText(), QStringLiteral("1s"));
}

TEST_F(PlayTest, HelpKeepsTheClockAndEndEscCloseReject) {
    OpenBlank(5);
    ScriptedMessageBoxes boxes;
    ClickButton(1013);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.All()[0].text,
              QStringLiteral("***操作方法***\n\n左クリック ：  塗りつぶし\n右クリック ：  ×表示\n"
                             "Ctrl+クリック ： クリア"));
    EXPECT_EQ(boxes.All()[0].flags, MB_OK);
    EXPECT_TRUE(dlg->IsClockRunning());

    ClickButton(IDCANCEL);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(dlg->IsClockRunning());
    for (int how = 0; how < 2; ++how) {
        OpenBlank(5);
        dlg->setResult(QDialog::Accepted);
        if (how == 0)
            QTest::keyClick(dlg.get(), Qt::Key_Escape);
        if (how == 1)
            dlg->close();
        EXPECT_FALSE(dlg->isVisible()) << how;
        EXPECT_EQ(dlg->result(), QDialog::Rejected) << how;
    }
}

TEST_F(PlayTest, LayoutForEachGridSize) {
    for (auto [n, w, h] : {std::tuple{5, 160, 180}, {10, 310, 330}, {20, 610, 630}}) {
        OpenBlank(n);
        for (int i = 0; i < n * n; ++i)
            ASSERT_EQ(doc.m_ppPlayGrid.Data()[i], 0);  // opens empty
        const QRect frame = dlg->m_ctlBoard->geometry();
        EXPECT_EQ(frame, QRect(DluToPixelsX(25), DluToPixelsY(22), w, h)) << n;
        EXPECT_EQ(dlg->m_bmpBoard.Image().size(), QSize(w - 4, h - 4)) << n;
        EXPECT_EQ(dlg->size(), QSize(w - 2 + 180, h - 2 + 110)) << n;
        // Right-hand column from the top, 20 pixels in from the top and right, 5-pixel gaps.
        const int boxWidth = dlg->GetDlgItem(1028)->width();
        int y = 20;
        for (int id : {IDOK, 1028, 1013, 1011, IDCANCEL}) {
            const QRect b = dlg->GetDlgItem(id)->geometry();
            EXPECT_EQ(b.topLeft(),
                      QPoint(dlg->width() - 20 - (id == IDOK ? b.width() : boxWidth), y))
                << n << " " << id;
            EXPECT_GT(b.left(), frame.right());
            y = b.bottom() + 1 + 5;
        }
    }
    EXPECT_TRUE(qobject_cast<QPushButton*>(dlg->GetDlgItem(IDOK))->isDefault());
}

TEST_F(PlayTest, CluesAndLines) {
    // N = 10.  Column 0 from the top 1,1,0,1,0,...: slot 0 (above the grid) "1", slot 1 "2".
    // Row 0 all black: "10", written at its place's edge; row 1 a run of 3, a third in.
    // Row 9 all white: a single "0".
    std::vector<std::string> rows(10, std::string(10, '.'));
    rows[0] = "##########";
    rows[1] = "###.......";
    rows[3] = "#.........";
    Open(rows);
    const int h = Half();  // 100; grid x 100..300, y 120..320
    const auto clue = [&](int x0, int y0) {
        return Count(x0 + 1, y0 + 1, x0 + 20, y0 + 20, kClue);
    };
    EXPECT_GT(clue(h, h), 0);
    EXPECT_GT(clue(h, h - 20), 0);
    EXPECT_EQ(clue(h, h - 40), 0);
    EXPECT_GT(clue(h - 20, Top(9)), 0);
    EXPECT_EQ(clue(h - 40, Top(9)), 0);
    const auto leftmost = [&](int y0) {
        for (int x = h - 20; x < h; ++x) {
            if (Count(x, y0 + 1, x + 1, y0 + 20, kClue) > 0)
                return x;
        }
        return -1;
    };
    EXPECT_GE(leftmost(Top(0)), h - 20);
    EXPECT_LT(leftmost(Top(0)), h - 20 + 6);
    EXPECT_GE(leftmost(Top(1)), h - 20 + 6);

    // Lines run across the clue areas; the fifth inner line each way stands out.
    for (int y : {0, 121, 319})
        EXPECT_EQ(Px(100, y), kGrid) << y;
    for (int y : {0, 230})
        EXPECT_EQ(Px(200, y), kFifth) << y;
    for (int x : {0, 101, 299})
        EXPECT_EQ(Px(x, 120), kGrid) << x;
    EXPECT_EQ(Px(150, 220), kFifth);
    EXPECT_EQ(Px(300, 320), kFace);  // lines end one pixel short
    EXPECT_EQ(Px(301, 120), kFace);

    // Repainting the clues never reaches into the grid: marks next to them stay whole.
    for (int col = 0; col < 10; ++col)
        Click(Qt::LeftButton, Cell(col, 0));
    for (int row = 1; row < 10; ++row)
        Click(Qt::RightButton, Cell(0, row));
    for (int i = 0; i < 2; ++i)
        dlg->repaint();
    for (int col = 0; col < 10; ++col)
        EXPECT_EQ(CellLook(col, 0), Dark) << col;
    for (int row = 1; row < 10; ++row)
        EXPECT_EQ(CellLook(0, row), Cross) << row;

    OpenBlank(5);
    EXPECT_EQ(Count(0, 0, dlg->m_nMemWidth, dlg->m_nMemHeight, kFifth), 0);
    OpenBlank(20);  // grid x 200..600: accents at 300, 400, 500
    for (int x : {300, 400, 500})
        EXPECT_EQ(Px(x, 410), kFifth) << x;
    for (int x : {200, 600})
        EXPECT_EQ(Px(x, 410), kGrid) << x;
}

}  // namespace
