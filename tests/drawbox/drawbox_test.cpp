// The DrawBox dialog driven with mouse and key events on a shown dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTest>
#include <algorithm>
#include <memory>
#include <set>
#include <tuple>

#include "construct/ngm_view.h"
#include "drawbox/drawbox.h"
#include "model/ngm_doc.h"
#include "platform/modal.h"
#include "platform/scroll_codes.h"
#include "res/drawbox_ids.h"
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

PixelSet Disc(int cx, int cy, int w) {  // what a round pen of odd width w covers at (cx, cy)
    PixelSet disc;
    for (auto [x, y] : Box(cx - w, cy - w, cx + w, cy + w))
        if (4 * ((x - cx) * (x - cx) + (y - cy) * (y - cy)) <= w * w)
            disc.insert({x, y});
    return disc;
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
    void Release(QPoint p) { QTest::mouseRelease(d, Qt::LeftButton, {}, p); }
    void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(d, b, {}, p); }
    void Move(QPoint p, Qt::MouseButtons held = Qt::LeftButton) {  // QTest's move holds none
        QMouseEvent e(QEvent::MouseMove, p, d->mapToGlobal(p), Qt::NoButton, held, {});
        QCoreApplication::sendEvent(d, &e);
    }
    void Drag(QPoint from, QPoint to) {
        Press(from);
        Move(to);
        Release(to);
    }
    void Item(int id) { QTest::mouseClick(d->GetDlgItem(id), Qt::LeftButton); }
    void Pen(const char* text) { SetDlgItemText(d->Controls(), IDC_DB_PEN_EDIT, text); }
    ScrollCodeBar* Bar(int id) { return qobject_cast<ScrollCodeBar*>(d->GetDlgItem(id)); }
    void Scroll(int id, int code, int pos = 0) { emit Bar(id)->scrolled(code, pos); }
    QString Text(int id) { return GetDlgItemText(d->Controls(), id); }
    void ExpectColour(int r, int g, int b) {
        EXPECT_EQ(d->SwatchColor(), RGB(r, g, b));
        const QString edits = Text(IDC_DB_RED_EDIT) + ',' + Text(IDC_DB_GREEN_EDIT) + ',';
        EXPECT_EQ(edits + Text(IDC_DB_BLUE_EDIT), QString::asprintf("%d,%d,%d", r, g, b));
    }
    COLORREF Px(int x, int y) { return d->GetCanvasPixel(x, y); }
    PixelSet Marked() {  // every canvas pixel that is not white
        PixelSet marked = Box(0, 0, 260, 260);
        std::erase_if(marked, [this](auto p) { return Px(p.first, p.second) == kWhitePx; });
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

TEST_F(DrawboxTest, EachToolDrawsClippedToItsRectangle) {
    // A pen text that is not a whole number from 1 to 40 never reaches a pen: the last valid
    // width (5 on opening) stays.
    const std::tuple<const char*, int, const char*, QPoint, QPoint, PixelSet> cases[] = {
        {"free across", IDC_DB_FREE, "1", At(-50, 259), At(400, 259), Box(0, 259, 260, 260)},
        {"dot 5", IDC_DB_POINT, "5", At(30, 40), At(30, 40), Disc(30, 40, 5)},
        {"dot 1", IDC_DB_POINT, "1", At(30, 40), At(30, 40), {}},
        {"zero line 5", IDC_DB_LINE, "5", At(77, 88), At(77, 88), Disc(77, 88, 5)},
        {"zero line 1", IDC_DB_LINE, "1", At(77, 88), At(77, 88), {}},
        {"line right", IDC_DB_LINE, "1", At(200, 100), At(400, 100), Box(200, 100, 258, 101)},
        {"line down", IDC_DB_LINE, "1", At(50, 200), At(50, 400), Box(50, 200, 51, 258)},
        {"pen 41", IDC_DB_POINT, "41", At(30, 40), At(30, 40), Disc(30, 40, 5)},
        {"pen 0", IDC_DB_POINT, "0", At(30, 40), At(30, 40), Disc(30, 40, 5)},
        {"pen abc", IDC_DB_POINT, "abc", At(30, 40), At(30, 40), Disc(30, 40, 5)}};

    for (const auto& [what, tool, pen, from, to, expected] : cases) {
        SCOPED_TRACE(what);
        Open();
        Item(tool);
        Pen(pen);
        Drag(from, to);
        EXPECT_EQ(Marked(), expected);
    }
}

// A free-hand stroke draws only while the button is held and goes on from where the last one
// ended; a line drag shows an exclusive-or band and draws the line to the release.  A grab
// elsewhere, a deactivation or a move without the button end the drag, drawing nothing.
TEST_F(DrawboxTest, FreeHandStrokesAndLineDrags) {
    Pen("1");
    Click(At(30, 40));
    EXPECT_TRUE(Marked().empty());   // a click without a move leaves no mark
    Move(At(70, 40), Qt::NoButton);  // no button: nothing
    Move(At(30, 43));                // a held button goes on from the old anchor
    EXPECT_EQ(Marked(), Box(30, 40, 31, 43));

    d->OnClear();
    Item(IDC_DB_LINE);
    Press(At(200, 10));
    Move(At(400, 10));  // the band, within the line tool's margin
    EXPECT_EQ(Marked(), Box(200, 10, 258, 11));
    Move(At(200, 15));  // the old band is erased
    EXPECT_EQ(Marked(), Box(200, 10, 201, 15));
    Release(At(203, 10));  // the line ends at the release, not at the last move
    EXPECT_EQ(Marked(), Box(200, 10, 203, 11));
    EXPECT_EQ(Px(201, 10), RGB(0, 0, 0));

    d->OnClear();
    QEvent ungrab(QEvent::UngrabMouse), deactivate(QEvent::WindowDeactivate);
    QMouseEvent buttonless(QEvent::MouseMove, At(80, 30), d->mapToGlobal(At(80, 30)), Qt::NoButton,
                           Qt::NoButton, {});
    for (QEvent* lost : {&ungrab, &deactivate, static_cast<QEvent*>(&buttonless)}) {
        Press(At(20, 20));
        Move(At(60, 20));
        ASSERT_EQ(Px(30, 20), RGB(255, 0, 255));  // the band: white XOR green
        QCoreApplication::sendEvent(d, lost);
        Release(At(80, 30));
        EXPECT_TRUE(Marked().empty()) << lost->type();
    }
}

TEST_F(DrawboxTest, RightButtonPolylineRunsOnAcrossToolsClearsAndOpenings) {
    Click(At(100, 120), Qt::RightButton);  // the first right click of the run: a dot
    EXPECT_EQ(Marked(), Disc(100, 120, 5));
    Pen("1");
    Click(At(10, 10), Qt::RightButton);
    Item(IDC_DB_LINE);
    Item(IDC_DB_CLEAR);
    Click(At(15, 10), Qt::RightButton);
    EXPECT_EQ(Marked(), Box(10, 10, 15, 11));
    Open();
    Pen("1");
    Click(At(15, 13), Qt::RightButton);
    EXPECT_EQ(Marked(), Box(15, 10, 16, 13));
}

// A bar's code reaches its channel, clamped to 0..255, with the edits and the swatch; the
// stepping itself is the scroll codes' own.
TEST_F(DrawboxTest, ScrollCodesSetTheChannelAndAThumbDragWaitsForRelease) {
    // Code, position carried, channel afterwards.
    const int steps[][3] = {{SB_LINERIGHT, 0, 1},
                            {SB_THUMBPOSITION, 250, 250},
                            {SB_PAGERIGHT, 0, 255},
                            {SB_THUMBTRACK, 120, 255},
                            {SB_LEFT, 0, 0}};
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "code " << s[0] << " pos " << s[1]);
        Scroll(IDC_DB_GREEN_SCROLL, s[0], s[1]);
        ExpectColour(0, s[2], 0);
    }
    Bar(IDC_DB_RED_SCROLL)->SetScrollPos(33);  // one channel's message refreshes all three
    Scroll(IDC_DB_BLUE_SCROLL, SB_LINERIGHT);
    ExpectColour(33, 0, 1);
}

