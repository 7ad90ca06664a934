// The clue rule: runs counted from the far end of a line, the single clue 0 for an empty line.
#include "construct/clue_rule.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Clues = std::vector<int>;

// An n x n grid from its rows, top row first, each row left to right.
ColumnBuffer GridFromRows(const std::vector<std::vector<int>>& rows) {
    const int n = static_cast<int>(rows.size());
    ColumnBuffer grid;
    grid.Allocate(n, n);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i)
            grid[i][j] = rows[j][i];
    }
    return grid;
}

TEST(ClueRule, LineRunsInScanOrder) {
    const int line[] = {1, 1, 0, 0, 1, 0, 1, 1, 1};
    EXPECT_EQ(LineClues(line, 9), (Clues{2, 1, 3}));
    const int empty[] = {0, 0, 0, 0};
    EXPECT_EQ(LineClues(empty, 4), (Clues{0}));
    const int full[] = {1, 1, 1};
    EXPECT_EQ(LineClues(full, 3), (Clues{3}));
    const int edges[] = {1, 0, 0, 1};
    EXPECT_EQ(LineClues(edges, 4), (Clues{1, 1}));
    // With a stride: every other value.
    const int strided[] = {1, 9, 1, 9, 0, 9, 1, 9};
    EXPECT_EQ(LineClues(strided, 4, 2), (Clues{2, 1}));
}

TEST(ClueRule, ColumnsAreScannedFromTheBottom) {
    // Column 0 from top to bottom: 1, 1, 0, 1, 0 -> the lower run is slot 0.
    const ColumnBuffer grid = GridFromRows({
        {1, 0, 0, 0, 1},
        {1, 0, 0, 0, 1},
        {0, 0, 0, 0, 0},
        {1, 0, 0, 0, 1},
        {0, 0, 0, 0, 1},
    });
    EXPECT_EQ(ColumnClues(grid, 5, 0), (Clues{1, 2}));
    EXPECT_EQ(ColumnClues(grid, 5, 1), (Clues{0}));
    EXPECT_EQ(ColumnClues(grid, 5, 4), (Clues{2, 2}));
}

TEST(ClueRule, RowsAreScannedFromTheRight) {
    const ColumnBuffer grid = GridFromRows({
        {1, 1, 0, 0, 1},
        {1, 0, 1, 0, 1},
        {0, 0, 0, 0, 0},
        {1, 1, 1, 1, 1},
        {0, 0, 1, 1, 1},
    });
    EXPECT_EQ(RowClues(grid, 5, 0), (Clues{1, 2}));
    EXPECT_EQ(RowClues(grid, 5, 1), (Clues{1, 1, 1}));
    EXPECT_EQ(RowClues(grid, 5, 2), (Clues{0}));
    EXPECT_EQ(RowClues(grid, 5, 3), (Clues{5}));
    EXPECT_EQ(RowClues(grid, 5, 4), (Clues{3}));
}

TEST(ClueRule, TwentyCellLines) {
    std::vector<std::vector<int>> rows(20, std::vector<int>(20, 0));
    for (int i = 0; i < 20; ++i)
        rows[0][i] = 1;  // one run of 20
    for (int i = 0; i < 20; i += 2)
        rows[1][i] = 1;  // ten runs of 1
    const ColumnBuffer grid = GridFromRows(rows);
    EXPECT_EQ(RowClues(grid, 20, 0), (Clues{20}));
    EXPECT_EQ(RowClues(grid, 20, 1), Clues(10, 1));
    EXPECT_EQ(RowClues(grid, 20, 2), (Clues{0}));
    // Column 0 holds rows 0 and 1: one run of 2 at the top.
    EXPECT_EQ(ColumnClues(grid, 20, 0), (Clues{2}));
    EXPECT_EQ(ColumnClues(grid, 20, 1), (Clues{1}));
}

}  // namespace
