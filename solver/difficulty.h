// The difficulty grades of a solved puzzle.
#pragma once

// How hard a puzzle is, from the work the logic needed:
//   1-3  line logic alone solves it, graded by the passes it needed (a pass solves every row
//        that changed, then every column that changed), against the longer side n, since
//        bigger puzzles need more passes for the same kind of reasoning: up to n / 5 + 3
//        passes is 1, up to n / 3 + 4 is 2, more is 3.  Most picture puzzles are 1; 2 and 3
//        are those where deductions travel back and forth across the picture;
//   4    line logic stalls, and trying cells both ways (probing) finishes it;
//   5    even probing stalls: the solution needs a search.
inline int LineDifficulty(int passes, int side) {
    if (passes <= side / 5 + 3)
        return 1;
    if (passes <= side / 3 + 4)
        return 2;
    return 3;
}
