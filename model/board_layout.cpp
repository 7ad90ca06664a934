#include "model/board_layout.h"

CRect BoardLayout::CellInside(CellPos cell) const {
    const CPoint corner = CellCorner(cell);
    return {corner.x + 1, corner.y + 1, corner.x + m_cell, corner.y + m_cell};
}

std::optional<CellPos> BoardLayout::CellAt(CPoint p) const {
    if (p.x <= GridLeft() || p.x >= GridRight() || p.y <= GridTop() || p.y >= GridBottom())
        return std::nullopt;
    return CellPos{(p.x - GridLeft()) / m_cell, (p.y - GridTop()) / m_cell};
}

namespace {
int DigitShift(int cellSize, int number) {
    return number < 10 ? cellSize / 3 : 0;
}
}  // namespace

CPoint BoardLayout::ColumnCluePosition(int column, int slot, int number) const {
    return {GridLeft() + column * m_cell + DigitShift(m_cell, number),
            GridTop() - (slot + 1) * m_cell};
}

CPoint BoardLayout::RowCluePosition(int row, int slot, int number) const {
    return {GridLeft() - (slot + 1) * m_cell + DigitShift(m_cell, number),
            GridTop() + row * m_cell};
}

std::vector<BoardLayout::Line> BoardLayout::Lines() const {
    std::vector<Line> lines;
    lines.reserve(static_cast<std::size_t>(m_rows + m_columns + 2));
    for (int k = 0; k <= m_rows; ++k) {
        const int y = GridTop() + k * m_cell;
        lines.push_back({{0, y}, {GridRight(), y}, IsFifthLine(k, m_rows)});
    }
    for (int k = 0; k <= m_columns; ++k) {
        const int x = GridLeft() + k * m_cell;
        lines.push_back({{x, 0}, {x, GridBottom()}, IsFifthLine(k, m_columns)});
    }
    return lines;
}

std::vector<int> ClueSlots(const LineClue& clue) {
    if (clue.empty())
        return {0};
    return std::vector<int>(clue.rbegin(), clue.rend());
}
