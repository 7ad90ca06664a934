// The larger view of the puzzle panel: opened by a double click on the panel or from its context
// menu, with cells on which every clue number is drawn clear of its lines and neighbours,
// scrolled when the board is larger than the screen, and following the form's puzzle.
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>

#include "analysis_support.h"
#include "construct/puzzle_zoom_dialog.h"

namespace {

// The first column and the bottom row filled: the first column's clue has two digits.
Puzzle EdgePuzzle(int width, int height) {
    std::vector<std::uint8_t> cells(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            cells[y * width + x] = x == 0 || y == height - 1;
    return Puzzle::FromGrid(width, height, cells);
}

constexpr QRgb kBlack = qRgb(0, 0, 0);

TEST_F(ViewTest, ADoubleClickOnThePuzzlePanelShowsItsCluesLargeEnoughToRead) {
    doc.SetPuzzle(EdgePuzzle(50, 50));
    view.DrawResult();
    QTest::mouseDClick(&view, Qt::LeftButton, {}, view.GetDlgItem(IDC_INPUT_PANEL)->pos());
    EXPECT_FALSE(view.ZoomDialog());
    QTest::mouseDClick(&view, Qt::LeftButton, {},
                       view.GetDlgItem(IDC_RESULT_PANEL)->geometry().center());
    // The second puzzle comes into the open view with the drawing of the panel.
    for (const auto& [width, height] : {std::pair{50, 50}, std::pair{99, 40}}) {
        SCOPED_TRACE(::testing::Message() << width << "x" << height);
        doc.SetPuzzle(EdgePuzzle(width, height));
        view.DrawResult();
        CPuzzleZoomDialog* zoom = view.ZoomDialog();
        ASSERT_TRUE(zoom && zoom->isVisible());
        const BoardLayout& layout = zoom->Layout();
        const QImage& board = zoom->Board();
        ASSERT_EQ(layout.Columns(), width);
        ASSERT_GE(layout.CellSize(), 12);
        ASSERT_EQ(board.size(), QSize(layout.Width(), layout.Height()));
        // The first column's two digits are drawn, keeping a pixel free beside each line of
        // their strip.  (Where numbers go on cells of other sizes is the panel's test.)
        const int c = layout.CellSize();
        const CRect first = layout.ColumnClueStrip(0);
        int black = 0;
        for (int y = 0; y < first.bottom; ++y) {
            for (int x = first.left + 1; x < first.left + c; ++x)
                black += board.pixel(x, y) == kBlack;
            for (int x : {first.left + 1, first.left + c - 1})
                ASSERT_NE(board.pixel(x, y), kBlack) << x << "," << y;
        }
        EXPECT_GT(black, 0);
        // The board is larger than the window, which stays on the screen and scrolls.
        EXPECT_GT(zoom->ScrollArea()->horizontalScrollBar()->maximum(), 0);
        const QRect screen = zoom->screen()->availableGeometry();
        EXPECT_LE(zoom->width(), screen.width());
        EXPECT_LE(zoom->height(), screen.height());
    }
    // A refused analysis leaves no puzzle, and the open view shows none.
    doc.ClearPuzzle();
    view.DrawResult();
    EXPECT_TRUE(view.ZoomDialog()->Board().isNull());
    view.ZoomDialog()->close();
}

TEST_F(ViewTest, ThePuzzlePanelsContextMenuOpensTheLargerViewOnlyWithAPuzzle) {
    QMenu empty;
    view.FillPuzzlePanelMenu(empty);
    ASSERT_EQ(empty.actions().size(), 1);
    EXPECT_EQ(empty.actions()[0]->text(), QStringLiteral("拡大表示"));
    EXPECT_FALSE(empty.actions()[0]->isEnabled());

    doc.SetPuzzle(EdgePuzzle(30, 30));
    view.DrawResult();
    QMenu menu;
    view.FillPuzzlePanelMenu(menu);
    ASSERT_TRUE(menu.actions()[0]->isEnabled());
    menu.actions()[0]->trigger();
    ASSERT_TRUE(view.ZoomDialog() && view.ZoomDialog()->isVisible());
    EXPECT_EQ(view.ZoomDialog()->Layout().Rows(), 30);
    view.ZoomDialog()->close();
}

}  // namespace
