#include "plain_logic.h"

#include <algorithm>
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

int CountSolutions(const Puzzle& p, std::vector<int> cells, int limit) {
    if (!PlainLineLogic(p, cells))
        return 0;
    const auto open = std::find(cells.begin(), cells.end(), -1);
    if (open == cells.end())
        return 1;
    int found = 0;
    for (int value : {0, 1}) {
        *open = value;
        found += CountSolutions(p, cells, limit - found);
        if (found >= limit)
            break;
    }
    return found;
}
