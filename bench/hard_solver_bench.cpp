// Verdicts on the puzzles solvers are compared on, without their answers: random grids filled
// with probability one half at 25 x 25 (the classic set and a tournament-sized set of the same
// kind from another seed), 30 x 30, 50 x 50 and 99 x 99, sparser 99 x 99 grids, lines of many
// short runs, grids with many solutions.  Every set is made from a fixed seed and solved once,
// one puzzle after another on one core, each puzzle with the program's two-second limit or,
// for the 30 x 30 set and the large random sets, ten seconds.  Counters: the whole set's time,
// the median, 99th percentile and slowest puzzle, how many ended in each verdict, and the
// process's peak memory so far.  With NGM_BENCH_CPU_CAP set, each puzzle's cap counts the
// solving thread's own processor time instead of the clock, so that a set measured on a busy
// machine settles what it would settle on a core of its own.  NGM_BENCH_SEARCH=probing or
// learning runs that search alone; NGM_BENCH_COUNT=N solves only the first N of each set;
// NGM_BENCH_CAP=S gives each puzzle S seconds instead; NGM_BENCH_VERBOSE writes each puzzle's
// verdict and seconds to standard error.
#include <benchmark/benchmark.h>
#include <pthread.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "puzzlegen/puzzle_kinds.h"
#include "solver/solver.h"

namespace {

using puzzlegen::Grid;
using MakeGrid = std::function<Grid(std::mt19937&)>;

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * v.size()))];
}

double ThreadSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// Solves on a thread of its own, cancelled once that thread has had `cap` seconds of processor
// time; the seconds returned are that processor time.
// NGM_BENCH_ONLY=3,17,42 solves only those puzzles of each set.
bool Chosen(int index) {
    const char* only = std::getenv("NGM_BENCH_ONLY");
    if (!only)
        return true;
    const std::string list = std::string(",") + only + ",";
    return list.find("," + std::to_string(index) + ",") != std::string::npos;
}

SearchMethod MethodAsked() {
    const char* asked = std::getenv("NGM_BENCH_SEARCH");
    const std::string method = asked ? asked : "";
    return method == "probing"    ? SearchMethod::Probing
           : method == "learning" ? SearchMethod::Learning
                                  : SearchMethod::Automatic;
}

SolveResult SolveWithinCpu(const Puzzle& puzzle, double cap, double& seconds) {
    std::atomic<bool> cancel{false};
    std::mutex guard;  // held while the thread's clock is read, so the thread outlives the read
    bool done = false;
    std::promise<clockid_t> clockOf;
    SolveResult result;
    std::thread solver([&] {
        clockid_t clock{};
        pthread_getcpuclockid(pthread_self(), &clock);
        clockOf.set_value(clock);
        SolveOptions options{10 * cap + 60};
        options.cancel = &cancel;
        options.search = MethodAsked();
        result = Solve(puzzle, options);
        std::lock_guard lock(guard);
        seconds = ThreadSeconds(clock);
        done = true;
    });
    const clockid_t clock = clockOf.get_future().get();
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::lock_guard lock(guard);
        if (done)
            break;
        if (ThreadSeconds(clock) >= cap)
            cancel = true;
    }
    solver.join();
    return result;
}