// One run through the view's "作成(M)": colour, a dot, the drawing shown again from the kept
// image after the dialog was hidden, and a store by Enter during a line drag.
TEST_F(DrawboxTest, StoreWritesThreeColumnsPerPixelFromTheKeptDrawingAndCloses) {
    const ModalHook previous = SetModalHook([this](QDialog& dialog) {
        d = &dynamic_cast<CDrawbox&>(dialog);
        d->show();
        Scroll(IDC_DB_RED_SCROLL, SB_THUMBPOSITION, 10);
        Scroll(IDC_DB_GREEN_SCROLL, SB_THUMBPOSITION, 20);
        Scroll(IDC_DB_BLUE_SCROLL, SB_THUMBPOSITION, 30);
        Pen("1");
        Drag(At(5, 7), At(6, 7));
        d->hide();
        d->show();
        const QImage shot = d->grab().toImage();
        EXPECT_EQ(FromQRgb(shot.pixel(At(5, 7))), RGB(10, 20, 30));
        EXPECT_EQ(FromQRgb(shot.pixel(At(6, 7))), kWhitePx);
        const QPoint swatch = d->m_swatch->mapTo(d, d->m_swatch->ClientRect().bottomRight());
        EXPECT_EQ(FromQRgb(shot.pixel(swatch)), RGB(10, 20, 30));
        Item(IDC_DB_LINE);
        Press(At(20, 40));
        Move(At(60, 40));
        QTest::keyClick(d, Qt::Key_Return);  // the default button, during a drag: no band stored
        EXPECT_EQ(d->m_progress->value(), 99);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        return d->result();
    });
    m_view.OnDrawBox();
    SetModalHook(previous);
    EXPECT_TRUE(m_view.HasPicture());  // accepted: the view took the picture
    EXPECT_EQ((std::pair{m_doc.m_picture.width, m_doc.m_picture.height}), (std::pair{260, 260}));
    const ColumnBuffer& planes = m_doc.m_ppInputPlanes;
    ASSERT_EQ((std::pair{planes.Columns(), planes.Length()}), (std::pair{780, 260}));
    EXPECT_EQ((std::tuple{planes[15][7], planes[16][7], planes[17][7]}), (std::tuple{10, 20, 30}));
    EXPECT_EQ(PlanesNot(255), 3);
}

