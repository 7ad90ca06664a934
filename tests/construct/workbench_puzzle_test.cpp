// The puzzle in the workbench, which the puzzle panel's double click and "拡大表示" open with
// the puzzle alone: every clue number inside its own slot with a pixel free at each side, so
// that no two run together; on cells too small for a readable font, no numbers at all.
#include <QMenu>

#include "analysis_support.h"
#include "construct/workbench.h"
#include "construct/workbench_panes.h"
#include "support/puzzles.h"

namespace {

// The first column and the bottom row filled: the first column's clue has two digits.
Puzzle EdgePuzzle(int width, int height) {
    return PuzzleOf(width, height, [&](int x, int y) { return x == 0 || y == height - 1; });
}

// The ink of a number, whatever its edges were smoothed over.
bool Dark(QRgb c) {
    return qGray(c) < 120;
}

TEST_F(ViewTest, ThePuzzlePanelOpensTheWorkbenchsPuzzleWithDigitsApart) {
    doc.SetPuzzle(EdgePuzzle(50, 50));
    view.DrawResult();
    QTest::mouseDClick(&view, Qt::LeftButton, {},
                       view.GetDlgItem(IDC_RESULT_PANEL)->geometry().center());
    CWorkbench* bench = view.Workbench();
    ASSERT_TRUE(bench && bench->isVisible());
    EXPECT_EQ(bench->Enlarged(), CWorkbench::kPuzzle);
    bench->resize(1200, 900);
    for (const auto& [width, height] : {std::pair{50, 50}, std::pair{99, 40}}) {
        SCOPED_TRACE(::testing::Message() << width << "x" << height);
        doc.SetPuzzle(EdgePuzzle(width, height));
        view.DrawResult();
        QCoreApplication::processEvents();
        const WorkbenchPuzzlePane* pane = bench->PuzzlePane();
        const FittedBoard& board = pane->Board();
        ASSERT_EQ(board.grid.columns, width);
        ASSERT_GE(board.fontPixels, kSmallestReadableClue);
        const QImage& image = pane->Image();
        // Every column's slots: the numbers keep off the slot's first and last pixel columns.
        const int c = board.grid.cell;
        int dark = 0;
        for (int i = 0; i < width; ++i) {
            const int left = board.grid.left + i * c;
            for (int y = board.Board().top(); y < board.grid.top; ++y) {
                for (int x = left + 1; x < left + c; ++x)
                    dark += Dark(image.pixel(x, y));
                for (int x : {left, left + 1, left + c - 1})
                    ASSERT_FALSE(Dark(image.pixel(x, y))) << x << "," << y;
            }
        }
        EXPECT_GT(dark, 0);
    }
    // Too small to read: no numbers, and the pane says why.
    bench->Enlarge(CWorkbench::kNoPane);
    bench->resize(300, 260);
    QCoreApplication::processEvents();
    EXPECT_EQ(bench->PuzzlePane()->Board().fontPixels, 0);
    bench->close();
}

TEST_F(ViewTest, ThePuzzlePanelsContextMenuOpensTheWorkbenchOnlyWithAPuzzle) {
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
    ASSERT_TRUE(view.Workbench() && view.Workbench()->isVisible());
    EXPECT_EQ(view.Workbench()->PuzzlePane()->Board().grid.rows, 30);
    view.Workbench()->close();
}

}  // namespace
