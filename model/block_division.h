// How a picture's canvas is cut into the blocks of a puzzle: the pixel edges of every block
// column and block row.  Each block becomes one cell of the answer, black when at least half of
// its pixels are.
//
// The square puzzles of 5, 10 and 20 blocks cut the canvas into whole blocks of side
// B = max(width, height) / N, as they always have; any other count cuts each canvas side into
// blocks whose sides differ by at most one pixel (whole blocks again wherever N divides the
// side).  A fitted division cuts the picture's own width and height, without the white
// canvas round it, in the same way.
#pragma once

#include <vector>

// The square block counts the analysis has always offered, whose blocks stay whole.
inline constexpr int kClassicBlockCounts[] = {5, 10, 20};

struct BlockDivision {
    int columns = 0;  // cells across the puzzle
    int rows = 0;     // cells down the puzzle
    // xs[i] .. xs[i + 1] are the pixel columns of block column i; ys likewise for the rows.
    // There are fewer edges than columns + 1 (rows + 1) when the canvas holds fewer whole
    // blocks than that; the cells beyond them stay white.
    std::vector<int> xs;
    std::vector<int> ys;
    // The rectangle the grid lines span: the canvas, or the picture for a fitted division.
    int spanLeft = 0, spanTop = 0, spanRight = 0, spanBottom = 0;

    int HeldColumns() const { return xs.empty() ? 0 : static_cast<int>(xs.size()) - 1; }
    int HeldRows() const { return ys.empty() ? 0 : static_cast<int>(ys.size()) - 1; }
    // No block at all: there is no puzzle of this division.
    bool IsEmpty() const { return HeldColumns() <= 0 || HeldRows() <= 0; }
    int BlockWidth(int i) const { return xs[i + 1] - xs[i]; }
    int BlockHeight(int j) const { return ys[j + 1] - ys[j]; }
    // The black pixels at which block (i, j) turns black: half of them, rounded down.
    int BlackCount(int i, int j) const { return BlockWidth(i) * BlockHeight(j) / 2; }
    // The block column of pixel column x, or -1 outside the held blocks; likewise for rows.
    int ColumnAt(int x) const { return IndexAt(xs, x); }
    int RowAt(int y) const { return IndexAt(ys, y); }

    friend bool operator==(const BlockDivision&, const BlockDivision&) = default;

private:
    static int IndexAt(const std::vector<int>& edges, int p);
};

// columns x rows blocks on the whole width x height canvas.  Empty when a block would be
// narrower or lower than a pixel.
BlockDivision CanvasDivision(int columns, int rows, int width, int height);
// columns x rows blocks on the picture's own rectangle, width x height pixels from (left, top)
// of the canvas.  Empty when a block would be narrower or lower than a pixel.
BlockDivision PictureDivision(int columns, int rows, int left, int top, int width, int height);

struct BlockCounts {
    int columns = 0;
    int rows = 0;
    friend bool operator==(const BlockCounts&, const BlockCounts&) = default;
};
// The counts of n blocks fitted to a width x height picture: n along its longer side, and
// along the shorter one the count (1..n) whose blocks come nearest to square, that is whose
// block sides have the ratio nearest to 1 (compared as |log ratio|; a tie takes the larger
// count).  A 16:9 picture at 30 blocks gives 30 x 17.
BlockCounts FittedCounts(int n, int width, int height);
