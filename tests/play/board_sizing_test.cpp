// Play boards of any size up to 99 x 99: the cell size and the scrolled view for the screen; and
// the board image drawn with the clue numbers' pictures kept comes out as written number by
// number, at every cell size of the zoom, with the tint and the strikes.
#include "render/board_sizing.h"

#include <gtest/gtest.h>

#include "render/board_drawing.h"
#include "support/puzzles.h"

namespace {

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
    std::vector<std::uint8_t> cells(13 * 9);
    for (std::size_t k = 0; k < cells.size(); ++k)
        cells[k] = (k % 13 * 5 + k / 13 * 3) % 4 < 2;
    const Puzzle puzzle = Puzzle::FromGrid(13, 9, cells);
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
