// The player's board: every cell of a puzzle blank, filled or crossed, the mouse rules that
// change them, the history of strokes that undo and redo walk, the lines whose fills form
// their clue, and the answer check.  A stroke is what one press of a button and the drag that
// follows it do (or one key, or a keyboard drag); each of its steps changes at most one cell
// and reports the change, so that a stroke can be taken back as a whole.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/puzzle.h"

// What the player has put in a cell.  Only a fill counts as black: a cross is a blank the
// player has ruled out.  On a colour board Filled is a fill of colour 1 and the fills of
// colours 2..kMaxColours come after Crossed (FillMark), so that a black-and-white board's
// marks, and what is saved of them, keep their values.
enum class Mark : std::uint8_t { Blank = 0, Filled = 1, Crossed = 2 };

// The fill of colour 1..kMaxColours.
constexpr Mark FillMark(int colour) {
    return colour <= 1 ? Mark::Filled : static_cast<Mark>(colour + 1);
}
// The colour of a fill; 0 for a blank or a cross.
constexpr int FillColour(Mark mark) {
    return mark == Mark::Filled ? 1 : mark > Mark::Crossed ? static_cast<int>(mark) - 1 : 0;
}
constexpr bool IsFill(Mark mark) {
    return FillColour(mark) != 0;
}

// What one step of a stroke does to the cell under the pointer.
enum class StrokeKind : std::uint8_t {
    Fill,   // left button: the cell becomes filled with the chosen colour (a fill of that
            // colour stays, a cross or a fill of another colour is covered)
    Clear,  // Ctrl + left button: the cell becomes blank
    Cross,  // right button, with or without Ctrl: the cell becomes crossed (a fill is emptied)
};

enum class MouseButton : std::uint8_t { Left, Right };

// The step a press of `button` makes.
constexpr StrokeKind StrokeOf(MouseButton button, bool control) {
    if (button == MouseButton::Right)
        return StrokeKind::Cross;
    return control ? StrokeKind::Clear : StrokeKind::Fill;
}

// The button whose step a drag repeats: the left one while it is held (it wins over the
// right one), else the right one; none while neither is held.
constexpr std::optional<MouseButton> DragButton(bool leftHeld, bool rightHeld) {
    if (leftHeld)
        return MouseButton::Left;
    if (rightHeld)
        return MouseButton::Right;
    return std::nullopt;
}

// The cells on the straight line from one cell to another, both included, each a neighbour
// (sideways or diagonal) of the one before: what a drag passes over between two pointer
// positions that lie cells apart.
std::vector<CellPos> CellsOnLine(CellPos from, CellPos to);

// A mouse drag keeps to the row or the column it set out along, so that a wobbling hand never
// marks a neighbouring line.
enum class DragAxis : std::uint8_t { Row, Column };

// The axis of a drag from `start` whose pointer first left the start cell for `pointer`: the
// longer side of that step, the row on a tie; none while the pointer is still on the start.
std::optional<DragAxis> DragAxisOf(CellPos start, CellPos pointer);

// The pointer's cell held on the start's row or column: the other coordinate the start's.
CellPos OnDragLine(CellPos start, DragAxis axis, CellPos pointer);

// One cell a stroke step changed.
struct MarkChange {
    CellPos cell;
    Mark before = Mark::Blank;
    Mark after = Mark::Blank;
    friend bool operator==(const MarkChange&, const MarkChange&) = default;
};

// A row or a column of the board.
struct BoardLine {
    bool column = false;
    int index = 0;
    friend bool operator==(const BoardLine&, const BoardLine&) = default;
};

// What an answer check finds.  A board whose fills form every row and column clue is solved,
// even when it differs from the answer (the clues have another solution); any other board is
// compared with the answer cell by cell.
struct AnswerCheck {
    std::vector<CellPos> mistakes;  // as PlayBoard::Mistakes; none for a solved board
    bool solved = false;            // every line forms its clue
    bool otherSolution = false;     // solved, with fills that differ from the answer
};

