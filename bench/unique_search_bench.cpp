// The search for a puzzle with exactly one solution, from the picture's planes to the last
// suggestion, every band of all three block counts from the default settings: the sample
// pictures at the DrawBox size (260 x 260), photo-like ones with fine and with coarse grain
// (thousands of distinct grids), and 4000 x 4000 ones; counters first_ms and whole_ms give the
// time to the first suggestion and to the end of the search.  Then the fewest cell changes
// for every picture-like 20 x 20 test puzzle with several solutions, within the time the
// dialog gives them (median and slowest search, slowest first suggestion), and the same for
// their top 13 rows as 20 x 13 grids.  Last, a colour puzzle's search over colour counts and
// block counts from 4 colours and 30 blocks, with the time the window gives it.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "maker/band_search.h"
#include "maker/block_levels.h"
#include "maker/cell_search.h"
#include "session/colour_search.h"

namespace {

using Clock = std::chrono::steady_clock;

double Millis(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// The sample picture scaled to size x size and laid out as planes; white when it is missing.
ColumnBuffer SamplePlanes(const char* name, int size) {
    const QString path = QStringLiteral(NGM_SAMPLES "/") + QString::fromLatin1(name);
    QImage image(path);
    if (image.isNull()) {
        image = QImage(size, size, QImage::Format_RGB32);
        image.fill(Qt::white);
    }
    image = image.convertToFormat(QImage::Format_RGB32)
                .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ColumnBuffer planes;
    planes.Allocate(3 * size, size);
    for (int y = 0; y < size; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            planes[3 * x][y] = qRed(row[x]);
            planes[3 * x + 1][y] = qGreen(row[x]);
            planes[3 * x + 2][y] = qBlue(row[x]);
        }
    }
    return planes;
}

// A photo-like picture: smooth waves of light and shade over the whole range of gray, colour
// that varies by channel, and grain, so that nearly every band makes its own grid.  Coarse
// grain, as large as the blocks of N = 20, makes busy grids, most with several solutions.
ColumnBuffer PhotoPlanes(int size, int grain, bool coarse) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> phase(0, 6.283), freq(1.5, 6.0);
    struct Wave {
        double fx, fy, p;
    };
    std::vector<Wave> waves;
    for (int k = 0; k < 5; ++k)
        waves.push_back({freq(rng), freq(rng), phase(rng)});
    const int cell = coarse ? std::max(1, size / 20) : 1;
    const int cells = (size + cell - 1) / cell;
    std::vector<int> noise(static_cast<std::size_t>(cells) * cells);
    for (int& v : noise)
        v = static_cast<int>(rng() % (2 * grain + 1)) - grain;
    ColumnBuffer planes;
    planes.Allocate(3 * size, size);
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            double v = 0;
            for (const Wave& w : waves)
                v += std::sin(w.fx * x / size * 6.283 + w.fy * y / size * 6.283 + w.p);
            const int gray = static_cast<int>(128 + 25 * v) +
                             noise[static_cast<std::size_t>(y / cell) * cells + x / cell];
            for (int c = 0; c < 3; ++c)
                planes[3 * x + c][y] = std::clamp(gray + (c - 1) * 12, 0, 255);
        }
    }
    return planes;
}

// The whole search as the dialog runs it: levels, block levels, every band; from the default
// settings (band 0..250, N = 20).
void BandSearch(benchmark::State& state, const char* name, int size, int grain = 0,
                bool coarse = false, bool everyGrid = false) {
    const ColumnBuffer planes = name ? SamplePlanes(name, size) : PhotoPlanes(size, grain, coarse);
    double first = 0, whole = 0, firstMax = 0, wholeMax = 0;
    int suggestions = 0, grids = 0, judged = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        double firstAt = -1;
        const LevelPlane plane = MakeLevelPlane(planes);
        const std::vector<BlockLevels> levels = GatherBlockLevels(plane, kBlockCounts);
        SearchStart from{0, 250, 20, levels[2].Grid(0, 250), plane.width, plane.height};
        BandSearchEvents events;
        events.found = [&](const Suggestion&) {
            if (firstAt < 0)
                firstAt = Millis(start);
        };
        BandSearchOptions options;
        if (everyGrid)
            options.maxSuggestions = 1 << 30;
        const BandSearchResult r = SearchBands(levels, from, options, events);
        const double total = Millis(start);
        first += firstAt;
        whole += total;
        firstMax = std::max(firstMax, firstAt);
        wholeMax = std::max(wholeMax, total);
        suggestions = static_cast<int>(r.suggestions.size());
        grids = r.grids;
        judged = r.judged;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["first_ms"] = first / n;
    state.counters["first_max_ms"] = firstMax;
    state.counters["whole_ms"] = whole / n;
    state.counters["whole_max_ms"] = wholeMax;
    state.counters["grids"] = grids;
    state.counters["judged"] = judged;
    state.counters["suggestions"] = suggestions;
}

