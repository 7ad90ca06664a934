#include "model/puzzle.h"

#include <string>
#include <utility>

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

void ColourRunsOf(const std::uint8_t* cells, int n, int stride, LineClue& runs,
                  LineColours& colours) {
    runs.clear();
    colours.clear();
    std::uint8_t previous = 0;
    for (int i = 0; i < n; ++i) {
        const std::uint8_t c = cells[static_cast<std::ptrdiff_t>(i) * stride];
        if (c != 0 && c == previous) {
            ++runs.back();
        } else if (c != 0) {
            runs.push_back(1);
            colours.push_back(c);
        }
        previous = c;
    }
}

Puzzle Puzzle::FromColourGrid(int width, int height, const std::vector<std::uint8_t>& cells,
                              std::vector<std::uint32_t> palette) {
    Puzzle p;
    p.width = width;
    p.height = height;
    p.palette = std::move(palette);
    p.answer = cells;
    p.rows.resize(height);
    p.rowColours.resize(height);
    for (int y = 0; y < height; ++y)
        ColourRunsOf(p.answer.data() + static_cast<std::size_t>(y) * width, width, 1, p.rows[y],
                     p.rowColours[y]);
    p.columns.resize(width);
    p.columnColours.resize(width);
    for (int x = 0; x < width; ++x)
        ColourRunsOf(p.answer.data() + x, height, width, p.columns[x], p.columnColours[x]);
    return p;
}

namespace {

bool ColourGridMatches(const Puzzle& puzzle, const std::vector<std::uint8_t>& cells) {
    LineClue runs;
    LineColours colours;
    for (int y = 0; y < puzzle.height; ++y) {
        ColourRunsOf(cells.data() + static_cast<std::size_t>(y) * puzzle.width, puzzle.width, 1,
                     runs, colours);
        if (runs != puzzle.rows[y] || colours != puzzle.rowColours[y])
            return false;
    }
    for (int x = 0; x < puzzle.width; ++x) {
        ColourRunsOf(cells.data() + x, puzzle.height, puzzle.width, runs, colours);
        if (runs != puzzle.columns[x] || colours != puzzle.columnColours[x])
            return false;
    }
    return true;
}

}  // namespace

bool GridMatchesClues(const Puzzle& puzzle, const std::vector<std::uint8_t>& cells) {
    if (cells.size() != static_cast<std::size_t>(puzzle.CellCount()))
        return false;
    if (puzzle.IsColour())
        return ColourGridMatches(puzzle, cells);
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

long CellsNeeded(const LineClue& clue, const LineColours& colours) {
    long need = 0;
    for (std::size_t i = 0; i < clue.size(); ++i)
        need += clue[i] + (i > 0 && i < colours.size() && colours[i] == colours[i - 1] ? 1 : 0);
    return need;
}

namespace {

// Why a colour puzzle's colours cannot go with its clues: a palette of 1 or more than
// kMaxColours colours, colour lists that are not one colour for each run, a colour that is not
// in the palette.
std::string ColourProblem(const Puzzle& puzzle) {
    if (puzzle.palette.size() < 2 || puzzle.palette.size() > kMaxColours + 1)
        return "a colour puzzle has 1 to " + std::to_string(kMaxColours) + " colours";
    if (puzzle.rowColours.size() != puzzle.rows.size() ||
        puzzle.columnColours.size() != puzzle.columns.size())
        return "every row and column needs the colours of its runs";
    const auto lineProblem = [&](const LineClue& clue, const LineColours& colours) {
        if (colours.size() != clue.size())
            return false;
        for (std::uint8_t c : colours)
            if (c < 1 || c > puzzle.ColourCount())
                return false;
        return true;
    };
    for (std::size_t y = 0; y < puzzle.rows.size(); ++y)
        if (!lineProblem(puzzle.rows[y], puzzle.rowColours[y]))
            return "row " + std::to_string(y + 1) + ": a run without a colour of the palette";
    for (std::size_t x = 0; x < puzzle.columns.size(); ++x)
        if (!lineProblem(puzzle.columns[x], puzzle.columnColours[x]))
            return "column " + std::to_string(x + 1) + ": a run without a colour of the palette";
    return {};
}

std::string LineFitProblem(const LineClue& clue, const LineColours* colours, int length,
                           const char* kind, int index) {
    for (int run : clue) {
        if (run < 1)
            return std::string(kind) + " " + std::to_string(index + 1) + ": runs must be 1 or more";
    }
    const long need = colours ? CellsNeeded(clue, *colours) : CellsNeeded(clue);
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
    if (puzzle.IsColour())
        if (auto why = ColourProblem(puzzle); !why.empty())
            return why;
    const bool colour = puzzle.IsColour();
    for (int y = 0; y < puzzle.height; ++y)
        if (auto why = LineFitProblem(puzzle.rows[y], colour ? &puzzle.rowColours[y] : nullptr,
                                      puzzle.width, "row", y);
            !why.empty())
            return why;
    for (int x = 0; x < puzzle.width; ++x)
        if (auto why =
                LineFitProblem(puzzle.columns[x], colour ? &puzzle.columnColours[x] : nullptr,
                               puzzle.height, "column", x);
            !why.empty())
            return why;
    return {};
}
