// The play dialog shown (never modal) and driven by mouse, key and timer: the board image it
// draws from the document's play board, the clock, the answer check and retry, keyboard play,
// undo and redo, finished clues, hints and the picture of a solved board.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTest>
#include <QTimerEvent>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "model/ngm_doc.h"
#include "platform/dialog_units.h"
#include "play/playgame.h"
#include "support/scripted_ui.h"

// Texts in failure messages.
void PrintTo(const QString& s, std::ostream* os) {
    *os << s.toStdString();
}

namespace {

constexpr COLORREF kFace = RGB(236, 233, 216), kDark = RGB(50, 50, 50), kRed = RGB(255, 0, 0),
                   kGrid = RGB(0, 105, 145), kFifth = RGB(200, 0, 105), kClue = RGB(70, 150, 70),
                   kGreen = RGB(50, 255, 50), kGrey = RGB(160, 160, 160), kBlue = RGB(0, 0, 255),
                   kOrange = RGB(255, 140, 0);
constexpr int kBand = 136;  // pixels of a two-pixel frame inside a 20-pixel cell
const QString kCongratulation = QStringLiteral("Congratulations!!!\r\n%1秒でクリアです。");

QString Mistakes(const char* count, const char* time) {
    return QStringLiteral("間違いが%1個あります。\r\nプレイタイムは%2秒でした。").arg(count, time);
}

Puzzle PuzzleOf(const std::vector<std::string>& rows) {  // '#' at rows[j][i]: cell (i, j) black
    const int n = static_cast<int>(rows.size());
    std::vector<std::uint8_t> cells;
    for (int k = 0; k < n * n; ++k)
        cells.push_back(rows[k / n][k % n] == '#');
    return Puzzle::FromGrid(n, n, cells);
}

class PlayTest : public ::testing::Test {
protected:
    void Open(const std::vector<std::string>& rows) {  // the board full, as a game left it
        doc.SetPuzzle(PuzzleOf(rows));
        for (int k = 0; k < N() * N(); ++k)
            doc.GetPlayBoard().Apply(StrokeKind::Fill, {k % N(), k / N()});
        dlg = std::make_unique<CPlaygame>(&doc);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        QTest::qWait(50);  // the repaint the first pass asks for
    }
    void OpenBlank(int n) { Open(std::vector<std::string>(n, std::string(n, '.'))); }

