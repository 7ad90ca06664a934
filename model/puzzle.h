// A black-and-white nonogram: its size, the clue of every row and column and, when known, the
// intended answer.  Widget-free; the solver, the puzzle files and the windows all share it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The runs of one line, first to last (top to bottom, left to right).  An empty line has no
// runs; files and panels show it as the single clue 0.
using LineClue = std::vector<int>;
// The colour (1..K) of each run of one line of a colour puzzle, parallel to its LineClue.
using LineColours = std::vector<std::uint8_t>;

// Largest side a puzzle may have.
constexpr int kMaxPuzzleSide = 99;
// Most colours a colour puzzle may have besides its background.
constexpr int kMaxColours = 8;

// One cell of a puzzle's grid: column from the left, row from the top.
struct CellPos {
    int column = 0;
    int row = 0;
    friend bool operator==(const CellPos&, const CellPos&) = default;
};

struct Puzzle {
    int width = 0;
    int height = 0;
    std::vector<LineClue> rows;     // height entries, top to bottom
    std::vector<LineClue> columns;  // width entries, left to right
    // width * height cells row by row, 1 = filled; empty when the answer is unknown.
    std::vector<std::uint8_t> answer;
    std::string title;  // UTF-8

    bool HasAnswer() const { return !answer.empty(); }
    int CellCount() const { return width * height; }
    std::uint8_t AnswerAt(int x, int y) const {
        return answer[static_cast<std::size_t>(y) * width + x];
    }

    // The puzzle whose clues are read off a width x height grid (row by row, non-zero =
    // filled); the grid becomes its answer.
    static Puzzle FromGrid(int width, int height, const std::vector<std::uint8_t>& cells);

    // A colour puzzle: palette[0] is the background and palette[1..K] the colours (0xRRGGBB)
    // of its runs and of the answer's cells 1..K; rowColours and columnColours give each
    // run's colour.  Runs of one colour are parted by background, runs of two colours may
    // touch.  All three are empty for black and white: black runs on white, cells 0 and 1.
    std::vector<std::uint32_t> palette;
    std::vector<LineColours> rowColours;
    std::vector<LineColours> columnColours;
    bool IsColour() const { return !palette.empty(); }
    // K: 1 for black and white.
    int ColourCount() const { return IsColour() ? static_cast<int>(palette.size()) - 1 : 1; }
    // The colour puzzle whose clues are read off a width x height grid of colour indices
    // (row by row, 0 = background, 1..palette.size() - 1); the grid becomes its answer.
    static Puzzle FromColourGrid(int width, int height, const std::vector<std::uint8_t>& cells,
                                 std::vector<std::uint32_t> palette);
};

// The runs of n cells read at cells[0], cells[stride], ... (non-zero = filled).
LineClue RunsOf(const std::uint8_t* cells, int n, int stride = 1);

// True when the runs of every row and column of the grid (row by row) equal the clues.
bool GridMatchesClues(const Puzzle& puzzle, const std::vector<std::uint8_t>& cells);

// The cells the runs of a clue take at the least: the runs and one blank between each two.
long CellsNeeded(const LineClue& clue);
// The same for runs of colours: a blank only between two runs of one colour.
long CellsNeeded(const LineClue& clue, const LineColours& colours);
// The runs and their colours of the n colour indices read at cells[0], cells[stride], ...
void ColourRunsOf(const std::uint8_t* cells, int n, int stride, LineClue& runs,
                  LineColours& colours);
// True when the runs fit in a line of `length` cells.
inline bool ClueFits(const LineClue& clue, int length) {
    return CellsNeeded(clue) <= length;
}

// Why clues cannot belong to a puzzle of their size, or an empty string when they can: a side
// outside 1..99, a clue count that is not the side, a run below 1, or runs that cannot fit.
std::string ClueFitProblem(const Puzzle& puzzle);
