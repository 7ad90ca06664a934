#include "model/puzzle.h"

LineClue RunsOf(const std::uint8_t* cells, int n, int stride) {
    LineClue runs;
    int run = 0;
    for (int i = 0; i < n; ++i) {
        if (cells[static_cast<std::ptrdiff_t>(i) * stride]) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run > 0)
        runs.push_back(run);
    return runs;
}

Puzzle Puzzle::FromGrid(int width, int height, const std::vector<std::uint8_t>& cells) {
    Puzzle p;
    p.width = width;
    p.height = height;
    p.answer.resize(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < p.answer.size(); ++i)
        p.answer[i] = cells[i] ? 1 : 0;
    p.rows.reserve(height);
    for (int y = 0; y < height; ++y)
        p.rows.push_back(RunsOf(p.answer.data() + static_cast<std::size_t>(y) * width, width));
    p.columns.reserve(width);
    for (int x = 0; x < width; ++x)
        p.columns.push_back(RunsOf(p.answer.data() + x, height, width));
    return p;
}

bool GridMatchesClues(const Puzzle& puzzle, const std::vector<std::uint8_t>& cells) {
    if (cells.size() != static_cast<std::size_t>(puzzle.CellCount()))
        return false;
    for (int y = 0; y < puzzle.height; ++y)
        if (RunsOf(cells.data() + static_cast<std::size_t>(y) * puzzle.width, puzzle.width) !=
            puzzle.rows[y])
            return false;
    for (int x = 0; x < puzzle.width; ++x)
        if (RunsOf(cells.data() + x, puzzle.height, puzzle.width) != puzzle.columns[x])
            return false;
    return true;
}

long CellsNeeded(const LineClue& clue) {
    long need = -1;
    for (int run : clue)
        need += run + 1;
    return need;
}

namespace {
std::string LineFitProblem(const LineClue& clue, int length, const char* kind, int index) {
    for (int run : clue) {
        if (run < 1)
            return std::string(kind) + " " + std::to_string(index + 1) + ": runs must be 1 or more";
    }
    const long need = CellsNeeded(clue);
    if (need > length)
        return std::string(kind) + " " + std::to_string(index + 1) + ": the clue needs " +
               std::to_string(need) + " cells, the line has " + std::to_string(length);
    return {};
}
}  // namespace

std::string ClueFitProblem(const Puzzle& puzzle) {
    if (puzzle.width < 1 || puzzle.width > kMaxPuzzleSide || puzzle.height < 1 ||
        puzzle.height > kMaxPuzzleSide)
        return "the size must be 1 to " + std::to_string(kMaxPuzzleSide) + " cells a side";
    if (static_cast<int>(puzzle.rows.size()) != puzzle.height)
        return "there are " + std::to_string(puzzle.rows.size()) + " row clues for a height of " +
               std::to_string(puzzle.height);
    if (static_cast<int>(puzzle.columns.size()) != puzzle.width)
        return "there are " + std::to_string(puzzle.columns.size()) +
               " column clues for a width of " + std::to_string(puzzle.width);
    for (int y = 0; y < puzzle.height; ++y)
        if (auto why = LineFitProblem(puzzle.rows[y], puzzle.width, "row", y); !why.empty())
            return why;
    for (int x = 0; x < puzzle.width; ++x)
        if (auto why = LineFitProblem(puzzle.columns[x], puzzle.height, "column", x); !why.empty())
            return why;
    return {};
}
