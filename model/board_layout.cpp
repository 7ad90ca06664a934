#include "model/board_layout.h"

#include <algorithm>

BoardLayout BoardLayout::ForPuzzle(const Puzzle& puzzle, int cellSize) {
    // Sides up to those of the analysis give the clue areas as they always have; a longer
    // side gives them the room of the longest side of the analysis.
    const int columns = std::min(puzzle.width, kLargestAnalysisSide);
    const int rows = std::min(puzzle.height, kLargestAnalysisSide);
    BoardLayout layout(puzzle.width, puzzle.height, cellSize);
    layout.m_left = columns * cellSize / 2;
    layout.m_top = rows * cellSize / 2 + cellSize;
    std::size_t rowSlots = 1, columnSlots = 1;
    for (const LineClue& clue : puzzle.rows)
        rowSlots = std::max(rowSlots, clue.size());
    for (const LineClue& clue : puzzle.columns)
        columnSlots = std::max(columnSlots, clue.size());
    // A square board of the analysis's sizes leaves the farthest slot of a row clue half a
    // cell short, as those boards always have; other boards give it room.
    const bool square = puzzle.width == puzzle.height && puzzle.width <= kLargestAnalysisSide;
    const int shortBy = square ? (cellSize + 1) / 2 : 0;
    layout.m_left = std::max(layout.m_left, static_cast<int>(rowSlots) * cellSize - shortBy);
    layout.m_top = std::max(layout.m_top, static_cast<int>(columnSlots) * cellSize);
    return layout;
}

CRect BoardLayout::CellInside(CellPos cell) const {
    const CPoint corner = CellCorner(cell);
    return {corner.x + 1, corner.y + 1, corner.x + m_cell, corner.y + m_cell};
}

std::optional<CellPos> BoardLayout::CellAt(CPoint p) const {
    if (p.x <= GridLeft() || p.x >= GridRight() || p.y <= GridTop() || p.y >= GridBottom())
        return std::nullopt;
    return CellPos{(p.x - GridLeft()) / m_cell, (p.y - GridTop()) / m_cell};
}

CellPos BoardLayout::CellNear(CPoint p) const {
    // Rounded down, not towards zero, so that the cells before the grid are negative.
    const auto floorDiv = [](int a, int b) { return a / b - (a % b < 0 ? 1 : 0); };
    return CellPos{floorDiv(p.x - GridLeft(), m_cell), floorDiv(p.y - GridTop(), m_cell)};
}

std::optional<ClueSlotRef> BoardLayout::ClueSlotAt(CPoint p, const Puzzle& puzzle) const {
    const bool column = p.y < GridTop() && p.x > GridLeft() && p.x < GridRight();
    const bool row = p.x < GridLeft() && p.y > GridTop() && p.y < GridBottom();
    if (p.x < 0 || p.y < 0 || column == row)
        return std::nullopt;
    const ClueSlotRef ref =
        column ? ClueSlotRef{true, (p.x - GridLeft()) / m_cell, (GridTop() - 1 - p.y) / m_cell}
               : ClueSlotRef{false, (p.y - GridTop()) / m_cell, (GridLeft() - 1 - p.x) / m_cell};
    const auto& clues = column ? puzzle.columns : puzzle.rows;
    if (ref.line >= static_cast<int>(clues.size()) ||
        ref.slot >= static_cast<int>(ClueSlots(clues[ref.line]).size()))
        return std::nullopt;
    return ref;
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