    int N() const { return doc.GetPuzzle().width; }
    int Left(int col) const { return N() * 10 + col * 20; }  // 20-pixel cells
    int Top(int row) const { return N() * 10 + (row + 1) * 20; }
    // The dialog point showing image pixel (x, y): the frame's border, then the image at (1, 1).
    QPoint At(int x, int y) const { return dlg->m_ctlBoard->pos() + QPoint(2 + x, 2 + y); }
    QPoint Cell(int col, int row) const { return At(Left(col) + 10, Top(row) + 10); }
    void Click(Qt::MouseButton b, QPoint p, Qt::KeyboardModifiers m = {}) {
        QTest::mouseClick(dlg.get(), b, m, p);
    }
    void Move(QPoint p, Qt::MouseButtons held, Qt::KeyboardModifiers m = {}) {
        QMouseEvent e(QEvent::MouseMove, p, dlg->mapToGlobal(QPointF(p)), Qt::NoButton, held, m);
        QCoreApplication::sendEvent(dlg.get(), &e);
    }
    void Button(int id) { qobject_cast<QAbstractButton*>(dlg->GetDlgItem(id))->click(); }
    void Tick(int times) {
        for (QTimerEvent e(dlg->ClockTimerId()); times > 0; --times)
            QCoreApplication::sendEvent(dlg.get(), &e);
    }
    // A key pressed and released where the keyboard sends it: the dialog or its focused control.
    void Key(int key, Qt::KeyboardModifiers m = {}, QWidget* to = nullptr) {
        QTest::keyClick(to ? to : dlg.get(), Qt::Key(key), m);
    }
    // Shift held while arrows go down: a keyboard drag, until Shift is released.
    void ShiftDrag(std::initializer_list<Qt::Key> arrows) {
        for (Qt::Key arrow : arrows)
            QTest::keyPress(dlg.get(), arrow, Qt::ShiftModifier);
        QTest::keyRelease(dlg.get(), Qt::Key_Shift);
    }
    // Pixels of a colour in a cell, lines included, or in a row's or column's clue strip.
    int InCell(int col, int row, COLORREF c) const {
        return Count(Left(col), Top(row), Left(col) + 21, Top(row) + 21, c);
    }
    int InRowClue(int row, COLORREF c) const {
        return Count(0, Top(row) + 1, Left(0), Top(row + 1), c);
    }
    int InColumnClue(int col, COLORREF c) const {
        return Count(Left(col) + 1, 0, Left(col + 1), Top(0), c);
    }
    QImage Image() const { return dlg->m_bmpBoard.Image().copy(); }
    // The image as a paint of the whole dialog draws it from the model on a blank image.
    QImage Redrawn() {
        dlg->m_dcMem.FillSolidRect(0, 0, dlg->m_dcMem.Width(), dlg->m_dcMem.Height(), kFace);
        dlg->repaint();
        return Image();
    }
    std::string Marks() const {  // the model's marks row by row, rows separated by '/'
        std::string s;
        for (int k = 0; k < N() * N(); ++k) {
            const Mark m = MarkAt(k % N(), k / N());
            s += (k % N() == 0 && k > 0 ? "/" : "") + std::string(1, m == Mark::Blank    ? '.'
                                                                     : m == Mark::Filled ? '#'
                                                                                         : 'x');
        }
        return s;
    }
    COLORREF Px(int x, int y) const { return dlg->m_dcMem.GetPixel(x, y); }
    Mark MarkAt(int col, int row) const { return doc.GetPlayBoard().At({col, row}); }
    int Count(int x0, int y0, int x1, int y1, COLORREF color) const {
        int n = 0;
        for (int k = 0; k < (x1 - x0) * (y1 - y0); ++k)
            n += Px(x0 + k % (x1 - x0), y0 + k / (x1 - x0)) == color;
        return n;
    }
    char CellLook(int col, int row) const {  // '.', '#' or 'x' as interior and mark agree, else '?'
        bool face = true, dark = true, cross = true;
        for (int k = 0; k < 19 * 19; ++k) {
            const int i = 1 + k % 19, j = 1 + k / 19;
            const COLORREF p = Px(Left(col) + i, Top(row) + j);
            face = face && p == kFace;
            dark = dark && p == kDark;
            cross = cross && p == (i == j || i + j == 19 ? kRed : kFace);
        }
        const Mark mark = MarkAt(col, row);
        return face && mark == Mark::Blank      ? '.'
               : dark && mark == Mark::Filled   ? '#'
               : cross && mark == Mark::Crossed ? 'x'
                                                : '?';
    }
    std::string Board() const {  // row by row, rows separated by '/'
        const int n = N();
        std::string s;
        for (int k = 0; k < n * n; ++k)
            s += (k % n == 0 && k > 0 ? "/" : "") + std::string(1, CellLook(k % n, k / n));
        return s;
    }

