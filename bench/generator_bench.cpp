// Making new puzzles: one 20 x 20 puzzle with one solution at each difficulty, from a fixed
// seed per run, as 新しいパズル and ngm-cli generate make them.
#include <benchmark/benchmark.h>

#include "maker/puzzle_generator.h"

namespace {

void BM_Generate(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const int difficulty = static_cast<int>(state.range(1));
    std::mt19937 rng(7);
    int made = 0, asked = 0;
    for (auto _ : state) {
        ++asked;
        made += GeneratePuzzle({side, side, difficulty, 30.0, nullptr}, rng).has_value();
    }
    state.counters["made"] = static_cast<double>(made) / asked;
}
BENCHMARK(BM_Generate)
    ->ArgsProduct({{10, 20, 30}, {1, 2, 3, 4, 5}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
