#include "maker/cell_search.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <map>
#include <numeric>
#include <unordered_map>

#include "maker/block_levels.h"

#include "maker/cell_search_parts.h"

namespace {

using namespace cell_search;

class CellRun {
public:
    CellRun(const SearchStart& start, const BlockLayout& layout, const CellSearchOptions& options,
            const CellSearchEvents& events, CellSearchResult& result)
        : start_(start),
          options_(options),
          events_(events),
          result_(result),
          shape_{layout.gridColumns, layout.gridRows},
          grid_(start.answer),
          share_(ShareOf(start.answer)),
          layout_(layout),
          began_(Clock::now()),
          lines_(shape_.Lines(), 0) {
        for (int c = 0; c < shape_.Cells(); ++c) {
            grid_[c] = grid_[c] ? 1 : 0;
            if (grid_[c]) {
                lines_[shape_.Row(c)] |= LineBits{1} << shape_.X(c);
                lines_[shape_.Column(c)] |= LineBits{1} << shape_.Y(c);
            }
        }
    }

    void Run() {
        const std::vector<int> none;
        const Judged& original = JudgeNow(none);
        if (original.verdict == Verdict::Line || original.verdict == Verdict::Unique) {
            result_.alreadyUnique = true;
            result_.complete = true;
            return;
        }
        if (stop_ == Stop::Cancel) {
            result_.cancelled = true;
            return;
        }
        roots_ = judged_[none].swaps;
        AddSwitches(roots_);

        // With a time limit, first a quick dive for some answer to fall back on, in case the
        // limit ends the search before the fewest changes are known.
        if (options_.seconds > 0) {
            diving_ = true;
            std::vector<int> changes;
            Visit(changes, Bits(shape_.Cells()), options_.maxChanges);
            diving_ = false;
            if (stop_ == Stop::Enough)
                stop_ = Stop::None;
        }

        bool finished = stop_ == Stop::None;
        for (int limit = 1; limit <= options_.maxChanges && stop_ == Stop::None; ++limit) {
            if (events_.progress)
                events_.progress(limit);
            std::vector<int> changes;
            Visit(changes, Bits(shape_.Cells()), limit);
            if (stop_ == Stop::Time || stop_ == Stop::Cancel) {
                // Sets found at this size are still the fewest: every smaller size was done.
                finished = false;
                break;
            }
            if (!result_.suggestions.empty())
                break;
        }
        result_.cancelled = stop_ == Stop::Cancel;
        result_.complete = !result_.suggestions.empty() || finished;
        if (result_.suggestions.empty() && !dive_.empty()) {
            // The time ran out before the dive's size was reached: its answer may not be
            // the fewest changes.
            result_.suggestions = std::move(dive_);
            result_.complete = false;
            if (events_.found)
                events_.found(result_.suggestions.front());
        }
        if (result_.suggestions.empty() && !outside_.empty()) {
            result_.suggestions = std::move(outside_);
            result_.onlyOutsideShare = true;
        }
        if (result_.suggestions.empty() && !result_.hasBest && stop_ != Stop::Cancel)
            JudgeSingleChanges();
        const int n = start_.n;
        std::stable_sort(
            result_.suggestions.begin(), result_.suggestions.end(),
            [n](const Suggestion& a, const Suggestion& b) { return RanksBefore(a, b, n); });
        if (!result_.suggestions.empty())
            result_.hasBest = false;
    }

private:
    // 2 x 2 switches of the answer: two filled cells on one diagonal of a rectangle, two
    // empty ones on the other, whose rows and columns keep their runs when the diagonals
    // change places.  They are the commonest swaps; knowing them all from the start spares the
    // solver every set of changes that leaves one of them.
    void AddSwitches(std::vector<int>& ids) {
        const int rows = shape_.rows, columns = shape_.columns;
        for (int r1 = 0; r1 < rows; ++r1) {
            for (int r2 = r1 + 1; r2 < rows; ++r2) {
                for (int c1 = 0; c1 < columns; ++c1) {
                    for (int c2 = c1 + 1; c2 < columns; ++c2) {
                        const int a = shape_.At(c1, r1), b = shape_.At(c2, r1);
                        const int c = shape_.At(c1, r2), d = shape_.At(c2, r2);
                        if (grid_[a] != grid_[d] || grid_[b] != grid_[c] || grid_[a] == grid_[b])
                            continue;
                        if (static_cast<int>(ids.size()) >= kMaxSwitches)
                            return;
                        Swap s;
                        s.lines.assign(shape_.Lines(), 0);
                        for (int cell : {a, b, c, d})
                            s.Add(cell, shape_);
                        if (!SameRuns(s, r1) || !SameRuns(s, r2) || !SameRuns(s, rows + c1) ||
                            !SameRuns(s, rows + c2))
                            continue;
                        for (int cell : order_)
                            if (s.Runs(cell, shape_))
                                s.cover.push_back(cell);
                        ids.push_back(static_cast<int>(swaps_.size()));
                        swaps_.push_back(std::move(s));
                    }
                }
            }
        }
    }

