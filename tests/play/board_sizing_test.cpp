// Boards of any size up to 99 x 99: the cell size and the scrolled view for the screen, the
// clue areas that grow with the longest clue while the square boards keep their layout, and
// the dialog playing such boards, also from a puzzle with clues only.
#include "play/board_sizing.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <random>

#include "model/ngm_doc.h"
#include "play/board_drawing.h"
#include "play/playgame.h"
#include "support/scripted_ui.h"

namespace {

// A w x h puzzle whose rows and columns alternate filled and blank cells as often as they can,
// so that its clues are as long as clues get.
Puzzle Checkered(int w, int h) {
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            cells[static_cast<std::size_t>(y) * w + x] = (x + y) % 2 == 0;
    return Puzzle::FromGrid(w, h, cells);
}

// Squares of 20 x 20 cells, filled and blank in turn: clues of at most five runs.
Puzzle Squares(int w, int h) {
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            cells[static_cast<std::size_t>(y) * w + x] = (x / 20 + y / 20) % 2;
    return Puzzle::FromGrid(w, h, cells);
}

const QSize kAround(196, 158);  // what the dialog keeps around the board on a desktop

TEST(BoardSizing, CellsShrinkForTheScreenThenTheBoardScrolls) {
    const struct {
        Puzzle puzzle;
        QSize screen;
        int cell;
        bool scrolls;
    } cases[] = {
        {Checkered(5, 5), {300, 200}, 20, false},  // as large as the analysis makes: 20 pixels
        {Checkered(20, 20), {640, 480}, 20, false},
        {Checkered(20, 3), {640, 480}, 20, false},
        {Checkered(25, 25), {1920, 1080}, 20, false},
        {Checkered(25, 25), {1280, 800}, 16, false},
        {Checkered(60, 40), {1920, 1080}, 15, false},
        {Squares(99, 99), {1920, 1200}, 9, false},  // short clues: small clue areas
        {Squares(99, 99), {1280, 1024}, 8, true},
        {Checkered(99, 99), {1920, 1200}, 8, true},
        {Checkered(99, 1), {1280, 1024}, 8, true},
        {Checkered(1, 99), {1280, 1024}, 8, true},
    };
    for (const auto& c : cases) {
        const Puzzle& p = c.puzzle;
        SCOPED_TRACE(std::to_string(p.width) + "x" + std::to_string(p.height));
        const BoardSizing s = SizeBoard(p, kAround, c.screen);
        EXPECT_EQ(s.layout.CellSize(), c.cell);
        EXPECT_EQ(s.scrolls, c.scrolls);
        EXPECT_EQ(s.layout.Columns(), p.width);
        EXPECT_EQ(s.layout.Rows(), p.height);
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

TEST(BoardSizing, ClueAreasGrowWithTheLongestClueButSquareBoardsStayAsTheyWere) {
    for (int n : {1, 5, 7, 10, 13, 20}) {
        for (int cell : {7, 8, 13, 20}) {
            const Puzzle p = Checkered(n, n);
            const BoardLayout grown = BoardLayout::ForPuzzle(p, cell), plain(n, n, cell);
            EXPECT_EQ(grown.GridLeft(), plain.GridLeft()) << n << " " << cell;
            EXPECT_EQ(grown.GridTop(), plain.GridTop()) << n << " " << cell;
            EXPECT_EQ(grown.Width(), plain.Width());
        }
    }
    // Off the square, or beyond 20 cells a side, every slot of the longest clues lies inside
    // the board, and the clue areas are no larger than a 20-cell side or the clues need.
    for (auto [w, h] : {std::pair{3, 40}, {40, 3}, {99, 1}, {1, 99}, {7, 30}, {33, 33}}) {
        const Puzzle p = Checkered(w, h);
        const BoardLayout layout = BoardLayout::ForPuzzle(p, 20);
        for (int j = 0; j < h; ++j) {
            const int last = static_cast<int>(ClueSlots(p.rows[j]).size()) - 1;
            EXPECT_GE(layout.RowCluePosition(j, last, 10).x, 0) << w << "x" << h;
        }
        for (int i = 0; i < w; ++i) {
            const int last = static_cast<int>(ClueSlots(p.columns[i]).size()) - 1;
            EXPECT_GE(layout.ColumnCluePosition(i, last, 10).y, 0) << w << "x" << h;
        }
        EXPECT_EQ(layout.GridLeft(), std::max(std::min(w, 20) * 10, (w + 1) / 2 * 20));
    }
}

class LargeBoardTest : public ::testing::Test {
protected:
    void Open(Puzzle puzzle) {
        doc.SetPuzzle(std::move(puzzle));
        dlg = std::make_unique<CPlaygame>(&doc);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        QTest::qWait(20);
    }
    // The dialog point at the middle of a cell, as the board's layout and its frame place it.
    QPoint CellPoint(CellPos cell) const {
        const CRect inside = dlg->Layout().CellInside(cell);
        const CPoint origin = dlg->BoardPoint(CPoint{0, 0});
        return QPoint(inside.left + inside.Width() / 2 - origin.x,
                      inside.top + inside.Height() / 2 - origin.y);
    }
    void Click(CellPos cell) { QTest::mouseClick(dlg.get(), Qt::LeftButton, {}, CellPoint(cell)); }
    QRect Screen() const { return dlg->screen()->availableGeometry(); }

    CNGMDoc doc;
    std::unique_ptr<CPlaygame> dlg;
};

// A board too large for the screen scrolls, and the pointer still hits the cell it shows.
TEST_F(LargeBoardTest, ABoardTooLargeScrollsAndThePointerHitsTheCellShown) {
    std::mt19937 rng(5);
    std::vector<std::uint8_t> cells(99 * 99);
    for (auto& c : cells)
        c = rng() % 2;
    Open(Puzzle::FromGrid(99, 99, cells));
    ASSERT_EQ(dlg->Layout().CellSize(), kSmallestPlayCell);
    auto* view = dlg->findChild<QScrollArea*>();
    ASSERT_NE(view, nullptr);
    EXPECT_LE(dlg->width(), Screen().width());
    EXPECT_LE(dlg->height(), Screen().height());
    EXPECT_TRUE(QRect(QPoint(), dlg->size()).contains(view->geometry()));
    // The whole image is drawn, not only what the view shows: the grid's last lines too.
    const CPoint end{dlg->Layout().GridRight(), dlg->Layout().GridBottom()};
    EXPECT_EQ(dlg->m_dcMem.GetPixel(end.x - 3, end.y), RGB(0, 105, 145));
    EXPECT_EQ(dlg->m_dcMem.GetPixel(end.x, end.y - 3), RGB(0, 105, 145));
    // The cell at the view's top left, then the last cell once the view has scrolled to it.
    Click({0, 0});
    EXPECT_EQ(doc.GetPlayBoard().At({0, 0}), Mark::Filled);
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    ASSERT_TRUE(view->geometry().contains(CellPoint({98, 98})));
    Click({98, 98});
    EXPECT_EQ(doc.GetPlayBoard().At({98, 98}), Mark::Filled);
    EXPECT_EQ(doc.GetPlayBoard().At({97, 98}), Mark::Blank);
    // The whole image is drawn: the last cell's fill shows in it.
    const CRect last = dlg->Layout().CellInside({98, 98});
    EXPECT_EQ(dlg->m_dcMem.GetPixel(last.left + 3, last.top + 3), RGB(50, 50, 50));
}

// A puzzle read with its clues only plays to the congratulation; a wrong board has mistakes.
TEST_F(LargeBoardTest, APuzzleWithCluesOnlyIsPlayedAgainstItsClues) {
    // Two solutions: either diagonal of the 2 x 2 square; a 30 x 2 strip of them.
    std::vector<std::uint8_t> cells(30 * 2);
    for (int x = 0; x < 30; x += 2)
        cells[x] = cells[30 + x + 1] = 1;
    Puzzle puzzle = Puzzle::FromGrid(30, 2, cells);
    puzzle.answer.clear();
    Open(puzzle);
    EXPECT_EQ(dlg->findChild<QScrollArea*>(), nullptr);
    EXPECT_LE(dlg->width(), Screen().width());
    ScriptedMessageBoxes boxes;
    Click({0, 0});
    Click({1, 0});  // row 0 now starts with a run of 2
    dlg->OnAnswerCheck();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Texts()[0].startsWith(QStringLiteral("間違いが")))
        << boxes.Texts()[0].toStdString();
    EXPECT_FALSE(boxes.Texts()[0].startsWith(QStringLiteral("間違いが0個")));

    dlg->OnRetry();
    // The other diagonal in every square: not the cells the clues were read from, but a
    // solution of the clues.
    for (int x = 0; x < 30; x += 2) {
        Click({x + 1, 0});
        Click({x, 1});
    }
    dlg->OnAnswerCheck();
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_TRUE(boxes.Texts()[1].startsWith(QStringLiteral("Congratulations!!!")))
        << boxes.Texts()[1].toStdString();
}

}  // namespace
