// The board view of the play dialog: scrolling with the clues in view, zoom, the tinted row
// and column of the cursor, clue numbers struck through, and the thick fifth lines.  Play boards
// of any size up to 99 x 99: the cell size and the scrolled view for the screen; and the board
// image drawn with the clue numbers' pictures kept comes out as written number by number, at
// every cell size of the zoom, with the tint and the strikes.
#include "play/play_fixture.h"
#include "render/board_drawing.h"

namespace {

using namespace play_test;

class BoardViewTest : public PlayTest {
protected:
    int Tinted() const {
        return Count(0, 0, dlg->m_dcMem.Width(), dlg->m_dcMem.Height(), kHighlightColor);
    }
};

// The view's point showing image pixel (x, y) as the view is scrolled, in the dialog.
QPoint Shown(const CPlaygame& dlg, QPoint image) {
    const std::optional<QPoint> at = dlg.m_pBoardView->ViewportPoint(image);
    return at ? dlg.m_pBoardView->viewport()->mapTo(&dlg, *at) : QPoint(-1, -1);
}

// A board too large for the screen, even with the smallest cells, scrolls in a dialog that
// fits the screen; the view keeps the keyboard's cursor in sight, and the pointer hits the cell
// it shows wherever the view is.  Ctrl+"+" and Ctrl + wheel zoom in, Ctrl+"-" out, Ctrl+0 back;
// scrolled to its far corner, the view still shows the clues of every row and column it shows.
TEST_F(BoardViewTest, ABoardTooLargeForTheScreenScrollsAndZooms) {
    Open(PuzzleOf(99, 99, [](int x, int y) { return (x * 7 + y * 3) % 5 < 2; }));
    ASSERT_EQ(dlg->Layout().CellSize(), kSmallestPlayCell);
    BoardView* view = dlg->m_pBoardView;
    const QRect shown(view->viewport()->mapTo(dlg.get(), QPoint(0, 0)), view->viewport()->size());
    ASSERT_TRUE(dlg->rect().contains(shown));
    const auto cell = [&](int col, int row) {
        const int c = dlg->Layout().CellSize();
        return Shown(*dlg, QPoint(Left(col) + c / 2, Top(row) + c / 2));
    };
    Key(Qt::Key_Down);  // shows the cursor, which then goes to the last cell and fills it
    for (int k = 0; k < 98; ++k) {
        Key(Qt::Key_Right);
        Key(Qt::Key_Down);
    }
    Key(Qt::Key_Space);
    ASSERT_TRUE(shown.contains(cell(98, 98)) && shown.contains(cell(97, 98)));
    Click(Qt::LeftButton, cell(97, 98));

    Key(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(dlg->Layout().CellSize(), 10);
    QWheelEvent wheel(QPointF(20, 20), QPointF(), {}, {0, 3 * 120}, Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &wheel);
    ASSERT_EQ(dlg->Layout().CellSize(), 16);
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    const QImage screen = dlg->grab().toImage();
    // Each row and column the view shows a cell of has the pixels of its nearest number on
    // the screen.
    const auto clueShows = [&](CPoint number) {
        const QPoint at = Shown(*dlg, QPoint(number.x, number.y));
        for (int k = 0; k < 16 * 16; ++k) {
            if (shown.contains(at + QPoint(k % 16, k / 16)) &&
                FromQRgb(screen.pixel(at + QPoint(k % 16, k / 16))) == RGB(70, 150, 70))
                return true;
        }
        return false;
    };
    const Puzzle& puzzle = doc.GetPuzzle();
    int rows = 0, columns = 0;
    for (int k = 0; k < 99; ++k) {
        if (shown.contains(cell(98, k))) {
            ++rows;
            EXPECT_TRUE(clueShows(dlg->Layout().RowCluePosition(k, 0, puzzle.rows[k].back())))
                << "row " << k;
        }
        if (shown.contains(cell(k, 98))) {
            ++columns;
            EXPECT_TRUE(clueShows(dlg->Layout().ColumnCluePosition(k, 0, puzzle.columns[k].back())))
                << "column " << k;
        }
    }
    EXPECT_GT(rows, 5);
    EXPECT_GT(columns, 5);
    Click(Qt::LeftButton, cell(98, 97));
    Key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(dlg->Layout().CellSize(), 14);
    Key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(dlg->Layout().CellSize(), kSmallestPlayCell);
    view->ScrollTo({0, 0});
    Click(Qt::LeftButton, cell(0, 0));
    const PlayBoard& board = doc.GetPlayBoard();
    EXPECT_EQ(
        (std::vector{board.At({98, 98}), board.At({97, 98}), board.At({98, 97}), board.At({0, 0})}),
        (std::vector(4, Mark::Filled)));
}

// The row and the column of the keyboard's cursor are tinted, clues and cells, the marks on
// them as they were; the pointer over the grid takes the tint along, and it leaves with the
// pointer.
TEST_F(BoardViewTest, TheRowAndColumnOfTheCursorAreTinted) {
    Open(std::vector<std::string>(5, "....."));
    const auto tinted = [&](int col, int row) {
        return Px(Left(col) + 10, Top(row) + 10) == kHighlightColor;
    };
    EXPECT_EQ(Tinted(), 0);
    Key(Qt::Key_Down);  // shows the cursor on the first cell
    EXPECT_TRUE(tinted(4, 0) && tinted(0, 4) && !tinted(1, 1));
    EXPECT_EQ(std::pair(Px(5, Top(0) + 10), Px(Left(0) + 10, 5)),
              std::pair(kHighlightColor, kHighlightColor));  // the clue areas' strips
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Space);
    EXPECT_TRUE(tinted(1, 4) && tinted(4, 1) && !tinted(4, 0) && !tinted(0, 4));
    EXPECT_EQ(Px(Left(1) + 10, Top(1) + 10), kDark);  // the fill inside the cursor's frame
    Move(Cell(3, 2), Qt::NoButton);
    EXPECT_TRUE(tinted(3, 0) && tinted(0, 2) && !tinted(1, 4) && !tinted(4, 1));
    EXPECT_EQ(Image(), Redrawn());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(dlg.get(), &leave);
    EXPECT_EQ(Tinted(), 0);
}

// A click on a clue number strikes it through and a second click takes the stroke back; these
// clicks, and a drag from a number onto the grid, mark no cell.  Retry clears the strokes.
TEST_F(BoardViewTest, AClickStrikesAClueNumberThrough) {
    Open({"#.#..", ".....", ".....", ".....", "....."});
    const CPoint number = dlg->Layout().RowCluePosition(0, 1, 1);  // the first of "1 1"
    const QPoint at = At(number.x + 8, number.y + 10);
    const auto strip = [&] { return Image().copy(0, Top(0), Left(0), 21); };
    const QImage plain = strip();
    Click(Qt::LeftButton, at);
    EXPECT_NE(strip(), plain);
    EXPECT_TRUE(dlg->Strikes().IsStruck({false, 0, 1}));
    EXPECT_FALSE(dlg->Strikes().IsStruck({false, 0, 0}));
    Click(Qt::LeftButton, at);
    EXPECT_EQ(strip(), plain);
    Drag(Qt::LeftButton, {at, Cell(1, 0), Cell(4, 0)});
    EXPECT_EQ(Board(false), "...../...../...../...../.....");
    EXPECT_FALSE(doc.GetPlayBoard().CanUndo());
    Button(1011);  // retry
    Move(QPoint(1, 1), Qt::NoButton);
    EXPECT_TRUE(dlg->Strikes().Empty());
    EXPECT_EQ(strip(), plain);
}

// Every fifth line inside the grid is two pixels wide on a board larger than 20 x 20; on the
// smaller boards only with "5マスごとの太線", which the next dialog keeps.
TEST_F(BoardViewTest, FifthLinesAreThickOnLargeBoardsOrByOption) {
    const auto thick = [&] {
        const COLORREF fifth = RGB(200, 0, 105);
        return Px(Left(5) + 1, Top(2) + 3) == fifth && Px(Left(2) + 3, Top(5) + 1) == fifth;
    };
    const auto blank = [](int, int) { return false; };
    Open(PuzzleOf(25, 25, blank));
    EXPECT_TRUE(thick());
    EXPECT_FALSE(dlg->m_pThickLines->isEnabled());
    Open(PuzzleOf(20, 20, blank));
    EXPECT_FALSE(thick());
    dlg->m_pThickLines->setChecked(true);
    EXPECT_TRUE(thick());
    Reopen();
    EXPECT_TRUE(thick());
    dlg->m_pThickLines->setChecked(false);
    EXPECT_FALSE(thick());
}

// Clues as long as clues get: rows and columns alternate filled and blank cells.
const QSize kAround(196, 158);  // what the dialog keeps around the board on a desktop

TEST(BoardSizing, CellsShrinkForTheScreenThenTheBoardScrolls) {
    const struct {
        Puzzle puzzle;
        QSize screen;
        int cell;
        bool scrolls;
    } cases[] = {
        {Checkered(20, 20), {300, 200}, 20, false},  // as large as the analysis makes: 20 pixels
        {Checkered(25, 25), {1920, 1080}, 20, false}, {Checkered(25, 25), {1280, 800}, 16, false},
        {Checkered(99, 99), {1920, 1200}, 8, true},   {Checkered(99, 99), {1366, 768}, 8, true},
        {Checkered(99, 1), {1280, 1024}, 8, true},  // a view no taller than the board
    };
    for (const auto& c : cases) {
        const Puzzle& p = c.puzzle;
        SCOPED_TRACE(std::to_string(p.width) + "x" + std::to_string(p.height));
        const BoardSizing s = SizeBoard(p, kAround, c.screen);
        EXPECT_EQ(s.layout.CellSize(), c.cell);
        EXPECT_EQ(s.scrolls, c.scrolls);
        const QSize board(s.layout.Width(), s.layout.Height());
        if (!s.scrolls) {
            // Whatever fits uses the largest cell that fits: one pixel more would not.
            if (s.fitted) {
                EXPECT_LE(board.width() + kAround.width(), c.screen.width());
                EXPECT_LE(board.height() + kAround.height(), c.screen.height());
            }
            if (c.cell < kPlayCellSize) {
                const BoardLayout larger = BoardLayout::ForPuzzle(p, c.cell + 1);
                EXPECT_TRUE(larger.Width() + kAround.width() > c.screen.width() ||
                            larger.Height() + kAround.height() > c.screen.height());
            }
        } else {
            EXPECT_LE(s.view.width(), std::min(board.width(), c.screen.width() - kAround.width()));
            EXPECT_LE(s.view.height(), std::min(board.height(), c.screen.height()));
            EXPECT_TRUE(s.view.width() < board.width() || s.view.height() < board.height());
        }
    }
}

TEST(BoardDrawing, KeptCluePicturesDrawWhatTheFontWrites) {
    const Puzzle puzzle = PuzzleOf(13, 9, [](int x, int y) { return (x * 5 + y * 3) % 4 < 2; });
    const PlayBoard board(13, 9);
    ClueStrikes strikes;
    strikes.Toggle({false, 2, 0});
    strikes.Toggle({true, 4, 1});
    const std::vector<std::uint8_t> finished(13, 1);
    CluePictures pictures;
    for (int cell : {8, 13, 20, 40}) {
        const BoardLayout layout = BoardLayout::ForPuzzle(puzzle, cell);
        BoardScene scene;
        scene.layout = &layout;
        scene.puzzle = &puzzle;
        scene.board = &board;
        scene.finishedColumns = &finished;
        scene.highlight = CellPos{4, 2};
        scene.strikes = &strikes;
        const auto draw = [&](CluePictures* kept) {
            CBitmap bitmap;
            CDC dc;
            bitmap.CreateBitmap(layout.Width(), layout.Height());
            dc.SelectObject(&bitmap);
            scene.glyphs = kept;
            DrawBoardArea(dc, scene);
            return bitmap.Image().copy();
        };
        const QImage written = draw(nullptr);
        EXPECT_EQ(draw(&pictures), written) << cell;  // pictures made
        EXPECT_EQ(draw(&pictures), written) << cell;  // pictures kept
    }
}

}  // namespace
