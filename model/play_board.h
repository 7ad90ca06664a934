// The player's board: every cell of a puzzle blank, filled or crossed, the mouse rules that
// change them, and the cells that disagree with the answer.  A stroke is what one press of a
// button and the drag that follows it do; each of its steps changes at most one cell and
// reports the change, so that a stroke can be taken back as a whole.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/puzzle.h"

// What the player has put in a cell.  Only a fill counts as black: a cross is a blank the
// player has ruled out.
enum class Mark : std::uint8_t { Blank = 0, Filled = 1, Crossed = 2 };

// What one step of a stroke does to the cell under the pointer.
enum class StrokeKind : std::uint8_t {
    Fill,   // left button: the cell becomes filled (a fill stays, a cross is covered)
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

// One cell a stroke step changed.
struct MarkChange {
    CellPos cell;
    Mark before = Mark::Blank;
    Mark after = Mark::Blank;
    friend bool operator==(const MarkChange&, const MarkChange&) = default;
};

class PlayBoard {
public:
    PlayBoard() = default;
    // A blank board of width x height cells.
    PlayBoard(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(CellPos cell) const {
        return cell.column >= 0 && cell.column < m_width && cell.row >= 0 && cell.row < m_height;
    }
    Mark At(CellPos cell) const { return m_marks[Index(cell)]; }
    // Every cell blank again.
    void Clear();

    // One step of a stroke on a cell of the board: returns the change it made, or nothing
    // when the cell already held what the step puts there.
    std::optional<MarkChange> Apply(StrokeKind kind, CellPos cell);

    // The cells whose mark disagrees with the puzzle's answer, row by row from the top and
    // left to right within a row: a black cell not filled (blank or crossed), or a white cell
    // filled.  Without an answer of the board's size there is nothing to compare: no cells.
    std::vector<CellPos> Mistakes(const Puzzle& puzzle) const;

private:
    std::size_t Index(CellPos cell) const {
        return static_cast<std::size_t>(cell.row) * m_width + cell.column;
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<Mark> m_marks;  // row by row
};