    CNGMDoc doc;
    std::unique_ptr<CPlaygame> dlg;
};

// Each button reaches its step and the cell shows its mark: a fill covers a cross, a cross
// empties a fill; Ctrl + right acts as right.
TEST_F(PlayTest, ButtonsMarkCells) {
    OpenBlank(5);
    // Before, press (L left, R right, lower case with Ctrl), after.
    const char* cases[] = {".L#", "xL#", "#l.", "xl.", "#Rx", ".rx"};
    for (int k = 0; k < 6; ++k) {
        const char* c = cases[k];
        const int col = k % 5, row = k / 5;  // a cell of its own for each case
        if (c[0] != '.')
            Click(c[0] == '#' ? Qt::LeftButton : Qt::RightButton, Cell(col, row));
        Click(std::toupper(c[1]) == 'L' ? Qt::LeftButton : Qt::RightButton, Cell(col, row),
              std::islower(c[1]) ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(CellLook(col, row), c[2]) << c;
    }
}

TEST_F(PlayTest, DragsWithEachButtonAndBoth) {
    OpenBlank(5);
    QTest::mousePress(dlg.get(), Qt::LeftButton, {}, Cell(0, 0));
    for (int col = 1; col < 5; ++col)
        Move(Cell(col, 0), Qt::LeftButton);  // fills row 0
    QTest::mousePress(dlg.get(), Qt::RightButton, {}, Cell(2, 0));
    for (int row = 1; row < 5; ++row)
        Move(Cell(2, row), Qt::RightButton);  // crosses column 2, emptying the fill it meets
    for (int col = 1; col < 4; ++col)
        Move(Cell(col, 0), Qt::LeftButton, Qt::ControlModifier);  // clears fills and crosses
    for (int row = 3; row < 5; ++row)
        Move(Cell(2, row), Qt::LeftButton | Qt::RightButton);  // the left button wins
    Move(Cell(0, 4), Qt::NoButton);
    EXPECT_EQ(Board(), "#...#/..x../..x../..#../..#..");
}

// The cell that changes is the one under the pointer: the image's pixel (0, 0) is shown two
// pixels in from the frame's corner, and the grid's outer lines belong to no cell.
TEST_F(PlayTest, ThePointerHitsTheCellItShows) {
    OpenBlank(5);
    const int l = 50, t = 70;  // the grid's left and top lines
    const int cases[][4] = {{l, t + 9, -1, 0},    {l + 1, t + 9, 0, 0},  {l + 9, t, -1, 0},
                            {l + 9, t + 1, 0, 0}, {l + 20, t + 9, 1, 0}, {l + 99, t + 99, 4, 4}};
    for (const auto& [x, y, col, row] : cases) {  // x, y, col (-1: none), row
        doc.GetPlayBoard().Clear();
        Click(Qt::LeftButton, At(x, y));
        EXPECT_EQ(Board().find('#') == std::string::npos, col < 0) << x << "," << y;
        EXPECT_TRUE(col < 0 || MarkAt(col, row) == Mark::Filled) << x << "," << y;
    }
    Click(Qt::LeftButton, At(l + 39, t + 39));  // on screen the pixel clicked shows the fill
    EXPECT_EQ(FromQRgb(dlg->grab().toImage().pixel(At(l + 39, t + 39))), kDark);
}

// The image is drawn from the board: whatever happens to it, the next paint brings back every
// fill and cross, and after a check every mistake's frame.
TEST_F(PlayTest, APaintRestoresTheMarksFromTheBoard) {
    Open({"#....", ".....", ".....", ".....", "....."});
    Click(Qt::RightButton, Cell(0, 0));
    Click(Qt::RightButton, Cell(3, 2));
    Click(Qt::LeftButton, Cell(4, 4));
    const QImage marked = dlg->m_bmpBoard.Image().copy();
    dlg->m_dcMem.FillSolidRect(0, 0, dlg->m_dcMem.Width(), dlg->m_dcMem.Height(), kFace);
    dlg->repaint();
    EXPECT_EQ(dlg->m_bmpBoard.Image(), marked);
    EXPECT_EQ(Board(), "x..../...../...x./...../....#");

    ScriptedMessageBoxes boxes;
    Button(IDOK);
    const QImage checked = dlg->m_bmpBoard.Image().copy();
    EXPECT_NE(checked, marked);
    dlg->m_dcMem.FillSolidRect(0, 0, dlg->m_dcMem.Width(), dlg->m_dcMem.Height(), kFace);
    dlg->repaint();
    EXPECT_EQ(dlg->m_bmpBoard.Image(), checked);
}

TEST_F(PlayTest, MistakesAreCountedFramedAndRepeatedWhileTheBoardIgnoresTheMouse) {
    Open({"##...", ".....", ".....", ".....", "....#"});
    Click(Qt::LeftButton, Cell(0, 0));   // black, filled: right
    Click(Qt::RightButton, Cell(1, 0));  // black, crossed: wrong
    Click(Qt::LeftButton, Cell(4, 0));   // white, filled: wrong
    Click(Qt::RightButton, Cell(0, 3));  // white, crossed: right; (4, 4) black, blank: wrong
    ScriptedMessageBoxes boxes;
    Tick(2);
    Button(IDOK);
    ASSERT_EQ(boxes.Texts(), QStringList(Mistakes("3", "2")));
    EXPECT_EQ(boxes.All()[0].flags, MB_OK | MB_ICONQUESTION);
    EXPECT_TRUE(dlg->isVisible() && !dlg->IsClockRunning());
    for (auto [c, r] : {std::pair{1, 0}, {4, 0}, {4, 4}})  // a 2-pixel band inside the lines
        EXPECT_EQ(Count(Left(c), Top(r), Left(c) + 21, Top(r) + 21, kGreen), 136) << c << r;
    for (auto [c, r] : {std::pair{0, 0}, {0, 3}, {2, 2}})
        EXPECT_EQ(Count(Left(c), Top(r), Left(c) + 21, Top(r) + 21, kGreen), 0) << c << r;
    EXPECT_EQ(Px(Left(1) + 3, Top(0) + 3), kRed);  // the cell's middle stays visible

    const QImage board = dlg->m_bmpBoard.Image().copy();
    Click(Qt::LeftButton, Cell(2, 2));
    Click(Qt::RightButton, Cell(0, 0));
    Move(Cell(3, 3), Qt::LeftButton);
    EXPECT_EQ((std::vector{MarkAt(0, 0), MarkAt(2, 2), MarkAt(3, 3)}),
              (std::vector{Mark::Filled, Mark::Blank, Mark::Blank}));
    QTest::keyClick(dlg.get(), Qt::Key_Return);  // Enter checks again: the same result
    EXPECT_EQ(boxes.Texts(), QStringList(2, Mistakes("3", "2")));
    EXPECT_EQ(dlg->m_bmpBoard.Image(), board);
}

// The clock is painted with the dialog; a check before the first tick reports 0.
TEST_F(PlayTest, ClockRetryAndCongratulation) {
    Open({"#.", ".#"});
    ScriptedMessageBoxes boxes;
    Button(IDOK);  // before the first tick
    Button(1011);  // retry
    Button(1013);  // help, while the clock goes on
    const QRect r = dlg->ClockRect();
    ASSERT_TRUE(dlg->GetDlgItem(1028)->geometry().contains(r));
    Tick(1);
    const QImage one = dlg->grab(r).toImage();  // grabbing repaints
    Tick(59);
    EXPECT_EQ(dlg->ClockText(), QStringLiteral("60s"));
    EXPECT_NE(dlg->grab(r).toImage(), one);  // a repaint shows the time
    Click(Qt::LeftButton, Cell(0, 0));
    Button(IDOK);

    Button(1011);  // an empty board; clues and lines come back with the next paint
    EXPECT_EQ(Board(), "../..");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->m_bRedrawPending == 0; }, 2000));
    EXPECT_EQ(Px(Left(0), Top(0) + 5), kGrid);
    Button(IDOK);
    Button(1011);
    Click(Qt::LeftButton, Cell(0, 0));
    Click(Qt::LeftButton, Cell(1, 1));
    Click(Qt::RightButton, Cell(1, 0));  // a cross on a white cell is no mistake
    Tick(7);
    Button(IDOK);
    ASSERT_EQ(boxes.Texts(),
              (QStringList{Mistakes("2", "0"),
                           QStringLiteral("***操作方法***\n\n左クリック ：  塗りつぶし\n"
                                          "右クリック ：  ×表示\nCtrl+クリック ： クリア\n\n"
                                          "矢印キー ： カーソル移動\nスペース ： 塗りつぶし\n"
                                          "X ： ×表示\nDelete ： クリア\n"
                                          "Shift+矢印キー ： 直前の操作を続ける\n"
                                          "Ctrl+Z ： 元に戻す\nCtrl+Y, Ctrl+Shift+Z ： やり直し\n"
                                          "H ： ヒント"),
                           Mistakes("1", "60"), Mistakes("2", "0"),
                           QStringLiteral("Congratulations!!!\r\n7秒でクリアです。")}));
    EXPECT_EQ(boxes.All()[1].flags | boxes.All()[4].flags, MB_OK);  // no icon
}

