// Layout for each grid size, the board's first paint, clues and grid lines.
#include <algorithm>

#include <QPushButton>
#include "play_fixture.h"

#include "platform/dialog_units.h"
#include "platform/message_box.h"

using namespace playtest;

namespace {

class PlayBoardTest : public PlayDialogTest {};

TEST_F(PlayBoardTest, LayoutFollowsTheGridSize) {
    struct Size {
        int n, frameW, frameH;
    };
    for (const Size s : {Size{5, 160, 180}, Size{10, 310, 330}, Size{20, 610, 630}}) {
        SCOPED_TRACE(s.n);
        SetBlankAnswer(s.n);
        Open();
        const QRect frame = dlg->m_ctlBoard->geometry();
        // The frame stays where the template puts it and takes the grid's size.
        EXPECT_EQ(frame.topLeft(), QPoint(DluToPixelsX(25), DluToPixelsY(22)));
        EXPECT_EQ(frame.size(), QSize(s.frameW, s.frameH));
        // The image fills the frame inside its border and rim.
        EXPECT_EQ(dlg->m_nMemWidth, s.frameW - 4);
        EXPECT_EQ(dlg->m_nMemHeight, s.frameH - 4);
        EXPECT_EQ(dlg->m_bmpBoard.Image().size(), QSize(s.frameW - 4, s.frameH - 4));
        // Client area: the frame's client area plus room for the buttons and margins.
        EXPECT_EQ(dlg->size(), QSize(s.frameW - 2 + 180, s.frameH - 2 + 110));

        // The right-hand column, top to bottom, 20 pixels from the top and right edges with
        // 5-pixel gaps.
        const int order[] = {IDOK, 1028, 1013, 1011, IDCANCEL};
        const int cx = dlg->width();
        const int boxWidth = dlg->GetDlgItem(1028)->width();
        int y = 20;
        for (int id : order) {
            const QRect r = dlg->GetDlgItem(id)->geometry();
            EXPECT_EQ(r.top(), y) << id;
            const int expectedRight = cx - 20 - (id == IDOK ? r.width() : boxWidth);
            EXPECT_EQ(r.left(), expectedRight) << id;
            EXPECT_GT(r.left(), frame.right()) << id;
            EXPECT_LE(r.bottom(), dlg->height()) << id;
            y = r.bottom() + 1 + 5;
        }
        dlg.reset();
    }
}

TEST_F(PlayBoardTest, TemplateTextsAndDefaultButton) {
    SetBlankAnswer(5);
    Open();
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("ピクロス"));
    EXPECT_EQ(Button(IDOK)->text(), QStringLiteral("アンサーチェック"));
    EXPECT_EQ(Button(1011)->text(), QStringLiteral("リトライ"));
    EXPECT_EQ(Button(1013)->text(), QStringLiteral("Help"));
    EXPECT_EQ(Button(IDCANCEL)->text(), QStringLiteral("END"));
    auto* check = qobject_cast<QPushButton*>(Button(IDOK));
    ASSERT_NE(check, nullptr);
    EXPECT_TRUE(check->isDefault());
}

TEST_F(PlayBoardTest, EveryOpeningStartsEmpty) {
    SetAnswer({"#....", ".#...", "..#..", "...#.", "....#"});
    // SetAnswer leaves the play grid full of marks from "an earlier game".
    Open();
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(Mark(i, j), 0) << i << "," << j;
    }
    Click(Qt::LeftButton, CellPoint(2, 2));
    dlg.reset();
    doc.m_ppPlayGrid[0][0] = 1;
    Open();
    EXPECT_EQ(Mark(2, 2), 0);
    EXPECT_EQ(Mark(0, 0), 0);
    for (int col = 0; col < 5; ++col)
        EXPECT_EQ(CellLook(col, col), Look::Blank);
}

