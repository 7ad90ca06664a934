#include "maker/puzzle_generator.h"

#include <algorithm>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

double Uniform(std::mt19937& rng) {
    return static_cast<double>(rng()) / 4294967296.0;
}

// Harder puzzles come from finer fields: the blob size drawn for a difficulty on a board.
int GrainFor(int difficulty, int side, std::mt19937& rng) {
    if (difficulty >= 5)
        return 1 + static_cast<int>(rng() % 2);  // searches come from fine detail
    const int coarse = std::max(2, side / (2 + difficulty));
    const int spread = std::max(1, coarse / 2);
    return std::max(2, coarse - static_cast<int>(rng() % static_cast<unsigned>(spread)));
}

}  // namespace

std::vector<std::uint8_t> PictureLikeField(int width, int height, int grain, std::mt19937& rng) {
    // Value noise: random heights on a lattice `grain` cells apart, read between them by
    // bilinear interpolation, cut at a level that fills the share drawn.
    grain = std::max(1, grain);
    const int lw = width / grain + 2, lh = height / grain + 2;
    std::vector<double> lattice(static_cast<std::size_t>(lw) * lh);
    for (double& v : lattice)
        v = Uniform(rng);
    std::vector<double> field(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double fx = (x + 0.5) / grain, fy = (y + 0.5) / grain;
            const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
            const double tx = fx - ix, ty = fy - iy;
            const auto at = [&](int i, int j) {
                return lattice[static_cast<std::size_t>(j) * lw + i];
            };
            const double top = at(ix, iy) * (1 - tx) + at(ix + 1, iy) * tx;
            const double bottom = at(ix, iy + 1) * (1 - tx) + at(ix + 1, iy + 1) * tx;
            field[static_cast<std::size_t>(y) * width + x] = top * (1 - ty) + bottom * ty;
        }
    }
    std::vector<double> sorted = field;
    const double share = 0.40 + 0.25 * Uniform(rng);
    const auto cut = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() * (1 - share));
    std::nth_element(sorted.begin(), cut, sorted.end());
    std::vector<std::uint8_t> cells(field.size());
    for (std::size_t i = 0; i < field.size(); ++i)
        cells[i] = field[i] >= *cut ? 1 : 0;
    return cells;
}

std::optional<Puzzle> GeneratePuzzle(const GenerateRequest& request, std::mt19937& rng,
                                     SolveResult* verdict) {
    const int w = request.width, h = request.height;
    if (w < 1 || h < 1 || w > kMaxPuzzleSide || h > kMaxPuzzleSide)
        return std::nullopt;
    const auto deadline =
        Clock::now() + std::chrono::microseconds(static_cast<long long>(request.seconds * 1e6));
    const auto stopped = [&] {
        return Clock::now() > deadline || (request.cancel && request.cancel->load());
    };
    while (!stopped()) {
        const int grain = GrainFor(request.difficulty, std::max(w, h), rng);
        std::vector<std::uint8_t> cells = PictureLikeField(w, h, grain, rng);
        for (int flips = 0; flips <= w * h / 4 && !stopped(); ++flips) {
            Puzzle puzzle = Puzzle::FromGrid(w, h, cells);
            SolveResult r = Solve(puzzle, {1.0, request.cancel});
            if (r.verdict == Verdict::Line || r.verdict == Verdict::Unique) {
                if (r.difficulty == request.difficulty) {
                    if (verdict)
                        *verdict = std::move(r);
                    return puzzle;
                }
                if (r.difficulty > request.difficulty || request.difficulty < 4)
                    break;  // another field
                // Too easy for a puzzle that needs probing or a search: a random cell flipped
                // often opens the ambiguity whose settling makes it harder.
                cells[rng() % cells.size()] ^= 1;
                continue;
            }
            if (r.verdict != Verdict::Multiple || r.differing.empty())
                break;
            cells[r.differing[rng() % r.differing.size()]] ^= 1;
        }
    }
    return std::nullopt;
}
