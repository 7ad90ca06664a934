#include "construct/clue_rule.h"

std::vector<int> LineClues(const int* cells, int n, int stride) {
    std::vector<int> clues;
    int run = 0;
    for (int k = 0; k < n; ++k) {
        if (cells[k * stride] == 1) {
            ++run;
        } else if (run > 0) {
            clues.push_back(run);
            run = 0;
        }
    }
    if (run > 0)
        clues.push_back(run);
    if (clues.empty())
        clues.push_back(0);
    return clues;
}

std::vector<int> ColumnClues(const ColumnBuffer& grid, int n, int column) {
    // Bottom row first: walk the column backwards.
    return LineClues(grid[column] + (n - 1), n, -1);
}

std::vector<int> RowClues(const ColumnBuffer& grid, int n, int row) {
    // Rightmost column first: step back one column at a time.
    return LineClues(grid[n - 1] + row, n, -grid.Length());
}
