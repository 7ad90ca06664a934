// The puzzle in the workbench, which the puzzle panel's double click and "拡大表示" open with
// the puzzle alone: every clue number inside its own slot with a pixel free at each side, so
// that no two run together; on cells too small for a readable font, no numbers at all.
#include <QCheckBox>
#include <QColorDialog>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "analysis_support.h"
#include "construct/workbench.h"
#include "construct/workbench_palette.h"
#include "construct/workbench_panes.h"
#include "platform/modal.h"
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
    // The panel's context menu offers the workbench only with a puzzle.
    QMenu empty;
    view.FillPuzzlePanelMenu(empty);
    ASSERT_EQ(empty.actions().size(), 1);
    EXPECT_EQ(empty.actions()[0]->text(), QStringLiteral("拡大表示"));
    EXPECT_FALSE(empty.actions()[0]->isEnabled());
    doc.SetPuzzle(EdgePuzzle(50, 50));
    view.DrawResult();
    QMenu menu;
    view.FillPuzzlePanelMenu(menu);
    ASSERT_TRUE(menu.actions()[0]->isEnabled());
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
    menu.actions()[0]->trigger();
    EXPECT_TRUE(bench->isVisible());
    EXPECT_EQ(bench->PuzzlePane()->Board().grid.rows, 40);
    bench->close();
}

// The palette of a colour puzzle in the workbench: the swatch chosen is what the left button
// paints, the right button paints the background; a colour changed in its dialog is locked and
// stays through the next analysis until its lock is cleared; the pick takes a colour from the
// picture.  Black and white has no palette.
TEST_F(ViewTest, TheWorkbenchPalettePaintsChangesLocksAndPicksColours) {
    PutRedAndBlue();
    view.SetCustomBlocks(4, 4);
    view.SetColours(3);
    view.OnWorkbench();
    CWorkbench* bench = view.Workbench();
    bench->resize(900, 700);
    QCoreApplication::processEvents();
    WorkbenchPalette* palette = bench->Palette();
    ASSERT_FALSE(palette->isHidden());
    const Puzzle& puzzle = doc.GetPuzzle();
    ASSERT_EQ(puzzle.palette, (std::vector<std::uint32_t>{0xffffff, 0xdc141e, 0x1428d2}));
    auto cell = [&](int column, int row) {
        const GridPlacement at = bench->Editor()->Placement();
        return QPoint(at.left + column * at.cell + at.cell / 2,
                      at.top + row * at.cell + at.cell / 2);
    };
    palette->Swatch(2)->click();
    QTest::mouseClick(bench->Editor(), Qt::LeftButton, {}, cell(3, 3));
    EXPECT_EQ(puzzle.AnswerAt(3, 3), 2);
    QTest::mouseClick(bench->Editor(), Qt::RightButton, {}, cell(3, 3));
    EXPECT_EQ(puzzle.AnswerAt(3, 3), 0);

    // Colour 1 made green in its dialog (a double click on its swatch, then the button): locked,
    // and kept by the next analysis.
    QColor chosen(0, 0, 160);
    const ModalHook previous = SetModalHook([&](QDialog& dialog) {
        static_cast<QColorDialog&>(dialog).setCurrentColor(chosen);
        return int(QDialog::Accepted);
    });
    QTest::mouseDClick(palette->Swatch(1), Qt::LeftButton);
    EXPECT_EQ(palette->Chosen(), 1);
    EXPECT_EQ(puzzle.palette[1], 0x0000a0u);
    chosen = QColor(0, 160, 0);
    palette->ChangeButton()->click();
    SetModalHook(previous);
    EXPECT_EQ(puzzle.palette[1], 0x00a000u);
    EXPECT_EQ(puzzle.AnswerAt(1, 0), 1);
    EXPECT_TRUE(palette->LockBox(1)->isChecked());
    view.OnAnalyze();
    EXPECT_EQ(doc.GetPuzzle().palette[1], 0x00a000u);
    palette->LockBox(1)->click();
    EXPECT_TRUE(view.Session().Settings().locked.empty());
    view.OnAnalyze();
    EXPECT_EQ(doc.GetPuzzle().palette[1], 0xdc141eu);

    // The pick: the background takes the blue of the picture.
    palette->Swatch(0)->click();
    palette->PickButton()->click();
    const QRect image = bench->PicturePane()->ImageRect();
    QTest::mouseClick(bench->PicturePane(), Qt::LeftButton, {},
                      image.topLeft() + QPoint(image.width() * 3 / 8, image.height() * 5 / 8));
    EXPECT_EQ(doc.GetPuzzle().palette[0], 0x1428d2u);
    EXPECT_FALSE(palette->Picking());

    view.SetColours(0);
    EXPECT_TRUE(palette->isHidden());
    bench->close();
}

}  // namespace
