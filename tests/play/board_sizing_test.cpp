// Play boards of any size up to 99 x 99: the cell size and the scrolled view for the screen.
#include "play/board_sizing.h"

#include <gtest/gtest.h>

#include "play/board_drawing.h"

namespace {

// A w x h puzzle whose cell (x, y) is black where pattern(x, y) is true.
template <class Pattern>
Puzzle PuzzleOf(int w, int h, Pattern pattern) {
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(w) * h);
    for (std::size_t k = 0; k < cells.size(); ++k)
        cells[k] = pattern(static_cast<int>(k % w), static_cast<int>(k / w));
    return Puzzle::FromGrid(w, h, cells);
}
// Clues as long as clues get: rows and columns alternate filled and blank cells.
Puzzle Checkered(int w, int h) {
    return PuzzleOf(w, h, [](int x, int y) { return (x + y) % 2 == 0; });
}

const QSize kAround(196, 158);  // what the dialog keeps around the board on a desktop

TEST(BoardSizing, CellsShrinkForTheScreenThenTheBoardScrolls) {
    const Puzzle squares = PuzzleOf(99, 99, [](int x, int y) { return (x / 20 + y / 20) % 2; });
    const struct {
        Puzzle puzzle;
        QSize screen;
        int cell;
        bool scrolls;
    } cases[] = {
        {Checkered(5, 5), {300, 200}, 20, false},  // as large as the analysis makes: 20 pixels
        {Checkered(20, 20), {640, 480}, 20, false},
        {Checkered(25, 25), {1920, 1080}, 20, false},
        {Checkered(25, 25), {1280, 800}, 16, false},
        {Checkered(60, 40), {1920, 1080}, 15, false},
        {squares, {1920, 1200}, 9, false},  // clues of at most five runs: small clue areas
        {squares, {1280, 1024}, 8, true},
        {Checkered(99, 99), {1920, 1200}, 8, true},
        {Checkered(99, 1), {1280, 1024}, 8, true},
    };
    for (const auto& c : cases) {
        const Puzzle& p = c.puzzle;
        SCOPED_TRACE(std::to_string(p.width) + "x" + std::to_string(p.height));
        const BoardSizing s = SizeBoard(p, kAround, c.screen);
        EXPECT_EQ(s.layout.CellSize(), c.cell);
        EXPECT_EQ(s.scrolls, c.scrolls);
        EXPECT_EQ(std::pair(s.layout.Columns(), s.layout.Rows()), std::pair(p.width, p.height));
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

}  // namespace
