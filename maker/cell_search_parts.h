// The pieces the search for cell changes is made of: lines as bits, swaps (sets of cells that
// can change together without changing a clue), what a judged set of changes came to, and the
// search's limits.  Included by cell_search.cpp only.
#pragma once

#include <chrono>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace cell_search {

using Clock = std::chrono::steady_clock;

// One row or column as bits, cell k at bit k (sides up to kMaxPuzzleSide).
using LineBits = unsigned __int128;

inline int LowestBit(LineBits v) {
    const auto low = static_cast<std::uint64_t>(v);
    return low ? __builtin_ctzll(low) : 64 + __builtin_ctzll(static_cast<std::uint64_t>(v >> 64));
}

// True when the two lines have the same runs.
inline bool SameRunLengths(LineBits a, LineBits b) {
    while (a != 0 && b != 0) {
        a >>= LowestBit(a);
        b >>= LowestBit(b);
        const int runA = LowestBit(~a), runB = LowestBit(~b);
        if (runA != runB)
            return false;
        a >>= runA;
        b >>= runB;
    }
    return a == b;
}

class Bits {
public:
    explicit Bits(int count = 0) : m_words((count + 63) / 64) {}
    bool Test(int i) const { return (m_words[i >> 6] >> (i & 63)) & 1; }
    void Set(int i) { m_words[i >> 6] |= std::uint64_t{1} << (i & 63); }

private:
    std::vector<std::uint64_t> m_words;
};

// A grid of columns x rows cells, row by row, and its lines: the rows first, then the columns.
struct Shape {
    int columns = 0;
    int rows = 0;

    int Cells() const { return columns * rows; }
    int Lines() const { return rows + columns; }
    int X(int cell) const { return cell % columns; }
    int Y(int cell) const { return cell / columns; }
    int At(int x, int y) const { return y * columns + x; }
    // The lines cell lies in.
    int Row(int cell) const { return Y(cell); }
    int Column(int cell) const { return rows + X(cell); }
};

// Cells that can all be flipped together without changing a clue of the grid that `changes`
// makes of the answer: another solution of that grid's puzzle.  Changing more cells leaves it
// another solution unless a row or column it runs through is changed differently, so the
// cells of those lines (its cover) are where a change must go to break it.
struct Swap {
    std::vector<int> changes;  // sorted
    // Rows 0..rows-1, then columns rows..rows+columns-1 (Shape): the swap's cells in each
    // line, 0 where it has none.
    std::vector<LineBits> lines;
    std::vector<int> cover;  // cells of its lines, most promising first

    void Add(int cell, const Shape& shape) {
        lines[shape.Row(cell)] |= LineBits{1} << shape.X(cell);
        lines[shape.Column(cell)] |= LineBits{1} << shape.Y(cell);
    }
    bool Runs(int cell, const Shape& shape) const {
        return lines[shape.Row(cell)] || lines[shape.Column(cell)];
    }
};

enum class Outcome {
    Swappable,   // several solutions: the swaps say which
    Accepted,    // one solution, and a picture within the share
    NotPicture,  // one solution, but empty, full or too far from the current share
    Unknown,     // the solver ran out of time
};

struct Judged {
    Outcome outcome = Outcome::Unknown;
    std::vector<int> swaps;
    Verdict verdict = Verdict::Timeout;
    int difficulty = 0;
    int undecidedCount = 0;
};

struct ChangesHash {
    std::size_t operator()(const std::vector<int>& changes) const {
        std::size_t h = changes.size();
        for (int c : changes)
            h = h * 0x9e3779b97f4a7c15ull + static_cast<std::size_t>(c);
        return h ^ (h >> 31);
    }
};

enum class Stop { None, Enough, Time, Cancel };

// Switches known from the start, at most.
constexpr int kMaxSwitches = 4000;
// Swaps found last, tried before the solver is asked again.
constexpr std::size_t kRecentSwaps = 512;
// Judgements, and share of the time, the first dive may take.
constexpr int kDiveJudgements = 200;
constexpr double kDiveShare = 0.25;
// Single changes judged for the best of nothing.
constexpr std::size_t kBestJudgements = 16;

// What a set of changes comes to.
struct Evaluation {
    Outcome outcome = Outcome::Unknown;
    int swap = -1;  // Swappable: a swap that still works, the one with the smallest cover
};

}  // namespace cell_search
