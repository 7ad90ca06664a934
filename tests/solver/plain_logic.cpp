#include "plain_logic.h"

#include <map>

const std::vector<Cells>& Placements(const LineClue& clue, int n) {
    static std::map<std::pair<LineClue, int>, std::vector<Cells>> known;
    auto [it, added] = known.try_emplace({clue, n});
    for (int bits = 0; added && bits < (1 << n); ++bits) {
        Cells line(n);
        for (int i = 0; i < n; ++i)
            line[i] = (bits >> i) & 1;
        if (RunsOf(line.data(), n) == clue)
            it->second.push_back(line);
    }
    return it->second;
}

bool PlainLineLogic(const Puzzle& p, std::vector<int>& cells) {
    for (bool changed = true; changed;) {
        changed = false;
        for (int line = 0; line < p.width + p.height; ++line) {
            const bool row = line < p.height;
            const int n = row ? p.width : p.height, i0 = row ? line : line - p.height;
            auto at = [&](int i) -> int& {
                return row ? cells[i0 * p.width + i] : cells[i * p.width + i0];
            };
            std::vector<int> agreed(n, -2);  // -2 no fitting placement yet, -1 they differ
            for (const Cells& c : Placements(row ? p.rows[i0] : p.columns[i0], n)) {
                bool fits = true;
                for (int i = 0; i < n && fits; ++i)
                    fits = at(i) < 0 || at(i) == c[i];
                for (int i = 0; i < n && fits; ++i)
                    agreed[i] = agreed[i] == -2 || agreed[i] == c[i] ? c[i] : -1;
            }
            if (agreed[0] == -2)
                return false;
            for (int i = 0; i < n; ++i)
                if (at(i) < 0 && agreed[i] >= 0)
                    at(i) = agreed[i], changed = true;
        }
    }
    return true;
}

bool PlainProbing(const Puzzle& p, std::vector<int>& cells) {
    if (!PlainLineLogic(p, cells))
        return false;
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (cells[i] >= 0)
                continue;
            std::vector<int> filled = cells, empty = cells;
            filled[i] = 1;
            empty[i] = 0;
            const bool filledFits = PlainLineLogic(p, filled), emptyFits = PlainLineLogic(p, empty);
            if (!filledFits && !emptyFits)
                return false;
            for (std::size_t j = 0; j < cells.size(); ++j) {
                const int settled = !filledFits             ? empty[j]
                                    : !emptyFits            ? filled[j]
                                    : filled[j] == empty[j] ? filled[j]
                                                            : -1;
                if (cells[j] < 0 && settled >= 0)
                    cells[j] = settled, changed = true;
            }
        }
    }
    return true;
}

namespace {

// Column x of the first `rows` rows can still grow into its clue.
bool ColumnPrefixFits(const Puzzle& p, const Cells& grid, int rows, int x) {
    const LineClue& clue = p.columns[x];
    std::size_t done = 0;
    int run = 0;
    for (int y = 0; y < rows; ++y) {
        if (grid[y * p.width + x]) {
            ++run;
            if (done >= clue.size() || run > clue[done])
                return false;
        } else if (run > 0) {
            if (run != clue[done])
                return false;
            ++done;
            run = 0;
        }
    }
    int need = -1;  // cells the rest of the clue needs below
    for (std::size_t j = done; j < clue.size(); ++j)
        need += clue[j] + 1;
    if (run > 0)
        need -= run;  // the run under way has these already
    return need <= p.height - rows;
}

int Count(const Puzzle& p, Cells& grid, int row, int limit) {
    if (row == p.height) {
        for (int x = 0; x < p.width; ++x)
            if (RunsOf(grid.data() + x, p.height, p.width) != p.columns[x])
                return 0;
        return 1;
    }
    int found = 0;
    for (const Cells& line : Placements(p.rows[row], p.width)) {
        std::copy(line.begin(), line.end(), grid.begin() + row * p.width);
        bool fits = true;
        for (int x = 0; x < p.width && fits; ++x)
            fits = ColumnPrefixFits(p, grid, row + 1, x);
        if (fits && (found += Count(p, grid, row + 1, limit - found)) >= limit)
            break;
    }
    return found;
}

}  // namespace

int CountSolutions(const Puzzle& p, int limit) {
    Cells grid(p.CellCount());
    return Count(p, grid, 0, limit);
}
