// Verdicts for colour puzzles made here with fixed seeds, the kind a colour picture turns
// into: a smooth random field cut into K colour bands over a background.  Each iteration
// solves the whole set of 20; the counters are the verdicts of the set.  Also random grids,
// each cell any of the colours or the background alike, with the program's two-second limit:
// the slowest puzzle and the verdicts of the set.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "solver/solver.h"

namespace {

// A sum of a few random waves, cut into colours + 1 bands of equal width (band 0 the
// background): regions of colour with smooth edges, as a quantised photo has.
Puzzle Picture(int n, int colours, std::mt19937& rng) {
    std::uniform_real_distribution<double> uniform(0, 1);
    double waves[4][4];
    for (auto& w : waves)
        for (double& v : w)
            v = uniform(rng);
    std::vector<double> field(n * n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            for (const auto& w : waves)
                field[y * n + x] += std::sin((w[0] * x + w[1] * y) * 6.0 / n * 3 + w[2] * 6.28);
    const auto [low, high] = std::minmax_element(field.begin(), field.end());
    std::vector<std::uint8_t> cells(n * n);
    for (int i = 0; i < n * n; ++i)
        cells[i] = static_cast<std::uint8_t>(std::min(
            colours, static_cast<int>((field[i] - *low) / (*high - *low + 1e-9) * (colours + 1))));
    std::vector<std::uint32_t> palette(colours + 1);
    for (int c = 0; c <= colours; ++c)
        palette[c] = 0x101010u * static_cast<std::uint32_t>(15 - c);
    return Puzzle::FromColourGrid(n, n, cells, palette);
}

void BM_ColourPictures(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0)), colours = static_cast<int>(state.range(1));
    std::mt19937 rng(static_cast<unsigned>(n * 10 + colours));
    std::vector<Puzzle> set;
    for (int i = 0; i < 20; ++i)
        set.push_back(Picture(n, colours, rng));
    int verdicts[5] = {};
    for (auto _ : state) {
        std::fill(std::begin(verdicts), std::end(verdicts), 0);
        for (const Puzzle& p : set)
            ++verdicts[static_cast<int>(Solve(p, {10.0}).verdict)];
    }
    const char* names[] = {"line", "unique", "multiple", "none", "timeout"};
    for (int v = 0; v < 5; ++v)
        state.counters[names[v]] = verdicts[v];
}
BENCHMARK(BM_ColourPictures)
    ->Args({20, 3})
    ->Args({30, 4})
    ->Args({50, 6})
    ->Args({99, 8})
    ->Unit(benchmark::kMillisecond);

}  // namespace

void BM_RandomColourGrids(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0)), colours = static_cast<int>(state.range(1));
    std::mt19937 rng(static_cast<unsigned>(7000 + n * 10 + colours));
    std::vector<Puzzle> set;
    for (int i = 0; i < 100; ++i) {
        std::vector<std::uint8_t> cells(n * n);
        for (auto& c : cells)
            c = static_cast<std::uint8_t>(rng() % (colours + 1));
        std::vector<std::uint32_t> palette(colours + 1);
        for (int c = 0; c <= colours; ++c)
            palette[c] = 0x101010u * static_cast<std::uint32_t>(15 - c);
        Puzzle p = Puzzle::FromColourGrid(n, n, cells, palette);
        p.answer.clear();  // solved as a file without its picture would be
        set.push_back(std::move(p));
    }
    int verdicts[5] = {};
    double slowest = 0;
    for (auto _ : state) {
        std::fill(std::begin(verdicts), std::end(verdicts), 0);
        for (const Puzzle& p : set) {
            const auto start = std::chrono::steady_clock::now();
            ++verdicts[static_cast<int>(Solve(p, {2.0}).verdict)];
            slowest = std::max(slowest, std::chrono::duration<double, std::milli>(
                                            std::chrono::steady_clock::now() - start)
                                            .count());
        }
    }
    const char* names[] = {"line", "unique", "multiple", "none", "timeout"};
    for (int v = 0; v < 5; ++v)
        state.counters[names[v]] = verdicts[v];
    state.counters["max_ms"] = slowest;
}
BENCHMARK(BM_RandomColourGrids)->Args({20, 3})->Iterations(1)->Unit(benchmark::kMillisecond);