// Each size is then closed another way: END, Esc or the close box.
TEST_F(PlayTest, LayoutForEachGridSizeAndClosing) {
    for (auto [n, w, h] : {std::tuple{5, 160, 180}, {10, 310, 330}, {20, 610, 630}}) {
        OpenBlank(n);
        EXPECT_EQ(dlg->m_ctlBoard->geometry(), QRect(DluToPixelsX(25), DluToPixelsY(22), w, h))
            << n;
        EXPECT_EQ(dlg->m_bmpBoard.Image().size(), QSize(w - 4, h - 4)) << n;
        EXPECT_EQ(dlg->size(), QSize(w - 2 + 180, h - 2 + 110)) << n;
        // Right-hand column from the top, 20 pixels in from the top and right, 5-pixel gaps;
        // the hint below END.
        int y = 20;
        for (int id : {IDOK, 1028, 1013, 1011, IDCANCEL, 1014}) {
            const QRect b = dlg->GetDlgItem(id)->geometry();
            const int x = dlg->width() - 20 - dlg->GetDlgItem(id == IDOK ? IDOK : 1028)->width();
            EXPECT_EQ(b.topLeft(), QPoint(x, y)) << n << " " << id;
            y = b.bottom() + 1 + 5;
        }
        n == 5    ? Button(IDCANCEL)
        : n == 10 ? QTest::keyClick(dlg.get(), Qt::Key_Escape)
                  : void(dlg->close());
        EXPECT_FALSE(dlg->isVisible() || dlg->IsClockRunning()) << n;
    }
}

