// The complete solver of one line: given which cells may still be filled and which may still be
// empty, it finds every cell on which all placements of the clue agree.  Lines are bit masks
// (bit i = cell i) in one word: std::uint64_t for lines up to 63 cells, unsigned __int128 up to
// 127.  Positions between cells run from 0 (before the first cell) to n (after the last), so a
// word holds n + 1 of them.
#pragma once

#include <algorithm>
#include <cstdint>

// Largest number of runs a line of kMaxPuzzleSide cells can hold.
constexpr int kMaxRuns = 50;

template <class W>
constexpr int kWordBits = sizeof(W) * 8;

inline std::uint64_t ReverseBits(std::uint64_t x) {
    x = __builtin_bswap64(x);
    x = ((x >> 4) & 0x0F0F0F0F0F0F0F0Full) | ((x & 0x0F0F0F0F0F0F0F0Full) << 4);
    x = ((x >> 2) & 0x3333333333333333ull) | ((x & 0x3333333333333333ull) << 2);
    x = ((x >> 1) & 0x5555555555555555ull) | ((x & 0x5555555555555555ull) << 1);
    return x;
}

inline unsigned __int128 ReverseBits(unsigned __int128 x) {
    const auto low = static_cast<std::uint64_t>(x);
    const auto high = static_cast<std::uint64_t>(x >> 64);
    return (static_cast<unsigned __int128>(ReverseBits(low)) << 64) | ReverseBits(high);
}

inline int PopCount(std::uint64_t x) {
    return __builtin_popcountll(x);
}
inline int PopCount(unsigned __int128 x) {
    return __builtin_popcountll(static_cast<std::uint64_t>(x)) +
           __builtin_popcountll(static_cast<std::uint64_t>(x >> 64));
}

inline int LowestBit(std::uint64_t x) {
    return __builtin_ctzll(x);
}
inline int LowestBit(unsigned __int128 x) {
    const auto low = static_cast<std::uint64_t>(x);
    return low ? __builtin_ctzll(low) : 64 + __builtin_ctzll(static_cast<std::uint64_t>(x >> 64));
}

template <class W>
W LowMask(int n) {
    return n >= kWordBits<W> ? ~W(0) : (W(1) << n) - 1;
}

// Bits 0..n-1 of x in reverse order.
template <class W>
W ReverseLow(W x, int n) {
    return ReverseBits(x) >> (kWordBits<W> - n);
}

// Every position reachable from a seed by stepping from p to p + 1 over cells p in `through`.
// Adding the seeds inside a block of ones carries from the lowest seed to just past the block.
template <class W>
W Reach(W seeds, W through) {
    return ((through + (seeds & through)) ^ through) | seeds;
}

// Highest power of two at most c (c >= 1), as its exponent.
inline int FloorLog2(int c) {
    return 31 - __builtin_clz(static_cast<unsigned>(c));
}

// Where blocks of c cells all in m may start, for every c up to a limit: level[i] holds the
// positions s where cells s .. s + 2^i - 1 are all in m, and two overlapping blocks of the
// largest power of two at most c cover any c.
template <class W>
struct BlockTable {
    W level[8];
    BlockTable(W m, int maxLevel) {
        level[0] = m;
        for (int i = 1; i <= maxLevel; ++i)
            level[i] = level[i - 1] & (level[i - 1] >> (1 << (i - 1)));
    }
    W Starts(int c) const {
        const int i = FloorLog2(c);
        return level[i] & (level[i] >> (c - (1 << i)));
    }
};

// Cells s .. s + c - 1 for every s in starts.
template <class W>
W Smear(W starts, int c) {
    int have = 1;
    while (have * 2 <= c) {
        starts |= starts << have;
        have *= 2;
    }
    if (have < c)
        starts |= starts << (c - have);
    return starts;
}

// The runs of a complete line (bit i = cell i filled) are the clue.
template <class W>
bool RunsMatch(W cells, const int* runs, int k) {
    for (int j = 0; j < k; ++j) {
        if (!cells)
            return false;
        cells >>= LowestBit(cells);
        if (LowestBit(~cells) != runs[j])
            return false;
        cells >>= runs[j];
    }
    return !cells;
}

// Settles a line.  fill and empty say which cells may still be filled and which may still be
// empty (bits at n and above clear).  On success they are narrowed to what some placement of
// the clue allows; returns false when no placement fits.
//
// The forward pass finds, for each run j, ready[j]: the positions p where run j may start
// (runs 0 .. j-1 fit in cells 0 .. p-1, every other cell there may be empty, and cell p-1 is
// a gap unless p = 0), and starts[j]: those where run j's own cells may all be filled.  The
// same pass over the reversed line, run by run from the last, gives what the runs after each
// position need; a run may start where both sides allow it, and a cell may be empty where the
// runs before it end and the runs after it begin on either side of it.
//
// blockLevel is FloorLog2 of the longest run (0 for none).
template <class W>
bool SolveLine(const int* runs, int k, int blockLevel, int n, W& fill, W& empty) {
    const W f = fill, e = empty;
    const W unknown = f & e, second = unknown & (unknown - 1);
    if (!(second & (second - 1))) {
        // At most two cells open, as often late in propagation: trying the (at most four)
        // ways to complete the line is quicker than the passes.
        const W base = f & ~e, one = unknown & ~second, all = LowMask<W>(n);
        W newFill = 0, newEmpty = 0;
        for (const W cells : {base, base | one, base | second, base | unknown}) {
            if (RunsMatch(cells, runs, k)) {
                newFill |= cells;
                newEmpty |= all & ~cells;
            }
        }
        fill = newFill;
        empty = newEmpty;
        return newFill | newEmpty;
    }
    W ready[kMaxRuns + 1], starts[kMaxRuns];
    const BlockTable<W> blocks(f, blockLevel);
    ready[0] = Reach<W>(1, e);
    W end = 0;
    for (int j = 0; j < k; ++j) {
        starts[j] = ready[j] & blocks.Starts(runs[j]);
        end = starts[j] << runs[j];
        ready[j + 1] = Reach<W>((end & e) << 1, e);
    }
    if (!(((ready[k] | end) >> n) & 1))
        return false;
    // back: positions (on the reversed line) where the runs after the current one may begin;
    // after: the same in this line's positions, where cell q is a gap before them (or any q
    // with only gaps after it, before the last run).
    const W reversedEmpty = ReverseLow(e, n);
    const BlockTable<W> backBlocks(ReverseLow(f, n), blockLevel);
    W back = Reach<W>(1, reversedEmpty);
    W after = ReverseLow(back, n + 1);
    W newFill = 0, newEmpty = (ready[k] >> 1) & after;
    for (int j = k - 1; j >= 0; --j) {
        const int c = runs[j];
        const W backEnd = (back & backBlocks.Starts(c)) << c;
        back = Reach<W>((backEnd & reversedEmpty) << 1, reversedEmpty);
        newFill |= Smear(starts[j] & (after >> c), c);
        after = ReverseLow(back, n + 1);
        newEmpty |= (ready[j] >> 1) & after;
    }
    fill = newFill;
    empty = e & newEmpty;
    return true;
}

// FloorLog2 of the longest run, as SolveLine wants it.
inline int BlockLevel(const int* runs, int k) {
    int longest = 1;
    for (int j = 0; j < k; ++j)
        longest = std::max(longest, runs[j]);
    return FloorLog2(longest);
}

template <class W>
bool SolveLine(const int* runs, int k, int n, W& fill, W& empty) {
    return SolveLine(runs, k, BlockLevel(runs, k), n, fill, empty);
}
