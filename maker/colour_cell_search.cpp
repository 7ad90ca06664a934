#include "maker/colour_cell_search.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <set>

namespace {

using Clock = std::chrono::steady_clock;

struct Grid {
    std::vector<std::uint8_t> cells;
    std::vector<int> changed;  // sorted
    SolveResult result;
};

class Search {
public:
    Search(const Puzzle& puzzle, const ColourCellSearchOptions& options)
        : m_puzzle(puzzle),
          m_options(options),
          m_start(Clock::now()),
          m_current(ShareOf(puzzle.answer)) {}

    // False once the time is up or the search is cancelled.
    bool Going() const {
        if (m_options.cancel && m_options.cancel->load())
            return false;
        return m_options.seconds <= 0 || Elapsed() < m_options.seconds;
    }
    bool Cancelled() const { return m_options.cancel && m_options.cancel->load(); }

    SolveResult Judge(const std::vector<std::uint8_t>& cells) {
        ++m_judged;
        return Solve(
            Puzzle::FromColourGrid(m_puzzle.width, m_puzzle.height, cells, m_puzzle.palette),
            JudgementWithin(m_options.solveSeconds, m_options.seconds, Elapsed(),
                            m_options.cancel));
    }

    Suggestion SuggestionOf(const Grid& grid) const {
        Suggestion s;
        s.kind = SuggestionKind::Cells;
        s.n = m_options.n > 0 ? m_options.n : m_puzzle.width;
        s.columns = m_puzzle.width;
        s.rows = m_puzzle.height;
        s.cells = grid.cells;
        s.changed = grid.changed;
        s.verdict = grid.result.verdict;
        s.difficulty = grid.result.difficulty;
        s.undecidedCount = grid.result.undecidedCount;
        s.changedCells = static_cast<int>(grid.changed.size());
        s.changedArea = static_cast<double>(grid.changed.size()) / m_puzzle.CellCount();
        const FilledShare share = ShareOf(grid.cells);
        s.filledPercent = share.Percent();
        s.withinShare = ShareWithin(share, m_current);
        return s;
    }

    // Every grid one change away from `from` at its undecided cells, not seen before: the
    // unique pictures go to `unique`, the others that still have several solutions to `next`.
    void Round(const Grid& from, std::vector<Suggestion>& unique, std::vector<Grid>& next,
               const CellSearchEvents& events) {
        const std::vector<std::uint8_t>& undecided = from.result.undecided;
        for (int cell = 0; cell < static_cast<int>(undecided.size()) && Going(); ++cell) {
            if (!undecided[cell] ||
                std::binary_search(from.changed.begin(), from.changed.end(), cell))
                continue;
            for (int colour = 0; colour <= m_puzzle.ColourCount() && Going(); ++colour) {
                if (colour == from.cells[cell])
                    continue;
                Grid grid{from.cells, from.changed, {}};
                grid.cells[cell] = static_cast<std::uint8_t>(colour);
                grid.changed.insert(
                    std::upper_bound(grid.changed.begin(), grid.changed.end(), cell), cell);
                if (!m_seen.insert(grid.cells).second)
                    continue;
                grid.result = Judge(grid.cells);
                const bool picture = IsPicture(ShareOf(grid.cells));
                if (grid.result.verdict == Verdict::Line ||
                    grid.result.verdict == Verdict::Unique) {
                    if (picture) {
                        unique.push_back(SuggestionOf(grid));
                        if (events.found)
                            events.found(unique.back());
                    }
                } else if (grid.result.verdict == Verdict::Multiple) {
                    next.push_back(std::move(grid));
                }
            }
        }
    }

    int Judged() const { return m_judged; }

private:
    double Elapsed() const { return std::chrono::duration<double>(Clock::now() - m_start).count(); }

    const Puzzle& m_puzzle;
    const ColourCellSearchOptions& m_options;
    Clock::time_point m_start;
    FilledShare m_current;
    std::set<std::vector<std::uint8_t>> m_seen;
    int m_judged = 0;
};

bool FewerUndecided(const Grid& a, const Grid& b) {
    return a.result.undecidedCount < b.result.undecidedCount;
}

}  // namespace

CellSearchResult SearchColourCellChanges(const Puzzle& puzzle,
                                         const ColourCellSearchOptions& options,
                                         const CellSearchEvents& events) {
    CellSearchResult result;
    if (!puzzle.IsColour() || !puzzle.HasAnswer())
        return result;
    Search search(puzzle, options);
    std::vector<Grid> kept{Grid{puzzle.answer, {}, search.Judge(puzzle.answer)}};
    const Verdict first = kept[0].result.verdict;
    if (first == Verdict::Line || first == Verdict::Unique) {
        result.alreadyUnique = result.complete = true;
    } else if (first == Verdict::Multiple) {
        std::optional<Grid> best;
        for (int round = 1; round <= options.maxChanges && search.Going(); ++round) {
            if (events.progress)
                events.progress(round);
            std::vector<Grid> next;
            for (const Grid& grid : kept)
                search.Round(grid, result.suggestions, next, events);
            if (!result.suggestions.empty())
                break;
            std::sort(next.begin(), next.end(), FewerUndecided);
            if (!next.empty() && (!best || FewerUndecided(next.front(), *best)))
                best = next.front();
            next.resize(std::min<std::size_t>(next.size(), std::max(1, options.kept)));
            kept = std::move(next);
        }
        if (result.suggestions.empty() && best) {
            result.hasBest = true;
            result.best = search.SuggestionOf(*best);
        }
    }
    const int n = options.n > 0 ? options.n : puzzle.width;
    std::sort(result.suggestions.begin(), result.suggestions.end(),
              [n](const Suggestion& a, const Suggestion& b) { return RanksBefore(a, b, n); });
    if (static_cast<int>(result.suggestions.size()) > options.maxSuggestions)
        result.suggestions.resize(static_cast<std::size_t>(std::max(0, options.maxSuggestions)));
    result.onlyOutsideShare = !result.suggestions.empty() &&
                              std::none_of(result.suggestions.begin(), result.suggestions.end(),
                                           [](const Suggestion& s) { return s.withinShare; });
    result.judged = search.Judged();
    result.cancelled = search.Cancelled();
    return result;
}
