// The DrawBox dialog driven with mouse and key events on a shown dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <memory>
#include <set>
#include <tuple>

#include "construct/ngm_view.h"
#include "drawbox/drawbox.h"
#include "platform/modal.h"
#include "platform/scroll_codes.h"
#include "res/drawbox_ids.h"
#include "session/ngm_doc.h"
#include "support/scripted_ui.h"

namespace {

constexpr COLORREF kWhitePx = RGB(255, 255, 255);
using PixelSet = std::set<std::pair<int, int>>;

PixelSet Box(int x0, int y0, int x1, int y1) {  // [x0, x1) x [y0, y1)
    PixelSet box;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            box.insert({x, y});
    return box;
}

class DrawboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        CDrawbox::ResetRightClickChain();
        Open();
    }
    static QPoint At(int x, int y) { return QPoint(100 + x, 50 + y); }  // the canvas's origin
    void Open() {  // a new dialog, as the view makes for every "作成(M)"
        m_own = std::make_unique<CDrawbox>(&m_doc);
        d = m_own.get();
        d->show();
    }
    void Press(QPoint p) { QTest::mousePress(d, Qt::LeftButton, {}, p); }
    void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(d, b, {}, p); }
    void Move(QPoint p, Qt::MouseButtons held = Qt::LeftButton) {  // QTest's move holds none
        QMouseEvent e(QEvent::MouseMove, p, d->mapToGlobal(p), Qt::NoButton, held, {});
        QCoreApplication::sendEvent(d, &e);
    }
    void Item(int id) { QTest::mouseClick(d->GetDlgItem(id), Qt::LeftButton); }
    void Pen(const char* text) { SetDlgItemText(d->Controls(), IDC_DB_PEN_EDIT, text); }
    void Scroll(int id, int pos) {
        emit qobject_cast<ScrollCodeBar*>(d->GetDlgItem(id))->scrolled(SB_THUMBPOSITION, pos);
    }
    PixelSet Marked() {  // every canvas pixel that is not white
        PixelSet marked = Box(0, 0, 260, 260);
        std::erase_if(marked,
                      [this](auto p) { return d->GetCanvasPixel(p.first, p.second) == kWhitePx; });
        return marked;
    }
    int PlanesNot(int value) {
        const ColumnBuffer& p = m_doc.m_ppInputPlanes;
        return static_cast<int>(p.Size() - std::count(p.Data(), p.Data() + p.Size(), value));
    }

    CNGMDoc m_doc;
    CNGMView m_view{&m_doc};
    std::unique_ptr<CDrawbox> m_own;
    CDrawbox* d = nullptr;
};

// A free-hand stroke draws only while the button is held, goes on from where the last one ended
// and is clipped to the canvas; a line drag shows an exclusive-or band and draws the line to the
// release, clipped to the line tool's margin.  A grab elsewhere or a move without the button end
// the drag, drawing nothing.
TEST_F(DrawboxTest, FreeHandStrokesAndLineDrags) {
    Pen("1");
    Click(At(30, 40));
    Move(At(70, 40), Qt::NoButton);  // no button: nothing
    Move(At(30, 400));               // a held button goes on from the old anchor
    EXPECT_EQ(Marked(), Box(30, 40, 31, 260));

    d->OnClear();
    Item(IDC_DB_LINE);
    Press(At(200, 10));
    Move(At(400, 10));  // the band, within the line tool's margin
    EXPECT_EQ(Marked(), Box(200, 10, 258, 11));
    Move(At(200, 15));                                        // the old band is erased
    QTest::mouseRelease(d, Qt::LeftButton, {}, At(400, 10));  // the line ends at the release
    EXPECT_EQ(Marked(), Box(200, 10, 258, 11));

    d->OnClear();
    QEvent ungrab(QEvent::UngrabMouse);
    QMouseEvent buttonless(QEvent::MouseMove, At(80, 30), d->mapToGlobal(At(80, 30)), Qt::NoButton,
                           Qt::NoButton, {});
    for (QEvent* lost : {&ungrab, static_cast<QEvent*>(&buttonless)}) {
        Press(At(20, 20));
        Move(At(60, 20));
        ASSERT_EQ(d->GetCanvasPixel(30, 20), RGB(255, 0, 255));  // the band: white XOR green
        QCoreApplication::sendEvent(d, lost);
        QTest::mouseRelease(d, Qt::LeftButton, {}, At(80, 30));
        EXPECT_TRUE(Marked().empty()) << lost->type();
    }
}