TEST_F(PlayBoardTest, PaintsCluesAndLinesAfterTheFirstPaintAndAfterRetry) {
    SetBlankAnswer(10);
    Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->m_bRedrawPending == 0; }, 2000));
    EXPECT_EQ(Pixel(100, 150), kGrid);

    Click(Qt::LeftButton, CellPoint(3, 3));
    dlg->OnRetry();
    // The image is blank until the next paint draws clues and lines again.
    EXPECT_EQ(dlg->m_bRedrawPending, 1);
    EXPECT_EQ(CountColor(0, 0, dlg->m_nMemWidth, dlg->m_nMemHeight, kFace),
              dlg->m_nMemWidth * dlg->m_nMemHeight);
    Settle();
    EXPECT_EQ(dlg->m_bRedrawPending, 0);
    EXPECT_EQ(Pixel(100, 150), kGrid);
    EXPECT_GT(CountColor(100, 0, 300, 120, kClue), 0);
    EXPECT_EQ(CellLook(3, 3), Look::Blank);
}

TEST_F(PlayBoardTest, GridLinesAndFifthLines) {
    SetBlankAnswer(10);
    Open();
    // N = 10: grid x 100..300, y 120..320; the accent after the fifth cell each way.
    for (int y : {0, 60, 121, 319}) {
        EXPECT_EQ(Pixel(100, y), kGrid) << y;
        EXPECT_EQ(Pixel(300, y), kGrid) << y;
        EXPECT_EQ(Pixel(180, y), kGrid) << y;
    }
    for (int y : {5, 230, 319})
        EXPECT_EQ(Pixel(200, y), kFifth) << y;
    for (int x : {0, 50, 101, 299}) {
        EXPECT_EQ(Pixel(x, 120), kGrid) << x;
        EXPECT_EQ(Pixel(x, 320), kGrid) << x;
        EXPECT_EQ(Pixel(x, 220), kFifth) << x;
    }
    // Lines stop one pixel short of their end points.
    EXPECT_EQ(Pixel(300, 320), kFace);
    EXPECT_EQ(Pixel(301, 120), kFace);
    // Inside a cell nothing is drawn.
    EXPECT_EQ(CellLook(0, 0), Look::Blank);

    dlg.reset();
    SetBlankAnswer(5);
    Open();
    EXPECT_EQ(CountColor(0, 0, dlg->m_nMemWidth, dlg->m_nMemHeight, kFifth), 0);
    dlg.reset();
    SetBlankAnswer(20);
    Open();
    // N = 20: grid x 200..600; accents at 300, 400 and 500, not at the edges.
    for (int x : {300, 400, 500})
        EXPECT_EQ(Pixel(x, 410), kFifth) << x;
    for (int x : {200, 220, 600})
        EXPECT_EQ(Pixel(x, 410), kGrid) << x;
}

// Clue numbers are redrawn on every paint; whatever their text boxes measure, they stay out
// of the grid and leave the marks next to them alone.
TEST_F(PlayBoardTest, RepaintsLeaveMarksNextToTheCluesIntact) {
    std::vector<std::string> rows(10, std::string(10, '#'));
    SetAnswer(rows);  // every clue is "10", the widest there is
    Open();
    for (int col = 0; col < 10; ++col)
        Click(Qt::LeftButton, CellPoint(col, 0));
    for (int row = 1; row < 10; ++row)
        Click(Qt::RightButton, CellPoint(0, row));
    for (int i = 0; i < 3; ++i)
        dlg->repaint();
    for (int col = 0; col < 10; ++col)
        EXPECT_EQ(CellLook(col, 0), Look::Dark) << col;
    for (int row = 1; row < 10; ++row)
        EXPECT_EQ(CellLook(0, row), Look::Cross) << row;
    EXPECT_GT(CountColor(0, Half() + kCell, Half(), Half() + 2 * kCell, kClue), 0);
}

// Green pixels of a clue place, as a mask relative to the place's top-left corner.
std::vector<QPoint> GreenMask(const CDC& dc, int x0, int y0) {
    std::vector<QPoint> mask;
    // Row 0 and column 0 of a place may carry a grid line.
    for (int y = 1; y < kCell; ++y) {
        for (int x = 1; x < kCell; ++x) {
            if (dc.GetPixel(x0 + x, y0 + y) == kClue)
                mask.push_back(QPoint(x, y));
        }
    }
    return mask;
}

