// What the search for a puzzle with exactly one solution suggests: a band and block count, or a
// few cells of the current answer changed; with the solver's verdict on the puzzle it makes and
// how far that puzzle is from the current one.  Also the rule that keeps a suggestion a picture.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/solver.h"

// Where a search starts: the band and block count in force, the current puzzle's answer (row by
// row, 1 = filled: n x n on the square canvas, else the columns x rows of the division it was
// cut with) and the size of the picture's canvas it was made from.
struct SearchStart {
    int lower = 0;
    int upper = 0;
    int n = 0;
    std::vector<std::uint8_t> answer;
    int width = 0;
    int height = 0;
};

enum class SuggestionKind {
    Band,     // other thresholds and block count
    Cells,    // the current answer with some cells changed
    Colours,  // a colour puzzle's other colour count and block count
};

struct Suggestion {
    SuggestionKind kind = SuggestionKind::Band;
    int lower = 0;
    int upper = 0;
    int n = 0;
    // The suggested answer, columns x rows (n x n on the square canvas) row by row, 1 = filled.
    int columns = 0;
    int rows = 0;
    std::vector<std::uint8_t> cells;
    // Colours: the colour count asked of the analysis, and the palette of the puzzle made
    // (0xRRGGBB, the background first), the cells being indices into it.
    int colours = 0;
    std::vector<std::uint32_t> palette;
    // Cells: the cells changed (y * columns + x), in increasing order.
    std::vector<int> changed;
    Verdict verdict = Verdict::Timeout;
    int difficulty = 0;
    int undecidedCount = 0;
    // Cells that differ from the current answer, or -1 when the block count differs.
    int changedCells = 0;
    // Share of the canvas whose colour changes against the current answer, 0..1.
    double changedArea = 0;
    // |lower - current lower| + |upper - current upper|.
    int bandDistance = 0;
    // Share of filled cells in percent, and whether it keeps within kShareTolerance of the
    // current puzzle's.
    double filledPercent = 0;
    bool withinShare = true;

    bool IsUnique() const { return verdict == Verdict::Line || verdict == Verdict::Unique; }
};

// How far, in percentage points, a suggestion's share of filled cells may lie from the current
// puzzle's.
constexpr int kShareTolerance = 15;

// Filled cells out of all cells of a grid.
struct FilledShare {
    long filled = 0;
    long cells = 0;
    double Percent() const { return cells > 0 ? 100.0 * filled / cells : 0; }
};
FilledShare ShareOf(const std::vector<std::uint8_t>& cells);
// A grid is a picture when it is neither empty nor full.
bool IsPicture(const FilledShare& share);
// True when `share` lies within kShareTolerance points of `current` (exactly, in integers).
bool ShareWithin(const FilledShare& share, const FilledShare& current);

// Better first: within the share before outside it, unique before not, line-solvable before
// the rest; then less of the picture changed, nearer thresholds, the block count nearer the
// current one (`currentN`); the rest in a fixed order.
bool RanksBefore(const Suggestion& a, const Suggestion& b, int currentN);