// N = 10 (grid x 100..300, y 120..320): column 0 has two runs, row 0 a run of 10, row 9 none.
TEST_F(PlayTest, CluesAndLines) {
    Open({"##########", "..........", "..........", "#.........", "..........", "..........",
          "..........", "..........", "..........", ".........."});
    const auto clue = [&](int x0, int y0, int x1, COLORREF c = kClue) {
        return Count(x0, y0 + 1, x1, y0 + 20, c);
    };
    EXPECT_GT(clue(101, 100, 120) * clue(101, 80, 120), 0);  // 1 and 1
    EXPECT_GT(clue(81, 300, 100, kGrey), 0);                 // 0, grey while its row has no fill
    EXPECT_EQ(clue(101, 60, 120) + clue(61, 300, 80) + clue(81, 300, 100), 0);
    EXPECT_GT(clue(80, 120, 86), 0);  // "10" at its place's edge, "0" a third (6 pixels) in
    EXPECT_EQ(clue(80, 300, 86, kGrey), 0);
    // Lines cross the clue areas and end one pixel short; the outer edges are never accents.
    EXPECT_EQ((std::vector{Px(100, 0), Px(200, 0), Px(0, 220), Px(300, 200), Px(300, 320)}),
              (std::vector{kGrid, kFifth, kFifth, kGrid, kFace}));
    for (int k = 1; k < 10; ++k) {
        Click(Qt::LeftButton, Cell(k, 0));
        Click(Qt::RightButton, Cell(0, k));
    }
    dlg->repaint();  // the clues never reach into the grid: the marks next to them stay whole
    for (int k = 1; k < 10; ++k)
        EXPECT_EQ(std::string({CellLook(k, 0), CellLook(0, k)}), "#x") << k;
}