// The first right click of a run is a dot; the next one draws on from it, across tools, clears
// and new dialogs.
TEST_F(DrawboxTest, RightButtonPolylineRunsOnAcrossToolsClearsAndOpenings) {
    Pen("41");  // out of 1..40: the last valid width, 5 on opening, stays
    Click(At(100, 120), Qt::RightButton);
    PixelSet dot = Box(95, 115, 105, 125);  // what the round pen of width 5 covers
    std::erase_if(dot, [](auto p) {
        return 4 * ((p.first - 100) * (p.first - 100) + (p.second - 120) * (p.second - 120)) > 25;
    });
    EXPECT_EQ(Marked(), dot);
    Item(IDC_DB_LINE);
    Item(IDC_DB_CLEAR);
    Open();
    Pen("1");
    Click(At(100, 125), Qt::RightButton);
    EXPECT_EQ(Marked(), Box(100, 120, 101, 125));
}

// One run through the view's "作成(M)": the bars' colour and a dot, the drawing
// shown again from the kept image after the dialog was hidden, and a store by Enter during a
// line drag, which leaves the band out.
TEST_F(DrawboxTest, StoreWritesThreeColumnsPerPixelFromTheKeptDrawingAndCloses) {
    const ModalHook previous = SetModalHook([this](QDialog& dialog) {
        d = &dynamic_cast<CDrawbox&>(dialog);
        d->show();
        Scroll(IDC_DB_RED_SCROLL, 10);
        Scroll(IDC_DB_GREEN_SCROLL, 20);
        Scroll(IDC_DB_BLUE_SCROLL, 30);
        Pen("1");
        Click(At(5, 7));
        Move(At(6, 7));  // free-hand, the default tool: the one pixel at (5, 7)
        d->hide();
        d->show();
        const QImage shot = d->grab().toImage();
        EXPECT_EQ(FromQRgb(shot.pixel(At(5, 7))), RGB(10, 20, 30));
        Item(IDC_DB_LINE);
        Press(At(20, 40));
        Move(At(60, 40));
        QTest::keyClick(d, Qt::Key_Return);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        return d->result();
    });
    m_view.OnDrawBox();
    SetModalHook(previous);
    EXPECT_TRUE(m_view.HasPicture());  // accepted: the view took the picture
    const ColumnBuffer& planes = m_doc.m_ppInputPlanes;
    ASSERT_EQ((std::pair{planes.Columns(), planes.Length()}), (std::pair{780, 260}));
    EXPECT_EQ((std::tuple{planes[15][7], planes[16][7], planes[17][7]}), (std::tuple{10, 20, 30}));
    EXPECT_EQ(PlanesNot(255), 3);
}

// Without the memory for the new picture the store says so and the dialog stays open with the
// drawing, which a later store takes.
TEST_F(DrawboxTest, AStoreWithoutMemoryKeepsThePicture) {
    m_view.AllocBuffer(3 * 40, 40, 1);
    m_doc.m_ppInputPlanes.Fill(7);
    Item(IDC_DB_POINT);  // a dot of the pen's width, 5: 21 pixels
    Click(At(30, 40));
    ScriptedMessageBoxes boxes;
    const auto gate = ColumnBuffer::SetAllocationGate(
        [](std::size_t bytes) { return bytes < std::size_t{780} * 260 * 4; });
    Item(IDC_DB_STORE);
    ColumnBuffer::SetAllocationGate(gate);
    ASSERT_EQ(boxes.Texts(), QStringList{"メモリが不足しているため画像を読み込めません。"});
    EXPECT_EQ(boxes.All()[0].flags, MB_OK);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ((std::tuple{m_doc.Width(), m_doc.Height(), PlanesNot(7)}), (std::tuple{40, 40, 0}));
    Item(IDC_DB_STORE);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ((std::pair{m_doc.Width(), PlanesNot(255)}), (std::pair{260, 3 * 21}));
}

}  // namespace
