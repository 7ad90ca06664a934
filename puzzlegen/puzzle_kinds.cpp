#include "puzzlegen/puzzle_kinds.h"

#include <algorithm>

#include "solver/solver.h"

namespace puzzlegen {

namespace {

// True with probability percent / 100, from the generator's raw 32-bit output.
bool Chance(int percent, std::mt19937& rng) {
    return rng() % 100u < static_cast<unsigned>(percent);
}

int Below(int n, std::mt19937& rng) {
    return static_cast<int>(rng() % static_cast<unsigned>(n));
}

}  // namespace

Grid RandomFill(int width, int height, int percent, std::mt19937& rng) {
    Grid cells(static_cast<std::size_t>(width) * height);
    for (auto& c : cells)
        c = Chance(percent, rng);
    return cells;
}

Grid ShortRuns(int width, int height, int maxRun, std::mt19937& rng) {
    Grid cells(static_cast<std::size_t>(width) * height);
    auto at = [&](int x, int y) -> std::uint8_t& {
        return cells[static_cast<std::size_t>(y) * width + x];
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!Chance(50, rng))
                continue;
            int left = 0, up = 0;  // filled cells just before this one
            while (left < x && at(x - 1 - left, y))
                ++left;
            while (up < y && at(x, y - 1 - up))
                ++up;
            at(x, y) = left < maxRun && up < maxRun;
        }
    }
    return cells;
}

Grid Switches(int width, int height, int count, std::mt19937& rng) {
    Grid cells = RandomFill(width, height, 8, rng);
    // Each switch owns a 4 x 4 box of the lattice: the 2 x 2 square and a ring of empty cells
    // around it, so that moving either filled cell by one keeps every clue.
    const int across = width / 4, down = height / 4;
    std::vector<int> boxes(static_cast<std::size_t>(across) * down);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = static_cast<int>(i);
    for (std::size_t i = boxes.size(); i > 1; --i)
        std::swap(boxes[i - 1], boxes[Below(static_cast<int>(i), rng)]);
    count = std::min<int>(count, static_cast<int>(boxes.size()));
    for (int s = 0; s < count; ++s) {
        const int bx = boxes[s] % across * 4, by = boxes[s] / across * 4;
        for (int y = by; y < by + 4; ++y)
            for (int x = bx; x < bx + 4; ++x)
                cells[static_cast<std::size_t>(y) * width + x] = 0;
        const bool falling = Chance(50, rng);
        cells[static_cast<std::size_t>(by + 1) * width + bx + (falling ? 1 : 2)] = 1;
        cells[static_cast<std::size_t>(by + 2) * width + bx + (falling ? 2 : 1)] = 1;
    }
    return cells;
}

Grid Permutation(int n, std::mt19937& rng) {
    std::vector<int> column(n);
    for (int i = 0; i < n; ++i)
        column[i] = i;
    for (int i = n; i > 1; --i)
        std::swap(column[i - 1], column[Below(i, rng)]);
    Grid cells(static_cast<std::size_t>(n) * n);
    for (int y = 0; y < n; ++y)
        cells[static_cast<std::size_t>(y) * n + column[y]] = 1;
    return cells;
}

Grid Sierpinski(int n) {
    // Row y holds the binomial coefficients C(y, x); by Lucas's theorem C(y, x) is odd exactly
    // when the bits of x are a subset of those of y.
    Grid cells(static_cast<std::size_t>(n) * n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x <= y; ++x)
            cells[static_cast<std::size_t>(y) * n + x] = (x & ~y) == 0;
    return cells;
}

Grid NeedsSearch(int width, int height, int percent, int tries, std::mt19937& rng) {
    // Random grids rarely have one solution that needs a search.  From each drawn grid, a cell
    // where a second solution differs is flipped until the puzzle has one solution; grids on
    // the way there often are of the kind wanted.
    Grid cells;
    for (int t = 0; t < tries; ++t) {
        if (cells.empty())
            cells = RandomFill(width, height, percent, rng);
        const SolveResult r = Solve(Puzzle::FromGrid(width, height, cells), {30.0});
        if (r.verdict == Verdict::Unique && r.difficulty == 5)
            return cells;
        if (r.verdict == Verdict::Multiple && !r.differing.empty()) {
            const int at = r.differing[Below(static_cast<int>(r.differing.size()), rng)];
            cells[at] = !cells[at];
        } else {
            cells.clear();  // one solution that probing reaches: draw another grid
        }
    }
    return {};
}

}  // namespace puzzlegen