// The number as the clue font writes it, alone on a face-coloured surface at (x, y).
std::vector<QPoint> ReferenceMask(int count, int x, int y, int w, int h, int x0, int y0) {
    CBitmap bmp;
    bmp.CreateBitmap(w, h);
    CDC dc;
    dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, w, h, kFace);
    CFont font;
    font.CreateFont(kCell, 0, 0, 0, 400, false, false, false, 128, 0, 0, 0, 0,
                    QStringLiteral("MS P明朝"));
    dc.SelectObject(&font);
    dc.SetTextColor(kClue);
    dc.SetBkColor(kFace);
    dc.TextOut(x, y, QString::number(count));
    return GreenMask(dc, x0, y0);
}

TEST_F(PlayBoardTest, ColumnAndRowCluesSitInTheirPlaces) {
    // Column 0 from the top: 1, 1, 0, 1, 0 -> slot 0 (next to the grid) "1", slot 1 "2".
    // Row 4 is all white -> a single "0".  Row 0: 1 0 1 0 1 -> three runs of 1.
    SetAnswer({"#.#.#", "#....", ".....", "#....", "....."});
    Open();
    const CDC& dc = dlg->m_dcMem;
    const int w = dlg->m_nMemWidth, h = dlg->m_nMemHeight;
    const int half = Half();  // 50

    // Column 0: places at y = 50 (slot 0), 30 (slot 1), 10 (slot 2).
    EXPECT_EQ(GreenMask(dc, half, half), ReferenceMask(1, half + 6, half, w, h, half, half));
    EXPECT_EQ(GreenMask(dc, half, half - kCell),
              ReferenceMask(2, half + 6, half - kCell, w, h, half, half - kCell));
    EXPECT_TRUE(GreenMask(dc, half, half - 2 * kCell).empty());
    EXPECT_FALSE(GreenMask(dc, half, half).empty());

    // Row 4 (y = 150): slot 0 at x = 30 shows "0", slot 1 at x = 10 nothing.
    const int row4 = half + 5 * kCell;
    EXPECT_EQ(GreenMask(dc, half - kCell, row4),
              ReferenceMask(0, half - kCell + 6, row4, w, h, half - kCell, row4));
    EXPECT_TRUE(GreenMask(dc, half - 2 * kCell, row4).empty());

    // Row 0 (y = 70): slots 0 and 1 inside the image; slot 2 starts at x = -10 + 6 = -4.
    const int row0 = half + kCell;
    EXPECT_EQ(GreenMask(dc, half - kCell, row0),
              ReferenceMask(1, half - kCell + 6, row0, w, h, half - kCell, row0));
    EXPECT_EQ(GreenMask(dc, half - 2 * kCell, row0),
              ReferenceMask(1, half - 2 * kCell + 6, row0, w, h, half - 2 * kCell, row0));
    EXPECT_GT(CountColor(0, row0 + 1, 8, row0 + kCell, kClue), 0);
}

TEST_F(PlayBoardTest, TwoDigitCluesStartAtThePlaceEdge) {
    // N = 10: row 0 all black -> "10"; row 1 a run of 3.
    std::vector<std::string> rows(10, std::string(10, '.'));
    rows[0] = "##########";
    rows[1] = "###.......";
    SetAnswer(rows);
    Open();
    const int half = Half();  // 100
    const auto leftmost = [&](int y0) {
        for (int x = half - kCell; x < half; ++x) {
            for (int y = y0 + 1; y < y0 + kCell; ++y) {
                if (Pixel(x, y) == kClue)
                    return x;
            }
        }
        return -1;
    };
    const int ten = leftmost(half + kCell);
    const int three = leftmost(half + 2 * kCell);
    ASSERT_GE(ten, 0);
    ASSERT_GE(three, 0);
    EXPECT_LT(ten, half - kCell + 6);
    EXPECT_GE(three, half - kCell + 6);
}

}  // namespace
