// Verdicts for sets of puzzles made here with fixed seeds: picture-like ones (a random field
// blurred and cut at its median, the kind a photo turns into) and random ones (every cell
// filled with probability one half).  Each benchmark solves its whole set once per iteration
// and reports the time per puzzle as counters: median, 99th percentile and maximum (each
// puzzle's fastest solve over the iterations, so that another program taking the processor
// for a moment does not count; max_any_us is the slowest solve seen at all), and the shares
// of the verdicts.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "solver/solver.h"

namespace {

// Uniform noise blurred by a Gaussian of the given width, cut at its median.
std::vector<std::uint8_t> PictureLike(int w, int h, std::mt19937& rng) {
    constexpr double kSigma = 0.85;
    constexpr int kReach = 3;
    std::uniform_real_distribution<double> uniform(0, 1);
    std::vector<double> field(w * h), blurred(w * h);
    for (double& v : field)
        v = uniform(rng);
    double kernel[2 * kReach + 1];
    for (int i = -kReach; i <= kReach; ++i)
        kernel[i + kReach] = std::exp(-i * i / (2 * kSigma * kSigma));
    for (int pass = 0; pass < 2; ++pass) {  // across, then down
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                double sum = 0, weight = 0;
                for (int i = -kReach; i <= kReach; ++i) {
                    const int xx = pass == 0 ? x + i : x, yy = pass == 0 ? y : y + i;
                    if (xx >= 0 && xx < w && yy >= 0 && yy < h) {
                        sum += kernel[i + kReach] * field[yy * w + xx];
                        weight += kernel[i + kReach];
                    }
                }
                blurred[y * w + x] = sum / weight;
            }
        }
        field.swap(blurred);
    }
    std::vector<double> sorted = field;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const double median = sorted[sorted.size() / 2];
    std::vector<std::uint8_t> cells(w * h);
    for (int i = 0; i < w * h; ++i)
        cells[i] = field[i] > median;
    return cells;
}

std::vector<std::uint8_t> Random(int w, int h, std::mt19937& rng) {
    std::vector<std::uint8_t> cells(w * h);
    for (auto& c : cells)
        c = rng() & 1;
    return cells;
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * v.size()))];
}

void SolveSet(benchmark::State& state, int side, int count, bool picture) {
    std::mt19937 rng(20240601u + side);
    std::vector<Puzzle> puzzles;
    for (int i = 0; i < count; ++i)
        puzzles.push_back(Puzzle::FromGrid(
            side, side, picture ? PictureLike(side, side, rng) : Random(side, side, rng)));
    std::vector<double> fastest(count, 1e300);
    std::vector<int> verdicts(5);
    double slowest = 0;
    for (auto _ : state) {
        std::fill(verdicts.begin(), verdicts.end(), 0);
        for (int i = 0; i < count; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const SolveResult r = Solve(puzzles[i]);
            const double us =
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                    .count();
            fastest[i] = std::min(fastest[i], us);
            slowest = std::max(slowest, us);
            ++verdicts[static_cast<int>(r.verdict)];
        }
    }
    state.counters["median_us"] = Percentile(fastest, 0.5);
    state.counters["p99_us"] = Percentile(fastest, 0.99);
    state.counters["max_us"] = *std::max_element(fastest.begin(), fastest.end());
    state.counters["max_any_us"] = slowest;
    const char* names[] = {"line", "unique", "multiple", "none", "timeout"};
    for (int v = 0; v < 5; ++v)
        if (v != static_cast<int>(Verdict::None))
            state.counters[names[v]] = static_cast<double>(verdicts[v]) / count;
}

}  // namespace

BENCHMARK_CAPTURE(SolveSet, picture20x20_1000, 20, 1000, true)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolveSet, picture5x5, 5, 1000, true)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolveSet, random5x5, 5, 1000, false)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolveSet, picture10x10, 10, 1000, true)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolveSet, random10x10, 10, 1000, false)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolveSet, random20x20, 20, 1000, false)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolveSet, picture30x30, 30, 300, true)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolveSet, random30x30, 30, 100, false)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
