#include "render/board_sizing.h"

#include <algorithm>

#include "render/board_drawing.h"

BoardSizing SizeBoard(const Puzzle& puzzle, QSize around, QSize screen) {
    BoardSizing sizing;
    const BoardLayout largest(20, 20, kPlayCellSize);
    sizing.layout = BoardLayout::ForPuzzle(puzzle, kPlayCellSize);
    if (sizing.layout.Width() <= largest.Width() && sizing.layout.Height() <= largest.Height())
        return sizing;
    sizing.fitted = true;
    auto fits = [&](const BoardLayout& layout) {
        return layout.Width() + around.width() <= screen.width() &&
               layout.Height() + around.height() <= screen.height();
    };
    for (int cell = kPlayCellSize; cell >= kSmallestPlayCell; --cell) {
        sizing.layout = BoardLayout::ForPuzzle(puzzle, cell);
        if (fits(sizing.layout))
            return sizing;
    }
    // The smallest cells, in a view as large as the screen allows (and never larger than the
    // board, nor smaller than a few cells).
    sizing.scrolls = true;
    const int least = 10 * kSmallestPlayCell;
    sizing.view =
        QSize(std::min(std::max(screen.width() - around.width(), least), sizing.layout.Width()),
              std::min(std::max(screen.height() - around.height(), least), sizing.layout.Height()));
    return sizing;
}
