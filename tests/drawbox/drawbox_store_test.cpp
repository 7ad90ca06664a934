// Colour selection with the scroll codes, and the store of the drawing into the document's
// input planes through the view's bookkeeping; cancelling stores nothing.
#include <QApplication>
#include <QProgressBar>

#include "drawbox_support.h"
#include "platform/modal.h"

namespace {

class ColourTest : public DrawboxTest {
protected:
    void ExpectColour(int r, int g, int b) {
        EXPECT_EQ(Dlg().SelectedColor(), RGB(r, g, b));
        EXPECT_EQ(Dlg().SwatchColor(), RGB(r, g, b));
        EXPECT_EQ(
            Text(IDC_DB_RED_EDIT) + "," + Text(IDC_DB_GREEN_EDIT) + "," + Text(IDC_DB_BLUE_EDIT),
            QString::asprintf("%d,%d,%d", r, g, b));
    }
};

TEST_F(ColourTest, ScrollCodesStepAndClampTheChannel) {
    struct Step {
        int code, nPos, expected;
    };
    const Step steps[] = {
        {SB_LINERIGHT, 0, 1},
        {SB_LINELEFT, 0, 0},
        {SB_LINELEFT, 0, 0},
        {SB_PAGERIGHT, 0, 10},
        {SB_THUMBPOSITION, 250, 250},
        {SB_PAGERIGHT, 0, 255},
        {SB_LINERIGHT, 0, 255},
        {SB_PAGELEFT, 0, 245},
        {SB_LEFT, 0, 0},
        {SB_RIGHT, 0, 255},
        {SB_ENDSCROLL, 3, 255},
        {SB_THUMBPOSITION, 5, 5},
        {SB_PAGELEFT, 0, 0},
        {99, 40, 0},
    };
    for (const Step& s : steps) {
        Scroll(IDC_DB_GREEN_SCROLL, s.code, s.nPos);
        EXPECT_EQ(Bar(IDC_DB_GREEN_SCROLL)->GetScrollPos(), s.expected) << "code " << s.code;
        ExpectColour(0, s.expected, 0);
    }
    // A message for one channel refreshes all three from their bars.
    Bar(IDC_DB_RED_SCROLL)->SetScrollPos(33);
    Scroll(IDC_DB_BLUE_SCROLL, SB_LINERIGHT);
    ExpectColour(33, 0, 1);
}

TEST_F(ColourTest, ThumbDragChangesNothingUntilRelease) {
    Scroll(IDC_DB_BLUE_SCROLL, SB_THUMBPOSITION, 40);
    for (int pos : {50, 120}) {
        Scroll(IDC_DB_BLUE_SCROLL, SB_THUMBTRACK, pos);
        ExpectColour(0, 0, 40);
    }
    Scroll(IDC_DB_BLUE_SCROLL, SB_THUMBPOSITION, 120);
    ExpectColour(0, 0, 120);
}

class StoreTest : public DrawboxTest {
protected:
    void Store() { QTest::mouseClick(Dlg().GetDlgItem(IDC_DB_STORE), Qt::LeftButton); }
    int CountNot(int value) {
        int n = 0;
        for (int c = 0; c < m_doc.m_ppInputPlanes.Columns(); ++c) {
            for (int y = 0; y < m_doc.m_ppInputPlanes.Length(); ++y)
                n += m_doc.m_ppInputPlanes[c][y] != value;
        }
        return n;
    }
};

TEST_F(StoreTest, UntouchedCanvasStoresWhiteEverywhereAndClosesWithOk) {
    Store();
    EXPECT_EQ(Dlg().result(), QDialog::Accepted);
    EXPECT_FALSE(Dlg().isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Dlg().m_progress->value(), 99);
    ASSERT_EQ(m_doc.m_ppInputPlanes.Columns(), 780);
    ASSERT_EQ(m_doc.m_ppInputPlanes.Length(), 260);
    EXPECT_EQ(CountNot(255), 0);
    EXPECT_EQ(m_view.m_nPlaneColumns, 780);
    EXPECT_EQ(m_view.m_bPlanesEmpty, 0);
}

TEST_F(StoreTest, PixelLandsInItsThreeColumnsAtItsRow) {
    Scroll(IDC_DB_RED_SCROLL, SB_THUMBPOSITION, 10);
    Scroll(IDC_DB_GREEN_SCROLL, SB_THUMBPOSITION, 20);
    Scroll(IDC_DB_BLUE_SCROLL, SB_THUMBPOSITION, 30);
    SetPenText(QStringLiteral("1"));
    Drag(At(5, 7), At(6, 7));
    ASSERT_EQ(Marked(), (PixelSet{{5, 7}}));
    Dlg().m_canvas->repaint();  // a repaint in between changes nothing
    Store();
    const ColumnBuffer& planes = m_doc.m_ppInputPlanes;
    EXPECT_EQ(planes[15][7], 10);
    EXPECT_EQ(planes[16][7], 20);
    EXPECT_EQ(planes[17][7], 30);
    EXPECT_EQ(CountNot(255), 3);
}

TEST_F(StoreTest, StoringAgainFreesThePlanesBeforeAndKeepsTheCount) {
    m_view.AllocBuffer(3 * 100, 100, 1);  // a loaded picture of another size
    Store();
    EXPECT_EQ(m_view.m_nPlaneColumns, 780);
    EXPECT_EQ(m_doc.m_ppInputPlanes.Columns(), 780);

    OpenDialog();
    SelectTool(IDC_DB_POINT);
    Click(At(0, 0));
    QTest::keyClick(&Dlg(), Qt::Key_Return);  // the default button
    EXPECT_EQ(Dlg().result(), QDialog::Accepted);
    EXPECT_EQ(m_view.m_nPlaneColumns, 780);
    ASSERT_EQ(m_doc.m_ppInputPlanes.Columns(), 780);
    EXPECT_EQ(m_doc.m_ppInputPlanes[0][0], 0);
    EXPECT_EQ(CountNot(255), 3 * 8);  // the dot clipped at the corner
}

TEST_F(StoreTest, StoreWorksOnTheDocumentWithoutAView) {
    CNGMView* saved = g_pView;
    g_pView = nullptr;
    Store();
    g_pView = saved;
    EXPECT_EQ(m_doc.m_ppInputPlanes.Columns(), 780);
    EXPECT_EQ(CountNot(255), 0);
    EXPECT_EQ(m_view.m_bPlanesEmpty, 1);
}

TEST_F(StoreTest, CancelButtonEscAndCloseBoxKeepThePlanesAndLeaveTheSizeAt260) {
    m_view.AllocBuffer(3 * 40, 40, 1);
    m_doc.m_ppInputPlanes.Fill(7);
    for (int way = 0; way < 3; ++way) {
        m_doc.m_nWidth = m_doc.m_nHeight = 40;
        OpenDialog();
        Drag(At(10, 10), At(50, 50));
        if (way == 0)
            QTest::mouseClick(Dlg().GetDlgItem(IDC_DB_CANCEL), Qt::LeftButton);
        if (way == 1)
            QTest::keyClick(&Dlg(), Qt::Key_Escape);
        if (way == 2)
            Dlg().close();
        EXPECT_EQ(Dlg().result(), QDialog::Rejected) << way;
        EXPECT_EQ(m_doc.m_nWidth, 260);
        EXPECT_EQ(m_doc.m_nHeight, 260);
        EXPECT_EQ(m_view.m_nPlaneColumns, 120);
        ASSERT_EQ(m_doc.m_ppInputPlanes.Columns(), 120);
        EXPECT_EQ(CountNot(7), 0);
    }
}

// "作成(M)" on the view runs the dialog; the stored drawing becomes the view's picture.
TEST_F(StoreTest, StoredDrawingBecomesTheViewsPicture) {
    const ModalHook previous = SetModalHook([](QDialog& dialog) {
        auto& box = dynamic_cast<CDrawbox&>(dialog);
        box.show();
        QTest::mouseClick(box.GetDlgItem(IDC_DB_POINT), Qt::LeftButton);
        QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, At(130, 140));
        QTest::mouseClick(box.GetDlgItem(IDC_DB_STORE), Qt::LeftButton);
        return box.result();
    });
    m_view.OnDrawBox();
    SetModalHook(previous);
    EXPECT_EQ(m_view.m_nImageWidth, 260);
    ASSERT_EQ(m_doc.m_ppInputPlanes.Columns(), 780);
    EXPECT_EQ(m_doc.m_ppInputPlanes[3 * 130][140], 0);
    EXPECT_EQ(CountNot(255), 3 * 21);
}

}  // namespace