    // The cells most worth changing first: those the solver could not decide, then the
    // other cells of their rows and columns, then the rest.
    void OrderCells(const std::vector<std::uint8_t>& undecided) {
        const int cells = shape_.Cells();
        std::vector<std::uint8_t> lines(shape_.Lines(), 0);
        for (int c = 0; c < cells; ++c) {
            if (c < static_cast<int>(undecided.size()) && undecided[c])
                lines[shape_.Row(c)] = lines[shape_.Column(c)] = 1;
        }
        std::vector<int> rank(cells);
        for (int c = 0; c < cells; ++c) {
            const bool open = c < static_cast<int>(undecided.size()) && undecided[c];
            rank[c] = open ? 0 : (lines[shape_.Row(c)] || lines[shape_.Column(c)]) ? 1 : 2;
        }
        order_.resize(cells);
        std::iota(order_.begin(), order_.end(), 0);
        std::stable_sort(order_.begin(), order_.end(),
                         [&rank](int a, int b) { return rank[a] < rank[b]; });
    }

    // Nothing was found and the known swaps spared the solver every set: the most promising
    // single changes are judged, for the one that leaves the fewest cells undecided.
    void JudgeSingleChanges() {
        for (std::size_t k = 0; k < order_.size() && k < kBestJudgements; ++k) {
            const std::vector<int> one{order_[k]};
            if (judged_.count(one))
                continue;
            Flip(order_[k]);
            if (JudgeNow(one).outcome == Outcome::Accepted)
                Found(one);
            Flip(order_[k]);
        }
    }

    double Elapsed() const { return std::chrono::duration<double>(Clock::now() - began_).count(); }

    bool Stopped() {
        if (stop_ != Stop::None)
            return true;
        if (options_.cancel && options_.cancel->load())
            stop_ = Stop::Cancel;
        else if (options_.seconds > 0 && Elapsed() > options_.seconds)
            stop_ = Stop::Time;
        else if (diving_ && Elapsed() > options_.seconds * kDiveShare)
            stop_ = Stop::Enough;
        return stop_ != Stop::None;
    }

    // Every set of up to `limit` changes that contains `changes`, avoids `excluded` and can
    // still break every swap; each set is visited once.
    void Visit(std::vector<int>& changes, Bits excluded, int limit) {
        if (Stopped())
            return;
        const Evaluation e = Evaluate(changes);
        if (e.outcome == Outcome::Accepted) {
            Found(changes);
            return;
        }
        if (e.outcome == Outcome::NotPicture)
            FoundOutside(changes);
        if (stop_ != Stop::None || static_cast<int>(changes.size()) >= limit)
            return;
        // A swap that still works must be broken by a cell of its cover; without one (the
        // solver gave no answer, or a unique grid was no picture) any cell may help.
        const int swap = e.swap;
        const std::size_t count = swap >= 0 ? swaps_[swap].cover.size() : order_.size();
        for (std::size_t k = 0; k < count; ++k) {
            // swaps_ grows below: index it afresh each time.
            const int c = swap >= 0 ? swaps_[swap].cover[k] : order_[k];
            if (excluded.Test(c) || std::binary_search(changes.begin(), changes.end(), c))
                continue;
            changes.insert(std::upper_bound(changes.begin(), changes.end(), c), c);
            Flip(c);
            Visit(changes, excluded, limit);
            Flip(c);
            changes.erase(std::lower_bound(changes.begin(), changes.end(), c));
            if (stop_ != Stop::None)
                return;
            excluded.Set(c);
        }
    }

