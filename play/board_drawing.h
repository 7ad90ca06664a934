// Drawing the play board into its off-screen image where the board layout puts each part: a
// cell as its mark shows it, the frame of a wrong cell, the clue numbers and the grid lines.
// Widget-free.
#pragma once

#include "model/board_layout.h"
#include "model/play_board.h"
#include "model/puzzle.h"
#include "platform/gdi.h"

// Side of a cell of the play board in pixels.
constexpr int kPlayCellSize = 20;

// The inside of a cell as its mark shows: the face colour when blank, dark grey when filled,
// both diagonals in red on the face colour when crossed.
void DrawCellMark(CDC& dc, const BoardLayout& layout, CellPos cell, Mark mark);

// The frame of a wrong cell: a two-pixel green band just inside its grid lines, so that
// whatever the cell holds stays visible in its middle.
void DrawMistakeFrame(CDC& dc, const BoardLayout& layout, CellPos cell);

// The clue numbers in their slots, green on the face colour.  A number's box never reaches
// past its clue area into the grid, where it would wipe the player's marks.
void DrawClues(CDC& dc, const BoardLayout& layout, const Puzzle& puzzle);

// The grid lines, every fifth one inside the grid in the accent colour.
void DrawGridLines(CDC& dc, const BoardLayout& layout);