// The arrows show and move a cursor framed in blue; Space, X and Delete mark its cell, Shift
// with arrows repeats the last of them on each cell entered, and undo and redo walk the steps.
// The keys reach the board through a focused button too.
TEST_F(PlayTest, KeyboardPlayWithUndoAndRedo) {
    OpenBlank(5);
    ScriptedMessageBoxes boxes;
    Key(Qt::Key_Right);  // the first arrow only shows the cursor
    EXPECT_EQ(InCell(0, 0, kBlue), kBand);
    Key(Qt::Key_Right);
    EXPECT_EQ(InCell(0, 0, kBlue) + InCell(1, 0, kBlue), kBand);
    Key(Qt::Key_Space, {}, dlg->GetDlgItem(1013));  // a fill, not Help's click
    ShiftDrag({Qt::Key_Right, Qt::Key_Right});      // fills two more
    Key(Qt::Key_X);
    ShiftDrag({Qt::Key_Down, Qt::Key_Down});  // crosses two
    Key(Qt::Key_Delete);
    Key(Qt::Key_Left);
    ShiftDrag({Qt::Key_Up});  // clears a blank cell: no step
    EXPECT_EQ(Marks(), ".##x./...x./...../...../.....");
    EXPECT_EQ(InCell(2, 1, kBlue), kBand);
    EXPECT_EQ(Image(), Redrawn());  // cell by cell as a whole paint draws it
    const char* steps[] = {
        ".##x./...x./...x./...../.....",  // Delete
        ".##x./...../...../...../.....",  // the drag down
        ".###./...../...../...../.....",  // X
        ".#.../...../...../...../.....",  // the drag right
        "...../...../...../...../.....",  // Space
        "...../...../...../...../.....",  // nothing left
    };
    for (const char* board : steps) {
        Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Marks(), board);
    }
    EXPECT_EQ(Board().substr(0, 5), ".....");
    Key(Qt::Key_Y, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Marks(), ".###./...../...../...../.....");
    EXPECT_EQ(Board().substr(0, 5), ".###.");
    EXPECT_EQ(boxes.Count(), 0);
    Key(Qt::Key_Return);  // Enter still checks; then the keys are ignored as the mouse is
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Space);
    EXPECT_EQ(Marks(), ".###./...../...../...../.....");
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(InCell(2, 1, kBlue), 0);  // no cursor on a checked board
    Key(Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
}

// A mouse drag is one step: Ctrl+Z brings back the image as it was, pixel for pixel, with the
// clues the drag finished green again; redo brings the drag back.  Retry forgets the history.
TEST_F(PlayTest, UndoOfADragRestoresTheImage) {
    Open({"#####", ".....", "#....", ".....", "....."});
    Click(Qt::LeftButton, Cell(0, 2));
    const QImage before = Image();
    QTest::mousePress(dlg.get(), Qt::LeftButton, {}, Cell(0, 0));
    for (int col = 1; col < 5; ++col)
        Move(Cell(col, 0), Qt::LeftButton);
    QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, Cell(4, 0));
    const QImage after = Image();
    EXPECT_GT(InRowClue(0, kGrey), 0);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(Marks(), "...../...../#..../...../.....");
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Image(), after);
    EXPECT_EQ(Image(), Redrawn());
    Button(1011);
    Key(Qt::Key_Y, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Marks(), "...../...../...../...../.....");
}

// The numbers of a line turn grey while its fills form its clue, and green again when they do
// not; a line of clue 0 is grey while it has no fill.  A mark changes only its cell and the
// clue strips of its row and column.
TEST_F(PlayTest, FinishedCluesTurnGrey) {
    // Rows 2 1 / 0 / 1 / 1 / 1, columns 1 3 / 1 / 0 / 1 / 0.
    Open({"##.#.", ".....", "#....", "#....", "#...."});
    const auto shades = [&] {  // per row, then per column: g grey, - green, ? both
        std::string s;
        for (int k = 0; k < 10; ++k) {
            const int grey = k < 5 ? InRowClue(k, kGrey) : InColumnClue(k - 5, kGrey);
            const int green = k < 5 ? InRowClue(k, kClue) : InColumnClue(k - 5, kClue);
            s += std::string(k == 5 ? "|" : "") + (grey && green ? '?' : grey ? 'g' : '-');
        }
        return s;
    };
    EXPECT_EQ(shades(), "-g---|--g-g");
    for (int col : {0, 2, 3})
        Click(Qt::LeftButton, Cell(col, 0));
    EXPECT_EQ(shades(), "-g---|---gg");  // runs 1 2 are not 2 1
    Click(Qt::LeftButton, Cell(2, 0), Qt::ControlModifier);
    Click(Qt::LeftButton, Cell(1, 0));
    EXPECT_EQ(shades(), "gg---|-gggg");
    const QImage before = Image();
    Click(Qt::LeftButton, Cell(4, 1));
    EXPECT_EQ(shades(), "g----|-ggg-");
    const QImage after = Image();
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const bool cell = x > Left(4) && x < Left(5) && y > Top(1) && y < Top(2);
            const bool row = x < Left(0) && y >= Top(1) && y <= Top(2);
            const bool column = y < Top(0) && x >= Left(4) && x <= Left(5);
            ASSERT_TRUE(before.pixel(x, y) == after.pixel(x, y) || cell || row || column)
                << x << "," << y;
        }
    }
    Click(Qt::RightButton, Cell(4, 1));  // a cross is no fill
    EXPECT_EQ(shades(), "gg---|-gggg");
    QTest::mousePress(dlg.get(), Qt::LeftButton, {}, Cell(0, 2));
    Move(Cell(0, 3), Qt::LeftButton);
    Move(Cell(0, 4), Qt::LeftButton);
    EXPECT_EQ(shades(), "ggggg|ggggg");
    EXPECT_EQ(Image(), Redrawn());
}

