// Hints for the player of a play board: a mark that contradicts the answer, or else one blank
// cell that line logic decides from the player's marks and the clues, with the mark it gets.
#pragma once

#include <optional>

#include "model/play_board.h"
#include "model/puzzle.h"

struct PlayHint {
    enum class Kind {
        Fill,       // a blank cell that must be filled
        Cross,      // a blank cell that must stay empty
        WrongMark,  // a fill on a white cell of the answer, or a cross on a black one; on a
                    // colour puzzle also a fill of another colour than the answer's
    };
    Kind kind = Kind::Fill;
    CellPos cell;
    int colour = 1;  // of a Fill: the colour the cell must have (1 in black and white)
    friend bool operator==(const PlayHint&, const PlayHint&) = default;
};

// The hint for the board: a wrong mark when there is one, else a cell line logic settles.
// Of several candidates the one nearest to `near` (the cell the player looks at) wins, the
// first row by row on a tie.  None when every mark agrees with the answer and line logic
// decides no blank cell, or the board does not fit the puzzle.
std::optional<PlayHint> FindHint(const PlayBoard& board, const Puzzle& puzzle, CellPos near);
