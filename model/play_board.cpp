#include "model/play_board.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

std::vector<CellPos> CellsOnLine(CellPos from, CellPos to) {
    // Bresenham's walk: one cell per step along the longer side.
    const int dx = std::abs(to.column - from.column), dy = -std::abs(to.row - from.row);
    const int sx = from.column < to.column ? 1 : -1, sy = from.row < to.row ? 1 : -1;
    std::vector<CellPos> cells;
    cells.reserve(static_cast<std::size_t>(std::max(dx, -dy)) + 1);
    CellPos cell = from;
    for (int error = dx + dy;;) {
        cells.push_back(cell);
        if (cell == to)
            return cells;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            cell.column += sx;
        }
        if (twice <= dx) {
            error += dx;
            cell.row += sy;
        }
    }
}

std::optional<DragAxis> DragAxisOf(CellPos start, CellPos pointer) {
    const int dx = std::abs(pointer.column - start.column), dy = std::abs(pointer.row - start.row);
    if (dx == 0 && dy == 0)
        return std::nullopt;
    return dx >= dy ? DragAxis::Row : DragAxis::Column;
}

CellPos OnDragLine(CellPos start, DragAxis axis, CellPos pointer) {
    return axis == DragAxis::Row ? CellPos{pointer.column, start.row}
                                 : CellPos{start.column, pointer.row};
}

PlayBoard::PlayBoard(int width, int height, int colours)
    : m_width(width > 0 && height > 0 ? width : 0),
      m_height(width > 0 && height > 0 ? height : 0),
      m_colours(std::clamp(colours, 1, kMaxColours)),
      m_marks(static_cast<std::size_t>(m_width) * m_height, Mark::Blank) {}

void PlayBoard::Clear() {
    m_marks.assign(m_marks.size(), Mark::Blank);
    m_done.clear();
    m_undone.clear();
    m_strokeOpen = m_strokeStarted = false;
    m_checked = false;
}

bool PlayBoard::Resume(const std::vector<Mark>& marks, bool checked) {
    const auto valid = [this](Mark m) { return m <= Mark::Crossed || FillColour(m) <= m_colours; };
    if (marks.size() != m_marks.size() || !std::all_of(marks.begin(), marks.end(), valid))
        return false;
    Clear();
    m_marks = marks;
    m_checked = checked;
    return true;
}

bool PlayBoard::IsBlank() const {
    return std::all_of(m_marks.begin(), m_marks.end(), [](Mark m) { return m == Mark::Blank; });
}

std::vector<MarkChange> PlayBoard::Restart() {
    m_checked = false;
    BeginStroke();
    std::vector<MarkChange> changes;
    for (int row = 0; row < m_height; ++row) {
        for (int column = 0; column < m_width; ++column) {
            if (const std::optional<MarkChange> change = Apply(StrokeKind::Clear, {column, row}))
                changes.push_back(*change);
        }
    }
    EndStroke();
    return changes;
}

std::optional<MarkChange> PlayBoard::Apply(StrokeKind kind, CellPos cell, int colour) {
    if (m_checked)
        return std::nullopt;
    Mark& mark = m_marks[Index(cell)];
    const Mark after = kind == StrokeKind::Fill    ? FillMark(std::clamp(colour, 1, m_colours))
                       : kind == StrokeKind::Clear ? Mark::Blank
                                                   : Mark::Crossed;
    if (mark == after)
        return std::nullopt;
    const MarkChange change{cell, mark, after};
    mark = after;
    if (!m_strokeOpen)
        BeginStroke();
    if (!m_strokeStarted) {
        m_done.emplace_back();
        m_strokeStarted = true;
    }
    m_done.back().push_back(change);
    m_undone.clear();
    return change;
}

void PlayBoard::BeginStroke() {
    m_strokeOpen = true;
    m_strokeStarted = false;
}

void PlayBoard::EndStroke() {
    m_strokeOpen = m_strokeStarted = false;
}

std::vector<MarkChange> PlayBoard::Undo() {
    EndStroke();
    std::vector<MarkChange> changes;
    if (!CanUndo())
        return changes;
    Stroke stroke = std::move(m_done.back());
    m_done.pop_back();
    // Backwards, so that a cell the stroke changed twice gets its first mark back.
    for (auto it = stroke.rbegin(); it != stroke.rend(); ++it) {
        Put(it->cell, it->before);
        changes.push_back({it->cell, it->after, it->before});
    }
    m_undone.push_back(std::move(stroke));
    return changes;
}