TEST_F(DrawboxTest, CancelAndAStoreWithoutMemoryKeepThePicture) {
    m_view.AllocBuffer(3 * 40, 40, 1);
    m_doc.m_ppInputPlanes.Fill(7);
    for (int way = 0; way < 3; ++way) {
        Open();
        way == 0   ? Item(IDC_DB_CANCEL)
        : way == 1 ? QTest::keyClick(d, Qt::Key_Escape)
                   : void(d->close());
        EXPECT_EQ(d->result(), QDialog::Rejected) << way;
        EXPECT_EQ((std::pair{m_doc.Width(), m_doc.Height()}), (std::pair{40, 40})) << way;
        EXPECT_EQ(PlanesNot(7), 0) << way;
    }

    // Without the memory for the new picture the store says so and the dialog stays open with
    // the drawing; a later store takes it.
    Open();
    Item(IDC_DB_POINT);
    Click(At(30, 40));
    {
        ScriptedMessageBoxes boxes;
        const auto previous = ColumnBuffer::SetAllocationGate(
            [](std::size_t bytes) { return bytes < std::size_t{780} * 260 * 4; });
        Item(IDC_DB_STORE);
        ColumnBuffer::SetAllocationGate(previous);
        ASSERT_EQ(boxes.Texts(), QStringList{"メモリが不足しているため画像を読み込めません。"});
        EXPECT_EQ(boxes.All()[0].flags, MB_OK);
    }
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ((std::tuple{m_doc.Width(), m_doc.Height(), PlanesNot(7)}), (std::tuple{40, 40, 0}));
    Item(IDC_DB_STORE);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ((std::pair{m_doc.Width(), PlanesNot(255)}), (std::pair{260, 3 * 21}));
}

}  // namespace
