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
            const bool filled = mark == Mark::Filled;
            if (puzzle.HasAnswer() && (puzzle.AnswerAt(column, row) != 0) != filled)
                wrong.Offer({PlayHint::Kind::WrongMark, {column, row}});
            cells[static_cast<std::size_t>(row) * puzzle.width + column] = filled ? 1 : 0;
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
        settled.Offer({logic.cells[static_cast<std::size_t>(i)] == 1 ? PlayHint::Kind::Fill
                                                                     : PlayHint::Kind::Cross,
                       cell});
    }
    return settled.best;
}
