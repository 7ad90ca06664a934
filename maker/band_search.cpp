#include "maker/band_search.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <unordered_map>

namespace {

using Key = std::vector<std::uint64_t>;

struct KeyHash {
    std::size_t operator()(const Key& key) const {
        std::uint64_t h = 0x9e3779b97f4a7c15ull;
        for (std::uint64_t w : key) {
            h ^= w + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
            h *= 0xff51afd7ed558ccdull;
        }
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

// One distinct grid of one block count, with the band nearest the current one that makes it.
struct Candidate {
    int level = 0;  // index of its block count in the levels
    int lower = 0;
    int upper = 0;
    int bandDistance = 0;
    Key key;
    std::vector<std::uint8_t> cells;
    FilledShare share;
    double changedArea = 0;
    int changedCells = -1;
};

int BandDistance(const SearchStart& start, int lower, int upper) {
    return std::abs(lower - start.lower) + std::abs(upper - start.upper);
}

// Every distinct grid of one block count over all bands.  For a fixed lower bound a block
// turns black at the first upper bound whose in-band count reaches its black count and stays
// black above it (the totals only grow), so sorting the blocks by that bound walks through
// every grid of that lower bound, one block at a time.
void CollectGrids(const BlockLevels& levels, int levelIndex, const SearchStart& start,
                  std::vector<Candidate>& candidates) {
    const BlockLayout& layout = levels.Layout();
    const int stride = layout.gridColumns;
    const int blocks = layout.columns * layout.rows;
    const std::size_t words = (layout.Cells() + 63) / 64;
    std::unordered_map<Key, std::size_t, KeyHash> seen;
    std::vector<std::pair<int, int>> turns(blocks);  // (upper bound it turns black at, cell)
    Key key(words);

    const auto record = [&](int lower, int upper) {
        const int distance = BandDistance(start, lower, upper);
        auto [it, added] = seen.try_emplace(key, candidates.size());
        if (added) {
            Candidate c;
            c.level = levelIndex;
            c.lower = lower;
            c.upper = upper;
            c.bandDistance = distance;
            c.key = key;
            candidates.push_back(std::move(c));
            return;
        }
        Candidate& c = candidates[it->second];
        if (std::tie(distance, lower, upper) < std::tie(c.bandDistance, c.lower, c.upper)) {
            c.lower = lower;
            c.upper = upper;
            c.bandDistance = distance;
        }
    };

    for (int lower = 0; lower < kTopLevel; ++lower) {
        for (int k = 0; k < blocks; ++k) {
            const int i = k / layout.rows, j = k % layout.rows;
            const std::int32_t* totals = levels.Totals(i, j);
            const std::int32_t target = totals[lower] + levels.BlackCount(i, j);
            const int turn = static_cast<int>(
                std::lower_bound(totals + lower + 1, totals + kTopLevel + 1, target) - totals);
            turns[k] = {turn, j * stride + i};
        }
        std::sort(turns.begin(), turns.end());
        std::fill(key.begin(), key.end(), 0);
        std::size_t next = 0;
        for (int from = lower + 1; from <= kTopLevel;) {
            while (next < turns.size() && turns[next].first <= from) {
                const int cell = turns[next++].second;
                key[cell / 64] |= std::uint64_t{1} << (cell % 64);
            }
            // The grid holds for uppers in [from, to).
            const int to =
                next < turns.size() ? std::min(turns[next].first, kTopLevel + 1) : kTopLevel + 1;
            record(lower, std::clamp(start.upper, from, to - 1));
            from = to;
        }
    }
}

// Where the blocks of the current puzzle and those of one block count overlap on the canvas:
// each pair of cells that share pixels, with their number; -1 for the white outside a grid's
// whole blocks.  The area a grid changes is then a sum over these instead of a pass over
// the canvas's finest pieces.
struct Overlap {
    int current = -1;
    int cell = -1;
    long long area = 0;
};

std::vector<Overlap> Overlaps(const BlockLayout& current, const BlockLayout& layout) {
    const BlockDivision& dc = current.division;
    const BlockDivision& dl = layout.division;
    const std::vector<int> xs = MergedEdges(dc.xs, dl.xs);
    const std::vector<int> ys = MergedEdges(dc.ys, dl.ys);
    std::unordered_map<long long, std::size_t> index;
    std::vector<Overlap> overlaps;
    for (std::size_t u = 0; u + 1 < xs.size(); ++u) {
        for (std::size_t v = 0; v + 1 < ys.size(); ++v) {
            const int ia = dc.ColumnAt(xs[u]);
            const int ja = dc.RowAt(ys[v]);
            const int ib = dl.ColumnAt(xs[u]);
            const int jb = dl.RowAt(ys[v]);
            const int a = ia >= 0 && ja >= 0 ? ja * current.gridColumns + ia : -1;
            const int b = ib >= 0 && jb >= 0 ? jb * layout.gridColumns + ib : -1;
            if (a < 0 && b < 0)
                continue;
            const long long area = static_cast<long long>(xs[u + 1] - xs[u]) * (ys[v + 1] - ys[v]);
            const long long key = (static_cast<long long>(a) + 1) * 1000003LL + (b + 1);
            auto [it, added] = index.try_emplace(key, overlaps.size());
            if (added)
                overlaps.push_back({a, b, 0});
            overlaps[it->second].area += area;
        }
    }
    return overlaps;
}

long long ChangedArea(const std::vector<Overlap>& overlaps,
                      const std::vector<std::uint8_t>& current,
                      const std::vector<std::uint8_t>& cells) {
    long long area = 0;
    for (const Overlap& o : overlaps) {
        const bool was = o.current >= 0 && current[o.current];
        const bool now = o.cell >= 0 && cells[o.cell];
        area += was != now ? o.area : 0;
    }
    return area;
}

std::vector<std::uint8_t> Unpack(const Key& key, const BlockLayout& layout) {
    std::vector<std::uint8_t> cells(layout.Cells());
    for (std::size_t c = 0; c < cells.size(); ++c)
        cells[c] = (key[c / 64] >> (c % 64)) & 1;
    return cells;
}

// The order in which candidates are judged: nearest the current puzzle first, so that the
// first suggestions come early and are already good ones.
auto JudgeOrder(const Candidate& c, const SearchStart& start, int n) {
    return std::make_tuple(c.changedArea, c.bandDistance, std::abs(n - start.n), n, c.lower,
                           c.upper);
}

class BandRun {
public:
    BandRun(std::span<const BlockLevels> levels, const SearchStart& start,
            const BandSearchOptions& options, const BandSearchEvents& events,
            BandSearchResult& result)
        : levels_(levels), start_(start), options_(options), events_(events), result_(result) {}

    // Judges the candidates in order; false when cancelled.
    bool Judge(const std::vector<Candidate*>& order, bool withinShare) {
        for (const Candidate* c : order) {
            if (Cancelled())
                return false;
            if (EnoughBefore(*c))
                break;
            const BlockLayout& layout = levels_[c->level].Layout();
            SolveOptions solveOptions;
            solveOptions.timeoutSeconds = options_.solveSeconds;
            solveOptions.cancel = options_.cancel;
            const SolveResult r = Solve(
                Puzzle::FromGrid(layout.gridColumns, layout.gridRows, c->cells), solveOptions);
            if (Cancelled())
                return false;
            ++result_.judged;
            ++done_;
            Suggestion s = Suggest(*c, r, withinShare);
            if (s.IsUnique()) {
                Keep(std::move(s));
            } else if (r.verdict == Verdict::Multiple && BetterBest(s)) {
                result_.hasBest = true;
                result_.best = std::move(s);
            }
            if (events_.progress)
                events_.progress(done_, total_);
        }
        return true;
    }

    void AddToTotal(int count) { total_ += count; }
    int Done() const { return done_; }

private:
    bool Cancelled() const { return options_.cancel && options_.cancel->load(); }

    // True when the kept suggestions are all line-solvable and every one of them lies nearer
    // than `next`: nothing judged from here on can displace them.
    bool EnoughBefore(const Candidate& next) const {
        const auto& kept = result_.suggestions;
        if (static_cast<int>(kept.size()) < options_.maxSuggestions || kept.empty())
            return false;
        const Suggestion& last = kept.back();
        if (last.verdict != Verdict::Line)
            return false;
        const int nextN = levels_[next.level].N();
        return std::make_tuple(last.changedArea, last.bandDistance, std::abs(last.n - start_.n)) <
               std::make_tuple(next.changedArea, next.bandDistance, std::abs(nextN - start_.n));
    }

    Suggestion Suggest(const Candidate& c, const SolveResult& r, bool withinShare) const {
        Suggestion s;
        s.kind = SuggestionKind::Band;
        s.lower = c.lower;
        s.upper = c.upper;
        s.n = levels_[c.level].N();
        s.columns = levels_[c.level].Layout().gridColumns;
        s.rows = levels_[c.level].Layout().gridRows;
        s.cells = c.cells;
        s.verdict = r.verdict;
        s.difficulty = r.difficulty;
        s.undecidedCount = r.undecidedCount;
        s.changedCells = c.changedCells;
        s.changedArea = c.changedArea;
        s.bandDistance = c.bandDistance;
        s.filledPercent = c.share.Percent();
        s.withinShare = withinShare;
        return s;
    }

    // The best of the grids without one solution: within the share before outside it, then
    // the fewest undecided cells.
    bool BetterBest(const Suggestion& s) const {
        const Suggestion& b = result_.best;
        return !result_.hasBest || std::make_pair(!s.withinShare, s.undecidedCount) <
                                       std::make_pair(!b.withinShare, b.undecidedCount);
    }

    void Keep(Suggestion s) {
        auto& kept = result_.suggestions;
        const int n = start_.n;
        const auto at = std::upper_bound(
            kept.begin(), kept.end(), s,
            [n](const Suggestion& a, const Suggestion& b) { return RanksBefore(a, b, n); });
        if (at - kept.begin() >= options_.maxSuggestions)
            return;
        if (events_.found)
            events_.found(s);
        kept.insert(at, std::move(s));
        if (static_cast<int>(kept.size()) > options_.maxSuggestions)
            kept.pop_back();
    }

    std::span<const BlockLevels> levels_;
    const SearchStart& start_;
    const BandSearchOptions& options_;
    const BandSearchEvents& events_;
    BandSearchResult& result_;
    int done_ = 0;
    int total_ = 0;
};

}  // namespace

BandSearchResult SearchBands(std::span<const BlockLevels> levels, const SearchStart& start,
                             const BandSearchOptions& options, const BandSearchEvents& events) {
    BandSearchResult result;
    std::vector<Candidate> candidates;
    for (std::size_t li = 0; li < levels.size(); ++li) {
        if (levels[li].N() > 0)
            CollectGrids(levels[li], static_cast<int>(li), start, candidates);
    }

    const BlockLayout current = options.currentDivision
                                    ? BlockLayout::OfDivision(start.n, *options.currentDivision)
                                    : BlockLayout::Of(start.n, start.width, start.height);
    const bool hasCurrent = current.Cells() > 0 && start.answer.size() == current.Cells();
    const std::vector<std::uint8_t> blank(current.Cells());
    // The grid of the current puzzle's own blocks, which alone can be compared cell by cell.
    const auto isCurrent = [&current](const BlockLayout& layout) {
        return layout.division == current.division && layout.gridColumns == current.gridColumns &&
               layout.gridRows == current.gridRows;
    };
    const std::vector<std::uint8_t>& answer = hasCurrent ? start.answer : blank;
    const FilledShare currentShare = ShareOf(answer);
    const double canvas = static_cast<double>(start.width) * start.height;

    std::vector<std::vector<Overlap>> overlaps;
    for (const BlockLevels& b : levels)
        overlaps.push_back(Overlaps(current, b.Layout()));

    std::vector<Candidate*> within, outside;
    for (Candidate& c : candidates) {
        const BlockLayout& layout = levels[c.level].Layout();
        c.cells = Unpack(c.key, layout);
        c.share = ShareOf(c.cells);
        if (!IsPicture(c.share) || (isCurrent(layout) && c.cells == answer) ||
            (options.accepts && !options.accepts(c.cells, layout.gridColumns)))
            continue;
        ++result.grids;
        c.changedArea = canvas > 0 ? ChangedArea(overlaps[c.level], answer, c.cells) / canvas : 0;
        if (isCurrent(layout)) {
            c.changedCells = 0;
            for (std::size_t k = 0; k < c.cells.size(); ++k)
                c.changedCells += c.cells[k] != answer[k];
        }
        (ShareWithin(c.share, currentShare) ? within : outside).push_back(&c);
    }
    const auto byOrder = [&](const Candidate* a, const Candidate* b) {
        return JudgeOrder(*a, start, levels[a->level].N()) <
               JudgeOrder(*b, start, levels[b->level].N());
    };
    std::sort(within.begin(), within.end(), byOrder);
    std::sort(outside.begin(), outside.end(), byOrder);

    BandRun run(levels, start, options, events, result);
    run.AddToTotal(static_cast<int>(within.size()));
    if (!run.Judge(within, true)) {
        result.cancelled = true;
        return result;
    }
    // Only when nothing within the share has one solution are the others looked at.
    if (result.suggestions.empty() && !outside.empty()) {
        run.AddToTotal(static_cast<int>(outside.size()));
        if (!run.Judge(outside, false)) {
            result.cancelled = true;
            return result;
        }
        result.onlyOutsideShare = !result.suggestions.empty();
    }
    if (!result.suggestions.empty())
        result.hasBest = false;
    return result;
}