class PlayBoard {
public:
    PlayBoard() = default;
    // A blank board of width x height cells whose fills have `colours` colours (1 for black
    // and white, up to kMaxColours).
    PlayBoard(int width, int height, int colours = 1);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Colours() const { return m_colours; }
    bool Contains(CellPos cell) const {
        return cell.column >= 0 && cell.column < m_width && cell.row >= 0 && cell.row < m_height;
    }
    Mark At(CellPos cell) const { return m_marks[Index(cell)]; }
    // Every cell's mark, row by row.
    const std::vector<Mark>& Marks() const { return m_marks; }
    // The marks of a game left earlier, with an empty history: false, and nothing changes,
    // for marks of another size or a value that is no mark (a fill beyond the board's colours).
    bool Resume(const std::vector<Mark>& marks, bool checked);
    // True while no cell is marked.
    bool IsBlank() const;
    // Every cell blank again, the history empty and the check undone: a new game.
    void Clear();
    // A new game that undo can take back: every marked cell blank again in one stroke of its
    // own, and the check undone.  Returns the cells it changed.
    std::vector<MarkChange> Restart();

    // One step of a stroke on a cell of the board: returns the change it made, or nothing
    // when the cell already held what the step puts there or the board has been checked.
    // A fill is of `colour` (1..Colours(); clamped to them).  A step outside a stroke starts
    // one, which lasts until EndStroke or the next BeginStroke.
    std::optional<MarkChange> Apply(StrokeKind kind, CellPos cell, int colour = 1);
    // A stroke starts with a press (or a key) and ends with the release; the steps between
    // are undone and redone together.  A stroke that changed nothing leaves no trace.
    void BeginStroke();
    void EndStroke();
    bool InStroke() const { return m_strokeOpen; }

    // Takes back the last stroke, or puts back the last one taken back; a new change forgets
    // what was taken back.  Each returns the cells it changed in the order it changed them,
    // nothing when there was no stroke to walk to or the board has been checked.  Either one
    // ends an open stroke first.
    std::vector<MarkChange> Undo();
    std::vector<MarkChange> Redo();
    bool CanUndo() const { return !m_checked && !m_done.empty(); }
    bool CanRedo() const { return !m_checked && !m_undone.empty(); }

    // After an answer check the board takes no change, by stroke, undo or redo, until Clear.
    void SetChecked();
    bool IsChecked() const { return m_checked; }

    // True while the filled cells of a line form exactly its clue: its runs in order (in
    // their colours on a colour puzzle), and for an empty clue no filled cell at all.  Crosses
    // count as blanks.
    bool FormsClue(const Puzzle& puzzle, BoardLine line) const;
    // The fills as a grid row by row, as the puzzle's answer is stored: 1 = filled, or the
    // fill's colour on a colour board, 0 = blank.
    std::vector<std::uint8_t> Fills() const;
    // The answer check: solved when every line forms its clue, else the mistakes against the
    // answer.
    AnswerCheck Check(const Puzzle& puzzle) const;

    // The cells whose mark disagrees with the puzzle's answer, row by row from the top and
    // left to right within a row: a black cell not filled (blank or crossed), or a white cell
    // filled; on a colour puzzle also a cell filled with another colour than the answer's.
    // A puzzle without an answer (read with its clues only) is checked against its
    // clues: the cells where a row that does not form its clue crosses a column that does not
    // either, or all cells of such lines when they run one way only.  None for a puzzle of
    // another size.
    std::vector<CellPos> Mistakes(const Puzzle& puzzle) const;

private:
    using Stroke = std::vector<MarkChange>;

    std::vector<CellPos> ClueMistakes(const Puzzle& puzzle) const;
    std::size_t Index(CellPos cell) const {
        return static_cast<std::size_t>(cell.row) * m_width + cell.column;
    }
    void Put(CellPos cell, Mark mark) { m_marks[Index(cell)] = mark; }

    int m_width = 0;
    int m_height = 0;
    int m_colours = 1;
    std::vector<Mark> m_marks;     // row by row
    std::vector<Stroke> m_done;    // strokes made, oldest first; an open stroke is the last
    std::vector<Stroke> m_undone;  // strokes taken back, the most recent last
    bool m_strokeOpen = false;     // Apply adds to the last of m_done
    bool m_strokeStarted = false;  // the open stroke has its entry in m_done
    bool m_checked = false;
};
