// Hand edits of a puzzle's answer, without windows: the tools that change a whole grid at once
// and the bounded history that undoes and redoes every edit.  The history keeps each answer
// with the analysis settings it belonged to, so that an answer thrown away by a new analysis
// comes back, with its analysis, when the analysis is undone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "analysis/analysis.h"

// What a tool does to the whole grid.  The shifts move every cell one place; the cells that
// come in at the far edge are empty.
enum class GridTool {
    kInvert,  // filled and empty swap; in colour the background and colour 1 swap
    kMirror,  // left and right swap
    kFlip,    // top and bottom swap
    kShiftLeft,
    kShiftRight,
    kShiftUp,
    kShiftDown,
    kClear,  // every cell empty
};

// The grid (width x height, row by row, non-zero filled) after the tool, in 0 and 1; with
// `colour` the cells keep their colour indices.
std::vector<std::uint8_t> ApplyGridTool(GridTool tool, int width, int height,
                                        const std::vector<std::uint8_t>& cells,
                                        bool colour = false);

// An answer as it stood, with the settings of the analysis it was made from.
struct AnswerState {
    AnalysisSettings settings;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> cells;
};

// Undo and redo of answers, the oldest steps forgotten beyond the limit.
class AnswerHistory {
public:
    static constexpr std::size_t kDefaultLimit = 200;
    explicit AnswerHistory(std::size_t limit = kDefaultLimit) : m_limit(limit) {}

    // The answer before an edit: one step to undo, and nothing left to redo.
    void Record(AnswerState before);
    // The answer to go back (forward) to, keeping `current` for the way back; none when there
    // is no step.
    std::optional<AnswerState> Undo(AnswerState current);
    std::optional<AnswerState> Redo(AnswerState current);
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    std::size_t UndoCount() const { return m_undo.size(); }
    void Clear();

private:
    std::size_t m_limit;
    std::deque<AnswerState> m_undo;
    std::vector<AnswerState> m_redo;
};
