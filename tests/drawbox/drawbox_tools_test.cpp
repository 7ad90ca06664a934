// The DrawBox canvas and its tools: opening state, the left-button flags, free-hand, point and
// line drawing with their clips, the right-button polyline, and the drawing and swatch
// surviving repaints.
#include <QProgressBar>

#include "drawbox_support.h"

namespace {

TEST_F(DrawboxTest, OpensWithWhiteCanvasBlackSwatchZeroColourPenFiveAndFreeHand) {
    EXPECT_EQ(Dlg().m_canvas->geometry(), QRect(100, 50, 260, 260));
    EXPECT_EQ(m_doc.m_nWidth, 260);
    EXPECT_EQ(m_doc.m_nHeight, 260);
    EXPECT_TRUE(Marked().empty());
    EXPECT_EQ(Dlg().SwatchColor(), RGB(0, 0, 0));
    for (int id : {IDC_DB_RED_EDIT, IDC_DB_GREEN_EDIT, IDC_DB_BLUE_EDIT}) {
        EXPECT_EQ(Text(id), QStringLiteral("0")) << id;
        EXPECT_EQ(Bar(id + 3)->maximum(), 255);
        EXPECT_EQ(Bar(id + 3)->GetScrollPos(), 0);
    }
    EXPECT_EQ(Text(IDC_DB_PEN_EDIT), QStringLiteral("5"));
    EXPECT_EQ(Dlg().m_spinPenSize->Upper(), 40);
    EXPECT_TRUE(IsDlgButtonChecked(Dlg().Controls(), IDC_DB_FREE));
    EXPECT_FALSE(IsDlgButtonChecked(Dlg().Controls(), IDC_DB_LINE) ||
                 IsDlgButtonChecked(Dlg().Controls(), IDC_DB_POINT));
    EXPECT_EQ(Dlg().m_progress->maximum(), 100);
    EXPECT_EQ(Dlg().m_progress->value(), 0);
}

TEST_F(DrawboxTest, LeftButtonFlagsFollowTheCheckedTool) {
    Click(At(30, 40));
    EXPECT_EQ(Dlg().m_bFreeStroke, 1);  // outlives the release
    EXPECT_EQ(Dlg().m_ptLast, (CPoint{30, 40}));
    EXPECT_TRUE(Marked().empty());  // a click without a move leaves no mark
    // A move with the button held, begun elsewhere, goes on from the old anchor.
    SetPenText(QStringLiteral("1"));
    Move(At(30, 43));
    EXPECT_EQ(Marked(), (PixelSet{{30, 40}, {30, 41}, {30, 42}}));

    SelectTool(IDC_DB_LINE);
    Press(At(-10, 300));
    EXPECT_EQ(Dlg().m_bFreeStroke, 0);
    EXPECT_EQ(Dlg().m_bLineDrag, 1);
    EXPECT_EQ(Dlg().m_ptLineStart, (CPoint{-10, 300}));
    EXPECT_EQ(Dlg().m_ptLineEnd, (CPoint{-10, 300}));
    Release(At(-10, 300));
    EXPECT_EQ(Dlg().m_bLineDrag, 0);
}

TEST_F(DrawboxTest, FreeHandStrokesAreClippedToTheCanvasAndReachItsEdges) {
    SetPenText(QStringLiteral("1"));
    Press(At(-50, 100));
    Move(At(70, 100), Qt::NoButton);  // no button: nothing
    Move(At(50, 100));
    Release(At(50, 100));
    EXPECT_EQ(Marked(), Row(100, 0, 50));

    Dlg().OnClear();
    Drag(At(250, 259), At(400, 259));
    EXPECT_EQ(Marked(), Row(259, 250, 260));
}

TEST_F(DrawboxTest, PointToolMakesRoundDotsOfThePenWidthInTheColourInForce) {
    SelectTool(IDC_DB_POINT);
    Click(At(30, 40));
    EXPECT_EQ(Marked(), Disc(30, 40, 5));
    EXPECT_EQ(Marked().size(), 21u);  // 5 x 5 less the corners

    SetPenText(QStringLiteral("1"));
    Click(At(90, 40));
    EXPECT_EQ(Marked().size(), 21u);

    Scroll(IDC_DB_RED_SCROLL, SB_RIGHT);
    // The arrow keys in the buddy step the up-down: 1, 2, 3.
    QTest::keyClick(Dlg().GetDlgItem(IDC_DB_PEN_EDIT), Qt::Key_Up);
    QTest::keyClick(Dlg().GetDlgItem(IDC_DB_PEN_EDIT), Qt::Key_Up);
    Click(At(0, 0));  // clipped at the corner
    EXPECT_EQ(Marked().size(), 21u + 4u);
    EXPECT_EQ(Px(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(Px(30, 40), RGB(0, 0, 0));
}

TEST_F(DrawboxTest, LineToolShowsAnExclusiveOrBandThenDrawsToTheReleasePoint) {
    SelectTool(IDC_DB_LINE);
    SetPenText(QStringLiteral("1"));
    Press(At(10, 10));
    Move(At(20, 10));
    EXPECT_EQ(Marked(), Row(10, 10, 20));
    EXPECT_EQ(Px(12, 10), kMagenta);
    Move(At(10, 15));  // the old band is erased
    EXPECT_EQ(Marked(), (PixelSet{{10, 10}, {10, 11}, {10, 12}, {10, 13}, {10, 14}}));
    Release(At(13, 10));
    EXPECT_EQ(Marked(), Row(10, 10, 13));
    EXPECT_EQ(Px(11, 10), RGB(0, 0, 0));
}

TEST_F(DrawboxTest, LineToolStopsTwoPixelsShortOfTheRightAndBottomEdges) {
    SelectTool(IDC_DB_LINE);
    SetPenText(QStringLiteral("1"));
    Press(At(200, 100));
    Move(At(400, 100));
    EXPECT_EQ(Px(257, 100), kMagenta);
    EXPECT_EQ(Px(258, 100), kWhitePx);
    Release(At(400, 100));
    EXPECT_EQ(Marked(), Row(100, 200, 258));

    Dlg().OnClear();
    SetPenText(QStringLiteral("7"));
    Drag(At(50, 200), At(50, 400));
    int maxY = 0;
    for (const auto& p : Marked())
        maxY = std::max(maxY, p.second);
    EXPECT_EQ(maxY, 257);
}

TEST_F(DrawboxTest, ZeroLengthLineIsADotOfThePenWidthAndNothingWithPenOne) {
    SelectTool(IDC_DB_LINE);
    Click(At(77, 88));
    EXPECT_EQ(Marked(), Disc(77, 88, 5));
    Dlg().OnClear();
    SetPenText(QStringLiteral("1"));
    Click(At(77, 88));
    EXPECT_TRUE(Marked().empty());
}

TEST_F(DrawboxTest, RightButtonPolylineRunsOnAcrossToolsClearsAndOpenings) {
    RightClick(At(100, 120));  // the first right click of the run: a dot
    EXPECT_EQ(Marked(), Disc(100, 120, 5));
    Dlg().OnClear();
    SetPenText(QStringLiteral("1"));
    RightClick(At(10, 10));
    Dlg().OnClear();
    RightClick(At(15, 10));
    EXPECT_EQ(Marked(), Row(10, 10, 15));

    Dlg().OnClear();
    SelectTool(IDC_DB_LINE);
    RightClick(At(15, 13));
    EXPECT_EQ(Marked(), (PixelSet{{15, 10}, {15, 11}, {15, 12}}));
    EXPECT_EQ(Dlg().m_bLineDrag, 0);

    OpenDialog();
    SetPenText(QStringLiteral("1"));
    RightClick(At(17, 13));
    EXPECT_EQ(Marked(), Row(13, 15, 17));
}

TEST_F(DrawboxTest, ClearWhitensTheCanvasAndKeepsEverythingElse) {
    Scroll(IDC_DB_GREEN_SCROLL, SB_THUMBPOSITION, 90);
    SelectTool(IDC_DB_POINT);
    SetPenText(QStringLiteral("12"));
    Click(At(100, 100));
    QTest::mouseClick(Dlg().GetDlgItem(IDC_DB_CLEAR), Qt::LeftButton);
    EXPECT_TRUE(Marked().empty());
    EXPECT_EQ(Text(IDC_DB_GREEN_EDIT), QStringLiteral("90"));
    EXPECT_EQ(Dlg().SwatchColor(), RGB(0, 90, 0));
    EXPECT_EQ(Dlg().PenWidth(), 12);
    EXPECT_TRUE(IsDlgButtonChecked(Dlg().Controls(), IDC_DB_POINT));
}

COLORREF Shown(const QImage& shot, QPoint p) {
    return FromQRgb(shot.pixel(p));
}

TEST_F(DrawboxTest, RepaintsShowTheDrawingPixelForPixelAndTheSwatchInItsColour) {
    SetPenText(QStringLiteral("1"));
    Drag(At(0, 0), At(1, 0));
    Scroll(IDC_DB_RED_SCROLL, SB_THUMBPOSITION, 10);
    Scroll(IDC_DB_GREEN_SCROLL, SB_THUMBPOSITION, 200);
    Scroll(IDC_DB_BLUE_SCROLL, SB_THUMBPOSITION, 30);
    SelectTool(IDC_DB_POINT);
    SetPenText(QStringLiteral("3"));
    Click(At(259, 259));

    // Covering and uncovering the dialog repaints it.
    Dlg().hide();
    Dlg().show();
    const QImage canvas = Dlg().m_canvas->grab().toImage();
    ASSERT_EQ(canvas.size(), QSize(260, 260));
    EXPECT_EQ(Shown(canvas, {0, 0}), RGB(0, 0, 0));
    EXPECT_EQ(Shown(canvas, {1, 0}), kWhitePx);
    EXPECT_EQ(Shown(canvas, {258, 258}), RGB(10, 200, 30));
    EXPECT_EQ(Shown(canvas, {257, 259}), kWhitePx);
    EXPECT_EQ(Marked().size(), 5u);

    const QImage swatch = Dlg().m_swatch->grab().toImage();
    const QRect client = Dlg().m_swatch->ClientRect();
    for (QPoint p : {client.topLeft(), client.bottomRight()}) {
        EXPECT_EQ(Shown(swatch, p), RGB(10, 200, 30)) << p.x() << "," << p.y();
    }
}

TEST_F(DrawboxTest, PenSizeTextOutsideOneToFortyNeverReachesAPen) {
    SelectTool(IDC_DB_POINT);
    SetPenText(QStringLiteral("7"));
    EXPECT_EQ(Dlg().PenWidth(), 7);
    for (const char* text : {"abc", "", "0", "-3", "41", "7.5"}) {
        SetPenText(QString::fromUtf8(text));
        EXPECT_EQ(Dlg().PenWidth(), 7) << text;
    }
    SetPenText(QStringLiteral("1000"));
    Click(At(50, 50));
    EXPECT_EQ(Marked(), Disc(50, 50, 7));
}

class LostCaptureTest : public DrawboxTest {
protected:
    // Starts a line drag with a band showing.
    void StartDrag() {
        SelectTool(IDC_DB_LINE);
        SetPenText(QStringLiteral("1"));
        Press(At(20, 20));
        Move(At(60, 20));
        ASSERT_EQ(Px(30, 20), kMagenta);
    }
    // The band is gone, the drag is over, and the button coming up draws nothing.
    void ExpectDragEnded() {
        EXPECT_EQ(Dlg().m_bLineDrag, 0);
        EXPECT_TRUE(Marked().empty());
        Move(At(80, 30), Qt::NoButton);
        Release(At(80, 30));
        EXPECT_TRUE(Marked().empty());
    }
};

TEST_F(LostCaptureTest, UngrabDeactivationOrAButtonlessMoveEndTheDrag) {
    for (QEvent::Type type : {QEvent::UngrabMouse, QEvent::WindowDeactivate}) {
        StartDrag();
        QEvent lost(type);
        QCoreApplication::sendEvent(&Dlg(), &lost);
        ExpectDragEnded();
    }
    // The release went to another window; the pointer comes back without the button.
    StartDrag();
    Move(At(100, 100), Qt::NoButton);
    ExpectDragEnded();
}

TEST_F(LostCaptureTest, NoBandIsLeftBehindByAClearOrAStoreDuringTheDrag) {
    StartDrag();
    Dlg().OnClear();
    Move(At(20, 25));
    Release(At(20, 25));
    EXPECT_EQ(Marked(), (PixelSet{{20, 20}, {20, 21}, {20, 22}, {20, 23}, {20, 24}}));

    Dlg().OnClear();
    StartDrag();
    Dlg().OnStore();
    Release(At(60, 20));
    EXPECT_EQ(m_doc.m_ppInputPlanes[3 * 30][20], 255);
}

}  // namespace