// A board that forms every clue but is not the answer is congratulated with a note and no
// frame; hints are counted in the congratulation.
TEST_F(PlayTest, AnotherSolutionIsCongratulated) {
    Open({"#.", ".#"});
    ScriptedMessageBoxes boxes;
    Click(Qt::LeftButton, Cell(1, 0));
    Click(Qt::LeftButton, Cell(0, 1));
    Tick(4);
    Button(IDOK);
    Button(IDOK);  // the same again
    const QString other =
        kCongratulation.arg(4) + QStringLiteral("\r\n（作者の答えとは別の解です）");
    EXPECT_EQ(boxes.Texts(), QStringList(2, other));
    EXPECT_EQ(Count(0, 0, dlg->m_dcMem.Width(), dlg->m_dcMem.Height(), kGreen), 0);
    EXPECT_EQ(Board(), ".#/#.");
}

// H and the button "ヒント" frame in orange the cell nearest the cursor that line logic decides
// and mark it; a wrong mark is framed instead and stays.  Undo takes a hint's mark back.  With
// nothing to decide a message says so and nothing is counted.
TEST_F(PlayTest, HintsMarkDeducibleCellsAndPointAtWrongMarks) {
    Open({"#####", ".....", "#####", ".....", "#####"});
    ScriptedMessageBoxes boxes;
    Key(Qt::Key_H);
    EXPECT_EQ(Marks(), "#..../...../...../...../.....");
    EXPECT_EQ(InCell(0, 0, kOrange), kBand);
    Button(1014);  // at one step from (0, 0): the first row by row
    EXPECT_EQ(Marks(), "##.../...../...../...../.....");
    EXPECT_EQ(InCell(0, 0, kOrange), 0);
    EXPECT_EQ(InCell(1, 0, kOrange), kBand);
    Key(Qt::Key_Z, Qt::ControlModifier);  // the hint's mark is a step
    EXPECT_EQ(Marks(), "#..../...../...../...../.....");
    EXPECT_EQ(InCell(1, 0, kOrange), 0);
    Click(Qt::RightButton, Cell(2, 2));  // a cross on a black cell
    Key(Qt::Key_H);
    EXPECT_EQ(Marks(), "#..../...../..x../...../.....");
    EXPECT_EQ(InCell(2, 2, kOrange), kBand);
    EXPECT_EQ(Px(Left(2) + 10, Top(2) + 10), kRed);  // the cross stays visible in the frame
    Key(Qt::Key_Right);  // the cursor shows where the mouse was, inside the hint's frame
    EXPECT_EQ(InCell(2, 2, kOrange), kBand);
    EXPECT_EQ(InCell(2, 2, kBlue), 104);
    Click(Qt::LeftButton, Cell(2, 2));
    EXPECT_EQ(InCell(2, 2, kOrange), 0);
    const auto solve = [&] {
        for (int k = 0; k < 25; ++k)
            Click(k / 5 % 2 ? Qt::RightButton : Qt::LeftButton, Cell(k % 5, k / 5));
    };
    solve();
    Key(Qt::Key_H);  // nothing left to decide
    Tick(9);
    Button(IDOK);
    Key(Qt::Key_H);  // ignored after the check
    Button(1011);    // a new game counts from 0
    solve();
    Button(IDOK);
    EXPECT_EQ(boxes.Texts(),
              (QStringList{QStringLiteral("今の盤面から決められるマスはありません。"),
                           kCongratulation.arg(9) + QStringLiteral("\r\nヒント 3 回"),
                           kCongratulation.arg(0)}));
    EXPECT_EQ(boxes.All()[0].flags, MB_OK | MB_ICONINFORMATION);
}