void SolveSet(benchmark::State& state, int width, int height, int count, std::uint32_t seed,
              double cap, const MakeGrid& make) {
    if (const char* asked = std::getenv("NGM_BENCH_COUNT"))
        count = std::clamp(std::atoi(asked), 1, count);
    if (const char* asked = std::getenv("NGM_BENCH_CAP"))
        cap = std::clamp(std::atof(asked), 0.1, 3600.0);
    std::mt19937 rng(seed);
    std::vector<Puzzle> puzzles;
    for (int i = 0; i < count; ++i) {
        Puzzle p = Puzzle::FromGrid(width, height, make(rng));
        p.answer.clear();  // solved as a file without its picture would be
        puzzles.push_back(std::move(p));
    }
    std::vector<double> seconds(count);
    std::vector<int> verdicts(5);
    double total = 0;
    const bool cpuCap = std::getenv("NGM_BENCH_CPU_CAP") != nullptr;
    const bool verbose = std::getenv("NGM_BENCH_VERBOSE") != nullptr;
    for (auto _ : state) {
        std::fill(verdicts.begin(), verdicts.end(), 0);
        total = 0;
        for (int i = 0; i < count; ++i) {
            if (!Chosen(i))
                continue;
            SolveResult r;
            if (cpuCap) {
                r = SolveWithinCpu(puzzles[i], cap, seconds[i]);
            } else {
                const auto start = std::chrono::steady_clock::now();
                r = Solve(puzzles[i], {cap, nullptr, MethodAsked()});
                seconds[i] =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            }
            total += seconds[i];
            if (verbose)
                std::fprintf(stderr, "%d %s %.3f\n", i, VerdictWord(r.verdict), seconds[i]);
            ++verdicts[static_cast<int>(r.verdict)];
            benchmark::DoNotOptimize(r.solution.data());
        }
    }
    state.counters["total_s"] = total;
    state.counters["median_ms"] = 1000 * Percentile(seconds, 0.5);
    state.counters["p99_ms"] = 1000 * Percentile(seconds, 0.99);
    state.counters["max_ms"] = 1000 * *std::max_element(seconds.begin(), seconds.end());
    const char* names[] = {"line", "unique", "multiple", "none", "timeout"};
    for (int v = 0; v < 5; ++v)
        state.counters[names[v]] = verdicts[v];
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = usage.ru_maxrss / 1024.0;
}

struct Set {
    const char* name;
    int side, count;
    std::uint32_t seed;
    double cap;  // seconds per puzzle
    MakeGrid make;
};

MakeGrid Random(int side, int percent) {
    return [=](std::mt19937& rng) { return puzzlegen::RandomFill(side, side, percent, rng); };
}

const bool registered = [] {
    const Set sets[] = {
        {"random25x25_p50_1000", 25, 1000, 2500u, 2, Random(25, 50)},
        {"tournament25x25_1000", 25, 1000, 2525u, 2, Random(25, 50)},
        {"random30x30_p50_100", 30, 100, 3000u, 10, Random(30, 50)},
        {"random50x50_p50_100", 50, 100, 5000u, 10, Random(50, 50)},
        {"random99x99_p50_30", 99, 30, 9900u, 10, Random(99, 50)},
        {"random99x99_p30_30", 99, 30, 9930u, 10, Random(99, 30)},
        {"sparse99x99_p10_30", 99, 30, 9910u, 2, Random(99, 10)},
        {"sparse99x99_p25_30", 99, 30, 9925u, 2, Random(99, 25)},
        {"shortruns50x50_30", 50, 30, 5002u, 2,
         [](std::mt19937& rng) { return puzzlegen::ShortRuns(50, 50, 2, rng); }},
        {"shortruns99x99_30", 99, 30, 9902u, 2,
         [](std::mt19937& rng) { return puzzlegen::ShortRuns(99, 99, 2, rng); }},
        {"switches99x99_30", 99, 30, 9903u, 2,
         [](std::mt19937& rng) { return puzzlegen::Switches(99, 99, 20, rng); }},
        {"permutation99_30", 99, 30, 9904u, 2,
         [](std::mt19937& rng) { return puzzlegen::Permutation(99, rng); }},
    };
    for (const Set& set : sets)
        benchmark::RegisterBenchmark(("SolveSet/" + std::string(set.name)).c_str(),
                                     [set](benchmark::State& state) {
                                         SolveSet(state, set.side, set.side, set.count, set.seed,
                                                  set.cap, set.make);
                                     })
            ->Iterations(1)
            ->Unit(benchmark::kSecond);
    return true;
}();

}  // namespace
