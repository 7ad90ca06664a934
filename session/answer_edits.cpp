#include "session/answer_edits.h"

#include <utility>

std::vector<std::uint8_t> ApplyGridTool(GridTool tool, int width, int height,
                                        const std::vector<std::uint8_t>& cells, bool colour) {
    std::vector<std::uint8_t> out(cells.size(), 0);
    // The cell of the old grid that lands on (x, y), or none for the cells a shift brings in.
    auto source = [&](int x, int y) -> std::optional<int> {
        switch (tool) {
            case GridTool::kMirror:
                x = width - 1 - x;
                break;
            case GridTool::kFlip:
                y = height - 1 - y;
                break;
            case GridTool::kShiftLeft:
                ++x;
                break;
            case GridTool::kShiftRight:
                --x;
                break;
            case GridTool::kShiftUp:
                ++y;
                break;
            case GridTool::kShiftDown:
                --y;
                break;
            case GridTool::kClear:
                return std::nullopt;
            case GridTool::kInvert:
                break;
        }
        if (x < 0 || x >= width || y < 0 || y >= height)
            return std::nullopt;
        return y * width + x;
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::optional<int> from = source(x, y);
            std::uint8_t cell = from ? cells[static_cast<std::size_t>(*from)] : 0;
            if (!colour)
                cell = cell != 0 ? 1 : 0;
            if (tool == GridTool::kInvert && cell <= 1)
                cell = cell == 0 ? 1 : 0;
            out[static_cast<std::size_t>(y) * width + x] = cell;
        }
    }
    return out;
}

void AnswerHistory::Record(AnswerState before) {
    m_redo.clear();
    m_undo.push_back(std::move(before));
    while (m_undo.size() > m_limit)
        m_undo.pop_front();
}

std::optional<AnswerState> AnswerHistory::Undo(AnswerState current) {
    if (m_undo.empty())
        return std::nullopt;
    AnswerState back = std::move(m_undo.back());
    m_undo.pop_back();
    m_redo.push_back(std::move(current));
    return back;
}

std::optional<AnswerState> AnswerHistory::Redo(AnswerState current) {
    if (m_redo.empty())
        return std::nullopt;
    AnswerState forward = std::move(m_redo.back());
    m_redo.pop_back();
    m_undo.push_back(std::move(current));
    return forward;
}

void AnswerHistory::Clear() {
    m_undo.clear();
    m_redo.clear();
}