// Once the congratulation is closed each filled cell takes the average colour of its block of
// the picture; crosses stay; a puzzle without a picture keeps its dark cells.
TEST_F(PlayTest, TheSolvedBoardTurnsIntoThePicture) {
    doc.m_picture = Picture::Filling(40, 40);  // blocks of 20 x 20 pixels
    for (int x = 0; x < 40; ++x) {
        for (int y = 0; y < 40; ++y) {
            const bool first = x < 20 && y < 20;
            const int grey = y % 2 ? 255 : 0;  // half black, half white
            doc.m_picture.planes[3 * x][y] = first ? 200 : grey;
            doc.m_picture.planes[3 * x + 1][y] = first ? 10 + x % 2 * 2 : grey;
            doc.m_picture.planes[3 * x + 2][y] = first ? 30 : grey;
        }
    }
    Open({"#.", ".#"});
    Click(Qt::LeftButton, Cell(0, 0));
    Click(Qt::LeftButton, Cell(1, 1));
    Click(Qt::RightButton, Cell(1, 0));
    COLORREF shown = 0;
    const MessageBoxHook previous = SetMessageBoxHook([&](const QString&, unsigned) {
        shown = Px(Left(0) + 10, Top(0) + 10);
        return IDOK;
    });
    Button(IDOK);
    SetMessageBoxHook(previous);
    EXPECT_EQ(shown, kDark);  // while the congratulation is open
    EXPECT_EQ(Count(Left(0) + 1, Top(0) + 1, Left(1), Top(1), RGB(200, 11, 30)), 19 * 19);
    EXPECT_EQ(Count(Left(1) + 1, Top(1) + 1, Left(2), Top(2), RGB(128, 128, 128)), 19 * 19);
    EXPECT_EQ(CellLook(1, 0), 'x');
    EXPECT_EQ(Image(), Redrawn());
    EXPECT_EQ(FromQRgb(dlg->grab().toImage().pixel(Cell(1, 1))), RGB(128, 128, 128));

    Button(1011);  // a new game is dark again, and so is a puzzle without a picture
    Click(Qt::LeftButton, Cell(0, 0));
    EXPECT_EQ(CellLook(0, 0), '#');
    doc.m_picture = Picture{};
    Open({"#.", ".#"});
    Click(Qt::LeftButton, Cell(0, 0));
    Click(Qt::LeftButton, Cell(1, 1));
    ScriptedMessageBoxes boxes;
    Button(IDOK);
    EXPECT_EQ(Board(), "#./.#");
}

// On a board too large for the screen, the view scrolls to keep the keyboard's cursor in sight.
TEST_F(PlayTest, TheCursorStaysInSightOnAScrolledBoard) {
    std::vector<std::uint8_t> cells(99 * 99);
    for (std::size_t k = 0; k < cells.size(); ++k)
        cells[k] = k % 7 < 4;
    doc.SetPuzzle(Puzzle::FromGrid(99, 99, cells));
    dlg = std::make_unique<CPlaygame>(&doc);
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    auto* view = dlg->findChild<QScrollArea*>();
    ASSERT_NE(view, nullptr);
    Key(Qt::Key_Down);
    for (int k = 0; k < 98; ++k) {
        Key(Qt::Key_Right);
        Key(Qt::Key_Down);
    }
    Key(Qt::Key_Space);
    EXPECT_EQ(doc.GetPlayBoard().At({98, 98}), Mark::Filled);
    const CRect last = dlg->Layout().CellInside({98, 98});
    const CPoint origin = dlg->BoardPoint(CPoint{0, 0});
    const QRect shown(view->viewport()->mapTo(dlg.get(), QPoint(0, 0)), view->viewport()->size());
    EXPECT_TRUE(shown.contains(
        QRect(last.left - origin.x, last.top - origin.y, last.Width(), last.Height())));
}

}  // namespace