std::vector<MarkChange> PlayBoard::Redo() {
    EndStroke();
    std::vector<MarkChange> changes;
    if (!CanRedo())
        return changes;
    Stroke stroke = std::move(m_undone.back());
    m_undone.pop_back();
    for (const MarkChange& change : stroke)
        Put(change.cell, change.after);
    changes = stroke;
    m_done.push_back(std::move(stroke));
    return changes;
}

void PlayBoard::SetChecked() {
    EndStroke();
    m_checked = true;
}

bool PlayBoard::FormsClue(const Puzzle& puzzle, BoardLine line) const {
    const int length = line.column ? m_height : m_width;
    const std::vector<LineClue>& clues = line.column ? puzzle.columns : puzzle.rows;
    if (line.index < 0 || line.index >= static_cast<int>(clues.size()) ||
        line.index >= (line.column ? m_width : m_height))
        return false;
    const std::vector<LineColours>& colourLines =
        line.column ? puzzle.columnColours : puzzle.rowColours;
    const LineColours* colours = puzzle.IsColour() && line.index < int(colourLines.size())
                                     ? &colourLines[static_cast<std::size_t>(line.index)]
                                     : nullptr;
    // The runs of the line compared with the clue as they are found, without building them.
    // A run ends where the fill's colour changes; without colours every fill is one colour.
    const LineClue& clue = clues[static_cast<std::size_t>(line.index)];
    std::size_t next = 0;
    int run = 0, runColour = 0;
    for (int i = 0; i <= length; ++i) {
        const CellPos cell = line.column ? CellPos{line.index, i} : CellPos{i, line.index};
        const int colour = i < length ? (colours ? FillColour(At(cell)) : IsFill(At(cell))) : 0;
        if (run > 0 && colour != runColour) {
            if (next == clue.size() || clue[next] != run ||
                (colours && (next >= colours->size() || (*colours)[next] != runColour)))
                return false;
            ++next;
            run = 0;
        }
        if (colour != 0) {
            ++run;
            runColour = colour;
        }
    }
    return next == clue.size();
}

std::vector<std::uint8_t> PlayBoard::Fills() const {
    std::vector<std::uint8_t> cells(m_marks.size());
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = static_cast<std::uint8_t>(FillColour(m_marks[i]));
    return cells;
}

AnswerCheck PlayBoard::Check(const Puzzle& puzzle) const {
    AnswerCheck check;
    const std::vector<std::uint8_t> fills = Fills();
    if (puzzle.width == m_width && puzzle.height == m_height && GridMatchesClues(puzzle, fills)) {
        check.solved = true;
        check.otherSolution = puzzle.HasAnswer() && fills != puzzle.answer;
        return check;
    }
    check.mistakes = Mistakes(puzzle);
    return check;
}

std::vector<CellPos> PlayBoard::Mistakes(const Puzzle& puzzle) const {
    std::vector<CellPos> cells;
    if (puzzle.width != m_width || puzzle.height != m_height)
        return cells;
    if (!puzzle.HasAnswer())
        return ClueMistakes(puzzle);
    for (int row = 0; row < m_height; ++row) {
        for (int column = 0; column < m_width; ++column) {
            const CellPos cell{column, row};
            const int answer = puzzle.AnswerAt(column, row);
            if ((puzzle.IsColour() ? answer : answer != 0) != FillColour(At(cell)))
                cells.push_back(cell);
        }
    }
    return cells;
}

std::vector<CellPos> PlayBoard::ClueMistakes(const Puzzle& puzzle) const {
    std::vector<std::uint8_t> rowWrong(m_height), columnWrong(m_width);
    bool anyRow = false, anyColumn = false;
    for (int row = 0; row < m_height; ++row) {
        rowWrong[row] = !FormsClue(puzzle, {false, row});
        anyRow = anyRow || rowWrong[row];
    }
    for (int column = 0; column < m_width; ++column) {
        columnWrong[column] = !FormsClue(puzzle, {true, column});
        anyColumn = anyColumn || columnWrong[column];
    }
    std::vector<CellPos> cells;
    for (int row = 0; row < m_height; ++row) {
        for (int column = 0; column < m_width; ++column) {
            // Where a wrong row crosses a wrong column; when only one direction is wrong, its
            // whole lines.
            const bool inRow = rowWrong[row] || !anyRow;
            const bool inColumn = columnWrong[column] || !anyColumn;
            if (inRow && inColumn && (anyRow || anyColumn))
                cells.push_back({column, row});
        }
    }
    return cells;
}
