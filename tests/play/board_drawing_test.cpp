// The board image drawn with the clue numbers' pictures kept comes out as written number by
// number, at every cell size of the zoom, with the tint and the strikes.
#include <gtest/gtest.h>

#include "render/board_drawing.h"

namespace {

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
