#include "model/play_board.h"

PlayBoard::PlayBoard(int width, int height)
    : m_width(width > 0 && height > 0 ? width : 0),
      m_height(width > 0 && height > 0 ? height : 0),
      m_marks(static_cast<std::size_t>(m_width) * m_height, Mark::Blank) {}

void PlayBoard::Clear() {
    m_marks.assign(m_marks.size(), Mark::Blank);
}

std::optional<MarkChange> PlayBoard::Apply(StrokeKind kind, CellPos cell) {
    Mark& mark = m_marks[Index(cell)];
    const Mark after = kind == StrokeKind::Fill    ? Mark::Filled
                       : kind == StrokeKind::Clear ? Mark::Blank
                                                   : Mark::Crossed;
    if (mark == after)
        return std::nullopt;
    const MarkChange change{cell, mark, after};
    mark = after;
    return change;
}

std::vector<CellPos> PlayBoard::Mistakes(const Puzzle& puzzle) const {
    std::vector<CellPos> cells;
    if (puzzle.width != m_width || puzzle.height != m_height || !puzzle.HasAnswer())
        return cells;
    for (int row = 0; row < m_height; ++row) {
        for (int column = 0; column < m_width; ++column) {
            const CellPos cell{column, row};
            if ((puzzle.AnswerAt(column, row) != 0) != (At(cell) == Mark::Filled))
                cells.push_back(cell);
        }
    }
    return cells;
}
