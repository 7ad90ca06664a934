#include "session/colour_search.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <set>
#include <tuple>

namespace {

using Clock = std::chrono::steady_clock;

int IndexOf(const std::vector<int>& counts, int n) {
    return static_cast<int>(std::find(counts.begin(), counts.end(), n) - counts.begin());
}

Suggestion SuggestionOf(const AnalysisSettings& settings, const Puzzle& puzzle,
                        const SolveResult& r, const std::vector<std::uint8_t>& current) {
    Suggestion s;
    s.kind = SuggestionKind::Colours;
    s.lower = settings.lower;
    s.upper = settings.upper;
    s.n = settings.blocks.columns;
    s.colours = settings.colours;
    s.columns = puzzle.width;
    s.rows = puzzle.height;
    s.cells = puzzle.answer;
    s.palette = puzzle.palette;
    s.verdict = r.verdict;
    s.difficulty = r.difficulty;
    s.undecidedCount = r.undecidedCount;
    s.changedCells = -1;
    if (current.size() == s.cells.size()) {
        s.changedCells = 0;
        for (std::size_t k = 0; k < current.size(); ++k)
            s.changedCells += current[k] != s.cells[k];
        s.changedArea = s.cells.empty() ? 0 : double(s.changedCells) / double(s.cells.size());
    }
    s.filledPercent = ShareOf(s.cells).Percent();
    return s;
}

}  // namespace

std::vector<AnalysisSettings> ColourSearchOrder(const AnalysisSettings& current) {
    const BlockChoice& given = current.blocks;
    const std::vector<int> counts =
        given.custom ? std::vector<int>{given.columns} : SearchCounts(given.columns);
    const int at = IndexOf(counts, given.columns);
    std::vector<std::tuple<bool, int, int, int, int>> keys;
    for (int k = 2; k <= kMaxColours; ++k) {
        for (int c = 0; c < static_cast<int>(counts.size()); ++c) {
            const int steps = std::abs(k - current.colours) + std::abs(c - at);
            keys.emplace_back(c != at, steps, std::abs(k - current.colours), k, c);
        }
    }
    std::sort(keys.begin(), keys.end());
    std::vector<AnalysisSettings> order;
    for (const auto& [otherBlocks, steps, colourSteps, k, c] : keys) {
        AnalysisSettings s = current;
        s.colours = k;
        if (!given.custom)
            s.blocks = {counts[c], counts[c], false, given.fit};
        order.push_back(std::move(s));
    }
    return order;
}

ColourSearchResult SearchColours(const Picture& picture, const AnalysisSettings& current,
                                 const ColourSearchOptions& options,
                                 const ColourSearchEvents& events) {
    ColourSearchResult result;
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(options.seconds));
    const auto cancelled = [&] { return options.cancel && options.cancel->load(); };
    const std::vector<AnalysisSettings> order = ColourSearchOrder(current);
    const int total = static_cast<int>(order.size());
    std::vector<std::uint8_t> currentAnswer;
    std::set<std::tuple<int, int, std::vector<std::uint8_t>, std::vector<std::uint32_t>>> seen;
    ColumnBuffer binary;
    for (const AnalysisSettings& settings : order) {
        if (cancelled()) {
            result.cancelled = true;
            break;
        }
        if (options.seconds > 0 && Clock::now() >= deadline) {
            result.timedOut = true;
            break;
        }
        if (static_cast<int>(result.suggestions.size()) >= options.maxSuggestions)
            break;
        const Analysis analysis = Analyze(picture, settings, binary);
        ++result.tried;
        if (events.progress)
            events.progress(result.tried, total);
        const Puzzle& puzzle = analysis.puzzle;
        if (analysis.Refused())
            continue;
        if (settings == current)
            currentAnswer = puzzle.answer;
        if (!seen.emplace(puzzle.width, puzzle.height, puzzle.answer, puzzle.palette).second ||
            !IsPicture(ShareOf(puzzle.answer)) ||
            (options.accepts && !options.accepts(puzzle.answer, puzzle.width)))
            continue;
        SolveOptions solveOptions;
        solveOptions.timeoutSeconds = options.solveSeconds;
        solveOptions.cancel = options.cancel;
        const SolveResult r = Solve(puzzle, solveOptions);
        if (cancelled()) {
            result.cancelled = true;
            break;
        }
        ++result.judged;
        if (r.verdict != Verdict::Line && r.verdict != Verdict::Unique)
            continue;
        result.suggestions.push_back(SuggestionOf(settings, puzzle, r, currentAnswer));
        if (events.found)
            events.found(result.suggestions.back());
    }
    return result;
}