    // Finds a known swap that still works on the grid of `changes`, the one with the smallest
    // cover; else judges the grid.
    Evaluation Evaluate(const std::vector<int>& changes) {
        Evaluation e;
        std::size_t smallest = SIZE_MAX;
        const auto consider = [&](int id) {
            if (swaps_[id].cover.size() < smallest && StillSwaps(swaps_[id], changes)) {
                smallest = swaps_[id].cover.size();
                e.swap = id;
            }
        };
        for (int id : roots_)
            consider(id);
        std::vector<int> fewer;
        for (std::size_t k = 0; k < changes.size(); ++k) {
            fewer = changes;
            fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(k));
            const auto it = judged_.find(fewer);
            if (it != judged_.end())
                for (int id : it->second.swaps)
                    consider(id);
        }
        if (e.swap >= 0) {
            e.outcome = Outcome::Swappable;
            return e;
        }
        const auto it = judged_.find(changes);
        if (it == judged_.end()) {
            // Swaps found on other branches often survive here too; the latest ones first.
            for (auto id = swaps_.size(); id-- > 0 && swaps_.size() - id <= kRecentSwaps;) {
                if (StillSwaps(swaps_[id], changes)) {
                    e.outcome = Outcome::Swappable;
                    e.swap = static_cast<int>(id);
                    return e;
                }
            }
        }
        const Judged& j = it != judged_.end() ? it->second : JudgeNow(changes);
        e.outcome = j.outcome;
        for (int id : j.swaps)
            consider(id);
        return e;
    }

    // True when the swap, found for the grid of its own changes, still works on the grid of
    // `changes`: every line it runs through that the two sets of changes treat differently
    // keeps its runs.
    bool StillSwaps(const Swap& s, const std::vector<int>& changes) const {
        const auto keeps = [&](int c) {
            return SameRuns(s, shape_.Row(c)) && SameRuns(s, shape_.Column(c));
        };
        // The cells in one set of changes but not the other, both sets sorted.
        auto a = s.changes.begin(), b = changes.begin();
        while (a != s.changes.end() || b != changes.end()) {
            if (b == changes.end() || (a != s.changes.end() && *a < *b)) {
                if (!keeps(*a++))
                    return false;
            } else if (a == s.changes.end() || *b < *a) {
                if (!keeps(*b++))
                    return false;
            } else {
                ++a, ++b;
            }
        }
        return true;
    }

    // The line has the same runs in the working grid with and without the swap.
    bool SameRuns(const Swap& s, int line) const {
        return s.lines[line] == 0 || SameRunLengths(lines_[line], lines_[line] ^ s.lines[line]);
    }

    void Flip(int cell) {
        grid_[cell] ^= 1;
        lines_[shape_.Row(cell)] ^= LineBits{1} << shape_.X(cell);
        lines_[shape_.Column(cell)] ^= LineBits{1} << shape_.Y(cell);
    }

    const Judged& JudgeNow(const std::vector<int>& changes) {
        const SolveOptions solveOptions =
            JudgementWithin(options_.solveSeconds, options_.seconds, Elapsed(), options_.cancel);
        const SolveResult r =
            Solve(Puzzle::FromGrid(shape_.columns, shape_.rows, grid_), solveOptions);
        if (options_.cancel && options_.cancel->load())
            stop_ = Stop::Cancel;
        ++result_.judged;
        if (diving_ && ++diveJudged_ >= kDiveJudgements)
            stop_ = Stop::Enough;
        Judged& j = judged_[changes];
        j.verdict = r.verdict;
        j.difficulty = r.difficulty;
        j.undecidedCount = r.undecidedCount;
        if (changes.empty())
            OrderCells(r.undecided);
        if (r.verdict == Verdict::Line || r.verdict == Verdict::Unique) {
            const FilledShare share = ShareOf(grid_);
            const bool picture = IsPicture(share) && ShareWithin(share, share_);
            j.outcome = picture ? Outcome::Accepted : Outcome::NotPicture;
        } else if (r.verdict == Verdict::Multiple) {
            j.outcome = Outcome::Swappable;
            AddSwaps(changes, r.differing, j.swaps);
            if (!changes.empty() &&
                (!result_.hasBest || r.undecidedCount < result_.best.undecidedCount)) {
                result_.hasBest = true;
                result_.best = Make(changes, j, true);
            }
        }
        return j;
    }

    // The differing cells of a second solution, split where they share no row or column:
    // each part alone is a swap too, with a smaller cover.
    void AddSwaps(const std::vector<int>& changes, const std::vector<int>& differing,
                  std::vector<int>& ids) {
        const int m = static_cast<int>(differing.size());
        std::vector<int> parent(m);
        std::iota(parent.begin(), parent.end(), 0);
        const auto root = [&parent](int i) {
            while (parent[i] != i)
                i = parent[i] = parent[parent[i]];
            return i;
        };
        std::vector<int> firstInLine(shape_.Lines(), -1);
        for (int i = 0; i < m; ++i) {
            for (int line : {shape_.Row(differing[i]), shape_.Column(differing[i])}) {
                if (firstInLine[line] < 0)
                    firstInLine[line] = i;
                else
                    parent[root(i)] = root(firstInLine[line]);
            }
        }
        std::map<int, int> swapOfRoot;
        for (int i = 0; i < m; ++i) {
            auto [it, added] = swapOfRoot.try_emplace(root(i), static_cast<int>(swaps_.size()));
            if (added) {
                Swap s;
                s.changes = changes;
                s.lines.assign(shape_.Lines(), 0);
                swaps_.push_back(std::move(s));
                ids.push_back(it->second);
            }
            swaps_[it->second].Add(differing[i], shape_);
        }
        for (int id : ids) {
            Swap& s = swaps_[id];
            for (int c : order_)
                if (s.Runs(c, shape_))
                    s.cover.push_back(c);
        }
    }

