// How large the play board is drawn for a puzzle of any size up to 99 x 99: 20-pixel cells
// while the dialog fits on the screen with them, smaller cells (down to 8 pixels) beyond that,
// and a scrolled view of the board when even those do not fit.  A board no larger than that of
// a 20 x 20 puzzle always keeps its 20-pixel cells, as the boards of the analysis always have.
// Widget-free.
#pragma once

#include <QSize>

#include "model/board_layout.h"
#include "model/puzzle.h"

// The smallest cell the board shrinks to before it scrolls.
constexpr int kSmallestPlayCell = 8;

struct BoardSizing {
    BoardLayout layout;
    // Sized to the screen: the board is larger than those of the analysis.
    bool fitted = false;
    // Whether the board is shown in a scrolled view, and the size of that view.
    bool scrolls = false;
    QSize view;
};

// around: what the dialog needs besides the board's image (the frame's rim, the button
// column, the margins and the window's own frame); screen: the room the screen gives a window.
BoardSizing SizeBoard(const Puzzle& puzzle, QSize around, QSize screen);
