// The clue rule: runs counted from the far end of a line (columns from the bottom, rows from
// the right), the single clue 0 for an empty line.
#include "construct/clue_rule.h"

#include <gtest/gtest.h>

#include "analysis_support.h"

namespace {

using Clues = std::vector<int>;

TEST(ClueRule, ColumnsFromTheBottomRowsFromTheRight) {
    const ColumnBuffer grid = GridFromRows({
        {1, 1, 0, 0, 1},
        {1, 0, 1, 0, 1},
        {0, 0, 0, 0, 0},
        {1, 1, 1, 1, 1},
        {0, 0, 1, 1, 1},
    });
    // Column 0 from the top: 1, 1, 0, 1, 0; the lower run is slot 0.
    EXPECT_EQ(ColumnClues(grid, 5, 0), (Clues{1, 2}));
    EXPECT_EQ(ColumnClues(grid, 5, 2), (Clues{2, 1}));
    EXPECT_EQ(RowClues(grid, 5, 0), (Clues{1, 2}));
    EXPECT_EQ(RowClues(grid, 5, 1), (Clues{1, 1, 1}));
    EXPECT_EQ(RowClues(grid, 5, 2), (Clues{0}));
    EXPECT_EQ(RowClues(grid, 5, 3), (Clues{5}));
}

}  // namespace