    Suggestion Make(const std::vector<int>& changes, const Judged& j, bool withinShare) const {
        Suggestion s;
        s.kind = SuggestionKind::Cells;
        s.lower = start_.lower;
        s.upper = start_.upper;
        s.n = start_.n;
        s.columns = shape_.columns;
        s.rows = shape_.rows;
        s.cells = grid_;
        s.changed = changes;
        s.verdict = j.verdict;
        s.difficulty = j.difficulty;
        s.undecidedCount = j.undecidedCount;
        s.changedCells = static_cast<int>(changes.size());
        const double canvas = static_cast<double>(start_.width) * start_.height;
        s.changedArea = canvas > 0 ? DifferingArea(grid_, layout_, start_.answer, layout_) / canvas
                                   : static_cast<double>(changes.size()) / shape_.Cells();
        s.filledPercent = ShareOf(grid_).Percent();
        s.withinShare = withinShare;
        return s;
    }

    static bool Holds(const std::vector<Suggestion>& list, const std::vector<int>& changes) {
        return std::any_of(list.begin(), list.end(),
                           [&changes](const Suggestion& s) { return s.changed == changes; });
    }

    void Found(const std::vector<int>& changes) {
        if (diving_) {
            if (dive_.empty())
                dive_.push_back(Make(changes, judged_[changes], true));
            stop_ = Stop::Enough;
            return;
        }
        if (Holds(result_.suggestions, changes))
            return;
        result_.suggestions.push_back(Make(changes, judged_[changes], true));
        if (events_.found)
            events_.found(result_.suggestions.back());
        if (static_cast<int>(result_.suggestions.size()) >= options_.maxSuggestions)
            stop_ = Stop::Enough;
    }

    // A unique grid that is no picture: kept in case nothing within the share turns up; the
    // first ones are the fewest.
    void FoundOutside(const std::vector<int>& changes) {
        if (diving_ || static_cast<int>(outside_.size()) >= options_.maxSuggestions ||
            Holds(outside_, changes) ||
            (!outside_.empty() && outside_.front().changed.size() != changes.size()))
            return;
        outside_.push_back(Make(changes, judged_[changes], false));
    }

    const SearchStart& start_;
    const CellSearchOptions& options_;
    const CellSearchEvents& events_;
    CellSearchResult& result_;
    const Shape shape_;
    std::vector<std::uint8_t> grid_;  // the answer with the changes being visited
    const FilledShare share_;
    const BlockLayout& layout_;
    const Clock::time_point began_;
    std::vector<LineBits> lines_;  // rows, then columns of grid_
    std::vector<int> order_;       // every cell, most promising first
    std::vector<Swap> swaps_;
    std::vector<int> roots_;  // swaps of the answer itself
    std::unordered_map<std::vector<int>, Judged, ChangesHash> judged_;
    std::vector<Suggestion> outside_;
    std::vector<Suggestion> dive_;
    bool diving_ = false;
    int diveJudged_ = 0;
    Stop stop_ = Stop::None;
};

}  // namespace

CellSearchResult SearchCellChanges(const SearchStart& start, const CellSearchOptions& options,
                                   const CellSearchEvents& events) {
    CellSearchResult result;
    const BlockLayout layout = options.currentDivision
                                   ? BlockLayout::OfDivision(start.n, *options.currentDivision)
                                   : BlockLayout::Of(start.n, start.width, start.height);
    const auto side = [](int cells) { return cells > 0 && cells <= kMaxPuzzleSide; };
    if (start.n <= 0 || !side(layout.gridColumns) || !side(layout.gridRows) ||
        start.answer.size() != layout.Cells())
        return result;
    CellRun(start, layout, options, events, result).Run();
    return result;
}

SolveOptions JudgementWithin(double solveSeconds, double seconds, double elapsed,
                             const std::atomic<bool>* cancel) {
    SolveOptions options;
    options.timeoutSeconds =
        seconds > 0 ? std::max(0.001, std::min(solveSeconds, seconds - elapsed)) : solveSeconds;
    options.cancel = cancel;
    return options;
}
