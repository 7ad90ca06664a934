// The answer check of a puzzle read with its clues only: mistakes are found against the clues,
// where wrong rows cross wrong columns, or along the wrong lines when they run one way only.
#include <gtest/gtest.h>

#include <string>

#include "model/play_board.h"

namespace {

// Rows of '#' (filled) and '.' (blank), one string per row.
PlayBoard BoardOf(const std::vector<std::string>& rows) {
    PlayBoard board(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < board.Height(); ++y)
        for (int x = 0; x < board.Width(); ++x)
            if (rows[y][x] == '#')
                board.Apply(StrokeKind::Fill, {x, y});
    return board;
}

std::string Cells(const std::vector<CellPos>& cells) {
    std::string s;
    for (const CellPos& c : cells)
        s += "(" + std::to_string(c.column) + "," + std::to_string(c.row) + ")";
    return s;
}

TEST(ClueMistakes, FoundAgainstTheCluesWithoutAnAnswer) {
    // Rows and columns 1 / 1 / 0: either diagonal of the top-left square; no answer kept.
    Puzzle puzzle = Puzzle::FromGrid(3, 3, {1, 0, 0, 0, 1, 0, 0, 0, 0});
    puzzle.answer.clear();
    const struct {
        std::vector<std::string> rows;
        const char* mistakes;
    } cases[] = {
        {{"#..", ".#.", "..."}, ""},                      // the cells the clues came from
        {{".#.", "#..", "..."}, ""},                      // the other solution
        {{"...", "...", "..."}, "(0,0)(1,0)(0,1)(1,1)"},  // wrong rows cross wrong columns
        {{"#..", ".#.", "..#"}, "(2,2)"},
        {{"##.", "...", "..."}, "(0,0)(1,0)(2,0)(0,1)(1,1)(2,1)"},  // only rows are wrong
        {{"#..", "#..", "..."}, "(0,0)(1,0)(0,1)(1,1)(0,2)(1,2)"},  // only columns are
    };
    for (const auto& c : cases) {
        const PlayBoard board = BoardOf(c.rows);
        EXPECT_EQ(Cells(board.Mistakes(puzzle)), c.mistakes)
            << c.rows[0] << "/" << c.rows[1] << "/" << c.rows[2];
        EXPECT_EQ(board.Check(puzzle).solved, std::string(c.mistakes).empty());
    }
}

}  // namespace