BENCHMARK_CAPTURE(BandSearch, house260, "house.ppm", 260)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BandSearch, heart260, "heart.ppm", 260)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BandSearch, smiley260, "smiley.ppm", 260)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BandSearch, photo260, nullptr, 260, 8)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BandSearch, grainy260, nullptr, 260, 60, true)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
// Every grid within the share judged, none left out for lying behind enough good ones.
BENCHMARK_CAPTURE(BandSearch, grainy260_every_grid, nullptr, 260, 60, true, true)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BandSearch, house4000, "house.ppm", 4000)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BandSearch, photo4000, nullptr, 4000, 8)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BandSearch, grainy4000, nullptr, 4000, 60, true)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

// The answer ("goal") of a .non file of the test puzzles.
std::vector<std::uint8_t> GoalOf(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    std::vector<std::uint8_t> cells;
    const std::size_t at = s.find("goal \"");
    for (std::size_t i = at == std::string::npos ? s.size() : at + 6; i < s.size() && s[i] != '"';
         ++i)
        cells.push_back(s[i] == '1');
    return cells;
}

// The fewest cell changes for every picture-like 20 x 20 test puzzle with several solutions,
// with the time the dialog gives it: the median and slowest search, the slowest first
// suggestion, and how many searches ended before their time with the fewest changes known.
// With rows < 20, the top rows of each (those that still have several solutions) as a
// 20 x rows grid cut by its own division, as a fitted or custom grid is.
void CellChanges(benchmark::State& state, int rows) {
    std::vector<std::vector<std::uint8_t>> answers;
    std::ifstream list(NGM_TEST_DATA "/puzzles/verdicts.tsv");
    std::string file, verdict;
    while (list >> file >> verdict) {
        if (file.rfind("blob20/", 0) != 0 || verdict != "multiple")
            continue;
        std::vector<std::uint8_t> goal = GoalOf(NGM_TEST_DATA "/puzzles/" + file);
        goal.resize(std::min<std::size_t>(goal.size(), 20 * rows));
        if (rows == 20 || Solve(Puzzle::FromGrid(20, rows, goal)).verdict == Verdict::Multiple)
            answers.push_back(std::move(goal));
    }
    std::vector<double> times(answers.size(), 1e9), firsts(answers.size(), 0);
    int complete = 0, found = 0;
    for (auto _ : state) {
        complete = found = 0;
        for (std::size_t k = 0; k < answers.size(); ++k) {
            SearchStart start{0, 250, 20, answers[k], 260, 260};
            CellSearchOptions options;
            options.seconds = 0.45;
            if (rows != 20)
                options.currentDivision = CanvasDivision(20, rows, 260, 13 * rows);
            const Clock::time_point began = Clock::now();
            double first = -1;
            CellSearchEvents events;
            events.found = [&](const Suggestion&) {
                if (first < 0)
                    first = Millis(began);
            };
            const CellSearchResult r = SearchCellChanges(start, options, events);
            times[k] = std::min(times[k], Millis(began));
            firsts[k] = std::max(firsts[k], first);
            complete += r.complete;
            found += !r.suggestions.empty();
        }
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    state.counters["puzzles"] = static_cast<double>(answers.size());
    state.counters["median_ms"] = sorted.empty() ? 0 : sorted[sorted.size() / 2];
    state.counters["max_ms"] = sorted.empty() ? 0 : sorted.back();
    state.counters["first_max_ms"] = *std::max_element(firsts.begin(), firsts.end());
    state.counters["found"] = found;
    state.counters["fewest_known"] = complete;
}

BENCHMARK_CAPTURE(CellChanges, square, 20)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CellChanges, wide20x13, 13)->Iterations(3)->Unit(benchmark::kMillisecond);

// Each colour count 2..8 with 5, 10, 20 and 30 blocks of the picture, analysed and judged, from
// the 4 colours and 30 blocks of the current puzzle; the photo-like picture's colours vary
// everywhere, so few of its grids have one solution and the search goes on longest.
void ColourSearch(benchmark::State& state, const char* name, int size) {
    Picture picture;
    picture.planes = name ? SamplePlanes(name, size) : PhotoPlanes(size, 8, false);
    picture.width = picture.height = size;
    AnalysisSettings current{0, 250, BlockChoice::Square(30)};
    current.colours = 4;
    ColourSearchOptions options;
    options.seconds = 10;  // as the window gives it
    double first = 0, whole = 0;
    int tried = 0, judged = 0, suggestions = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        double firstAt = -1;
        ColourSearchEvents events;
        events.found = [&](const Suggestion&) {
            if (firstAt < 0)
                firstAt = Millis(start);
        };
        const ColourSearchResult r = SearchColours(picture, current, options, events);
        whole += Millis(start);
        first += firstAt;
        tried = r.tried;
        judged = r.judged;
        suggestions = static_cast<int>(r.suggestions.size());
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["first_ms"] = first / n;
    state.counters["whole_ms"] = whole / n;
    state.counters["tried"] = tried;
    state.counters["judged"] = judged;
    state.counters["suggestions"] = suggestions;
}

BENCHMARK_CAPTURE(ColourSearch, house300, "house.ppm", 300)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ColourSearch, photo300, nullptr, 300)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
