#include "session/play_board_hint.h"

#include <cstdlib>
#include <vector>

#include "solver/solver.h"

namespace {

int Distance(CellPos a, CellPos b) {
    return std::abs(a.column - b.column) + std::abs(a.row - b.row);
}

// Keeps the candidate nearest to `near`; candidates come row by row, so a tie keeps the first.
struct Nearest {
    CellPos near;
    std::optional<PlayHint> best;
    void Offer(PlayHint hint) {
        if (!best || Distance(hint.cell, near) < Distance(best->cell, near))
            best = hint;
    }
};

}  // namespace

std::optional<PlayHint> FindHint(const PlayBoard& board, const Puzzle& puzzle, CellPos near) {
    if (board.Width() != puzzle.width || board.Height() != puzzle.height || puzzle.CellCount() == 0)
        return std::nullopt;

    Nearest wrong{near, std::nullopt};
    std::vector<std::int8_t> cells(static_cast<std::size_t>(puzzle.CellCount()), -1);
    for (int row = 0; row < puzzle.height; ++row) {
        for (int column = 0; column < puzzle.width; ++column) {
            const Mark mark = board.At({column, row});
            if (mark == Mark::Blank)
                continue;
            // The colour the mark gives the cell: 0 for a cross, 1 for any fill in black and
            // white.
            const int colour = puzzle.IsColour() ? FillColour(mark) : IsFill(mark);
            const int answer = puzzle.HasAnswer() ? puzzle.AnswerAt(column, row) : 0;
            if (puzzle.HasAnswer() && (puzzle.IsColour() ? answer : answer != 0) != colour)
                wrong.Offer({PlayHint::Kind::WrongMark, {column, row}});
            cells[static_cast<std::size_t>(row) * puzzle.width + column] =
                static_cast<std::int8_t>(colour);
        }
    }
    if (wrong.best)
        return wrong.best;

    const LineLogicResult logic = ApplyLineLogic(puzzle, std::move(cells));
    if (logic.contradiction)
        return std::nullopt;
    Nearest settled{near, std::nullopt};
    for (const int i : logic.settled) {
        const CellPos cell{i % puzzle.width, i / puzzle.width};
        const int colour = logic.cells[static_cast<std::size_t>(i)];
        if (colour > 0)
            settled.Offer({PlayHint::Kind::Fill, cell, colour});
        else
            settled.Offer({PlayHint::Kind::Cross, cell});
    }
    return settled.best;
}
