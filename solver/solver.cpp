#include "solver/solver.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>

#include "solver/cdcl_search.h"
#include "solver/colour_solver.h"
#include "solver/difficulty.h"
#include "solver/probing.h"
#include "solver/propagator.h"
#include "solver/search.h"

const char* VerdictWord(Verdict v) {
    switch (v) {
        case Verdict::Line:
            return "line";
        case Verdict::Unique:
            return "unique";
        case Verdict::Multiple:
            return "multiple";
        case Verdict::None:
            return "none";
        case Verdict::Timeout:
            break;
    }
    return "timeout";
}

namespace {

using Clock = std::chrono::steady_clock;

// Clues that cannot have a solution whatever the cells: a wrong size or clue count, a run
// below 1, runs that do not fit their line, or rows and columns that fill different totals.
bool CluesCannotFit(const Puzzle& puzzle) {
    if (!ClueFitProblem(puzzle).empty())
        return true;
    // Rows and columns must fill the same number of cells, of each colour.
    auto totals = [&](const std::vector<LineClue>& lines, const std::vector<LineColours>& colours) {
        std::vector<long> sums(static_cast<std::size_t>(puzzle.ColourCount()) + 1, 0);
        for (std::size_t i = 0; i < lines.size(); ++i)
            for (std::size_t k = 0; k < lines[i].size(); ++k)
                sums[puzzle.IsColour() ? colours[i][k] : 1] += lines[i][k];
        return sums;
    };
    return totals(puzzle.rows, puzzle.rowColours) != totals(puzzle.columns, puzzle.columnColours);
}

// The grid (row by row, non-zero = filled) is a solution of the clues.
template <class W>
bool IsSolution(const Puzzle& puzzle, const std::vector<std::uint8_t>& cells) {
    if (cells.size() != static_cast<std::size_t>(puzzle.CellCount()))
        return false;
    std::vector<W> columns(puzzle.width);
    for (int y = 0; y < puzzle.height; ++y) {
        W row = 0;
        for (int x = 0; x < puzzle.width; ++x) {
            const W filled = cells[static_cast<std::size_t>(y) * puzzle.width + x] != 0;
            row |= filled << x;
            columns[x] |= filled << y;
        }
        if (!RunsMatch(row, puzzle.rows[y].data(), static_cast<int>(puzzle.rows[y].size())))
            return false;
    }
    for (int x = 0; x < puzzle.width; ++x)
        if (!RunsMatch(columns[x], puzzle.columns[x].data(),
                       static_cast<int>(puzzle.columns[x].size())))
            return false;
    return true;
}

// Branches the plain search may take on one subtree before the clause-learning search takes
// over.
constexpr long long kPlainBudget = 4096;
// Branches the plain search may take in all before the clause-learning search takes over.
constexpr long long kPlainTotal = 50000;
// The probing search's first turn.
constexpr std::chrono::milliseconds kFirstTurn{20};
// The clause-learning search's turns take as long as the probing search's times the cube of
// the cell count over this, up to kLongestShare times: the probing search is the quicker on
// small puzzles, the clause-learning search more and more so on larger ones.
constexpr double kEvenTurnsCells = 1000;
constexpr double kLongestShare = 16;
// Below this many cells the probing search has the turns alone: the clause-learning search's
// share would be small, and building its formula and its turns cost more than they win.
constexpr double kCdclLeastCells = 1000;
// The clause-learning search's formula is not built beyond this many variables (cells and
// run starts, about a quarter of its clauses).  Random half-filled 50 x 50 puzzles that probing
// leaves open need some 14 000 to 18 000 (50 000 to 63 000 clauses) and gain from it; 99 x 99
// ones need 130 000 and more (half a million to 800 000 clauses), take long to build and free,
// so that a time limit or a cancel would come late, and settled none within ten seconds.
constexpr int kCdclVariableBudget = 120000;
// About how many conflicts the clause-learning search meets in a second on a 50 x 50 puzzle:
// its turns are measured in conflicts, so that a puzzle gets the same verdict however busy
// the machine is, and turned into time by this.
constexpr double kConflictsPerSecond = 10000;
constexpr double kLeastConflicts = 100;

template <class W>
class SolveRun {
public:
    SolveRun(const Puzzle& puzzle, const SolveOptions& options, Clock::time_point deadline)
        : puzzle_(puzzle),
          cells_(puzzle.CellCount()),
          deadline_(deadline),
          cancel_(options.cancel),
          method_(options.search),
          prop_(puzzle, deadline, options.cancel),
          grid_(prop_.Blank()) {}

    // What line logic and probing had decided and not, for a solve that was stopped.
    std::vector<std::uint8_t> Undecided() const { return prop_.Unknown(grid_); }
    std::vector<std::uint8_t> Decided() const { return prop_.Filled(grid_); }

    void Run(SolveResult& r) {
        if (!prop_.Propagate(grid_, prop_.TellingRows(), prop_.TellingColumns())) {
            r.verdict = Verdict::None;
            return;
        }
        const int passes = prop_.lastSweeps;
        if (grid_.unknown == 0) {
            r.verdict = Verdict::Line;
            r.difficulty = LineDifficulty(passes, std::max(puzzle_.width, puzzle_.height));
            r.solution = prop_.Filled(grid_);
            return;
        }
        prober_.emplace(prop_);
        if (!prober_->Run(grid_)) {
            r.verdict = Verdict::None;
            return;
        }
        r.undecided = prop_.Unknown(grid_);
        r.undecidedCount = grid_.unknown;
        if (grid_.unknown == 0) {
            r.verdict = Verdict::Unique;
            r.difficulty = 4;
            r.solution = prop_.Filled(grid_);
            return;
        }
        Search(r);
    }

private:
    // Line logic and probing stalled.  Take a solution (the answer when it is one) and walk
    // down to it from the probed grid, deciding cells its way.  Every other solution differs
    // from it first at one of those decisions: it lies below the other value of that decision,
    // with the decisions above taken.  Those subtrees are searched deepest first, where other
    // solutions are nearest, with the plain search and a budget that grows round by round, so
    // that a hard subtree does not hold up an easy one.  Subtrees still open after that go to
    // the probing search and the clause-learning search in turns.
    void Search(SolveResult& r) {
        std::vector<std::vector<std::uint8_t>> known;
        if (puzzle_.HasAnswer() && IsSolution<W>(puzzle_, puzzle_.answer))
            known.push_back(puzzle_.answer);
        for (const auto& s : prober_->solutions)
            if (std::find(known.begin(), known.end(), s) == known.end())
                known.push_back(s);
        std::vector<std::uint8_t> found;
        if (known.empty()) {
            if (!FirstSolution(found)) {
                r.verdict = Verdict::None;
                r.undecided.assign(r.undecided.size(), 0);
                r.undecidedCount = 0;
                return;
            }
            known.push_back(found);
        }
        const std::vector<std::uint8_t> reference = known[0];
        if (known.size() >= 2)
            return Multiple(r, reference, known[1]);
        if (OtherSolution(reference, found))
            return Multiple(r, reference, found);
        if (!IsSolution<W>(puzzle_, reference))
            throw SolveStopped{};  // never: every search checks its solutions
        r.verdict = Verdict::Unique;
        r.difficulty = 5;
        r.solution = reference;
    }

    // A solution that extends grid_, in `found`; false when there is none.
    bool FirstSolution(std::vector<std::uint8_t>& found) {
        const std::vector<std::uint8_t> none;
        const SearchOutcome outcome = method_ == SearchMethod::Learning
                                          ? SearchOutcome::OutOfBudget
                                          : searcher_.FindAny(grid_, none, kPlainBudget);
        if (outcome != SearchOutcome::OutOfBudget) {
            found = searcher_.found;
            return outcome == SearchOutcome::Found;
        }
        return InTurns(
            {grid_}, nullptr, [] {}, found);
    }

    // A solution that extends grid_ and differs from `reference`, in `found`; false when
    // there is none.
    bool OtherSolution(const std::vector<std::uint8_t>& reference,
                       std::vector<std::uint8_t>& found) {
        std::vector<Grid<W>> other = OtherBranches(reference);
        const long long plainBudget = method_ == SearchMethod::Learning ? 0 : kPlainBudget;
        for (long long budget = 64;
             !other.empty() && budget <= plainBudget && searcher_.plainBranches < kPlainTotal;
             budget *= 4) {
            auto plain = [&](const Grid<W>& g) { return searcher_.FindAny(g, reference, budget); };
            if (Round(other, plain) == SearchOutcome::Found) {
                found = searcher_.found;
                return true;
            }
        }
        if (other.empty())
            return false;
        return InTurns(
            other, &reference, [&] { cdcl_->Exclude(reference); }, found);
    }

    // One search of each grid in `other`; those it exhausts are dropped.  Found when one had a
    // solution (in searcher_.found), Exhausted when none are left.
    template <class Find>
    SearchOutcome Round(std::vector<Grid<W>>& other, Find find) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < other.size(); ++i) {
            const SearchOutcome outcome = find(other[i]);
            if (outcome == SearchOutcome::Found)
                return outcome;
            if (outcome == SearchOutcome::OutOfBudget)
                std::swap(other[kept++], other[i]);
        }
        other.resize(kept);
        return other.empty() ? SearchOutcome::Exhausted : SearchOutcome::OutOfBudget;
    }

    // The probing search, quick on small puzzles, and the clause-learning search, quick on
    // large ones, take turns that double in length, until one finds a solution other than
    // `avoid` (true, in `found`) or proves there is none.  The probing search goes through the
    // `open` subtrees one after the other, the deepest and smallest first; the clause-learning
    // search covers them all at once.  Each goes on where it stopped, the clause-learning
    // search with what it learned; `prepare` readies it before its first turn.
    template <class Prepare>
    bool InTurns(const std::vector<Grid<W>>& open, const std::vector<std::uint8_t>* avoid,
                 Prepare prepare, std::vector<std::uint8_t>& found) {
        bool probing = false, learning = LearningTakesTurns(), prepared = false;
        std::size_t next = 0;
        auto startProbing = [&] {
            probing = true;
            searcher_.StartProbing(open[next++], avoid);
        };
        if (!learning || method_ != SearchMethod::Learning)
            startProbing();
        for (Clock::duration turn = kFirstTurn;; turn *= 2) {
            if (probing) {
                const Clock::time_point until = Clock::now() + turn;
                SearchOutcome probed;
                while ((probed = searcher_.ContinueProbing(until)) == SearchOutcome::Exhausted &&
                       next < open.size())
                    searcher_.StartProbing(open[next++], avoid);
                if (probed != SearchOutcome::OutOfBudget) {
                    found = searcher_.found;
                    return probed == SearchOutcome::Found;
                }
            }
            if (!learning)
                continue;  // the probing search has the turns alone
            if (!cdcl_)
                MakeCdcl();
            if (!prepared) {
                prepare();
                prepared = true;
            }
            const double share = std::min(kLongestShare, std::pow(cells_ / kEvenTurnsCells, 3));
            const double seconds = std::chrono::duration<double>(turn * share).count();
            const CdclOutcome learned = cdcl_->Find(
                static_cast<int>(std::clamp(seconds * kConflictsPerSecond, kLeastConflicts, 1e9)));
            if (learned == CdclOutcome::Stopped)
                throw SolveStopped{};
            if (learned == CdclOutcome::TooLarge) {
                learning = false;  // the probing search has the turns alone
                if (!probing)
                    startProbing();
            } else if (learned != CdclOutcome::OutOfBudget) {
                found = cdcl_->found;
                return learned == CdclOutcome::Found;
            } else if (!Amplify()) {
                return false;
            }
        }
    }

    // The cells the clause-learning search has settled for good go through line logic and
    // probing, which often settle many more; those go back to it.  Its clauses only grow, so
    // what it settled stays settled: the grid of what it knows is kept from turn to turn.
    // False when they contradict: the search has no solution left.
    bool Amplify() {
        if (!amplified_) {
            amplified_.emplace(prop_.Blank());
            Propagator<W>::CopyInto(*amplified_, grid_);
        }
        Grid<W>& g = *amplified_;
        const std::vector<std::int8_t> facts = cdcl_->Facts();
        W dirtyRows = 0, dirtyCols = 0;
        for (int y = 0; y < prop_.height; ++y)
            for (W todo = prop_.RowUnknown(g, y); todo; todo &= todo - 1) {
                const int x = LowestBit(todo);
                const std::int8_t v = facts[static_cast<std::size_t>(y) * prop_.width + x];
                if (v >= 0)
                    prop_.Set(g, x, y, v, dirtyRows, dirtyCols);
            }
        if (!(dirtyRows | dirtyCols))
            return true;  // nothing new since the last turn
        if (!prop_.Propagate(g, dirtyRows, dirtyCols) || !Prober<W>(prop_).Run(g))
            return false;
        const std::vector<std::uint8_t> open = prop_.Unknown(g), filled = prop_.Filled(g);
        std::vector<std::int8_t> more(open.size());
        for (std::size_t i = 0; i < more.size(); ++i)
            more[i] = open[i] ? -1 : static_cast<std::int8_t>(filled[i]);
        cdcl_->AddFacts(more);
        return true;
    }

    bool LearningTakesTurns() const {
        switch (method_) {
            case SearchMethod::Probing:
                return false;
            case SearchMethod::Learning:
                return true;
            case SearchMethod::Automatic:
                break;
        }
        return cells_ >= kCdclLeastCells;
    }

    // The clause-learning search over what line logic and probing left open.
    void MakeCdcl() {
        const std::vector<std::uint8_t> open = prop_.Unknown(grid_), filled = prop_.Filled(grid_);
        std::vector<std::int8_t> cells(open.size());
        for (std::size_t i = 0; i < cells.size(); ++i)
            cells[i] = open[i] ? -1 : static_cast<std::int8_t>(filled[i]);
        cdcl_.emplace(puzzle_, cells, deadline_, cancel_, kCdclVariableBudget);
    }

    // The grids below the other value of each decision on the way from grid_ down to
    // `solution`, deepest first; those that contradict at once are left out.
    std::vector<Grid<W>> OtherBranches(const std::vector<std::uint8_t>& solution) {
        std::vector<Grid<W>> other;
        Grid<W> on = prop_.Blank();
        Propagator<W>::CopyInto(on, grid_);
        while (on.unknown > 0) {
            int x = 0, y = 0;
            searcher_.ChooseCell(on, x, y);
            const bool filled = solution[static_cast<std::size_t>(y) * prop_.width + x];
            other.push_back(on);
            W dirtyRows = 0, dirtyCols = 0;
            prop_.Set(other.back(), x, y, !filled, dirtyRows, dirtyCols);
            if (!prop_.Propagate(other.back(), dirtyRows, dirtyCols))
                other.pop_back();
            dirtyRows = dirtyCols = 0;
            prop_.Set(on, x, y, filled, dirtyRows, dirtyCols);
            prop_.Propagate(on, dirtyRows, dirtyCols);  // the solution fits: no contradiction
        }
        std::reverse(other.begin(), other.end());
        return other;
    }

    // Two different solutions, each checked against the clues.
    void Multiple(SolveResult& r, const std::vector<std::uint8_t>& reference,
                  const std::vector<std::uint8_t>& second) {
        if (reference == second || !IsSolution<W>(puzzle_, reference) ||
            !IsSolution<W>(puzzle_, second))
            throw SolveStopped{};  // never: every search checks its solutions
        r.verdict = Verdict::Multiple;
        r.solution = reference;
        r.second = second;
        for (std::size_t i = 0; i < second.size(); ++i)
            if (second[i] != reference[i])
                r.differing.push_back(static_cast<int>(i));
    }

    const Puzzle& puzzle_;
    const double cells_;
    const Clock::time_point deadline_;
    const std::atomic<bool>* cancel_;
    const SearchMethod method_;
    Propagator<W> prop_;
    Grid<W> grid_;  // what line logic, probing and the settled cells have decided
    std::optional<Prober<W>> prober_;  // made when line logic stalls
    Searcher<W> searcher_{prop_};
    std::optional<CdclSearch> cdcl_;    // made when the plain search does not finish
    std::optional<Grid<W>> amplified_;  // grid_ with what cdcl_ has settled for good
};

template <class W>
void RunWith(const Puzzle& puzzle, const SolveOptions& options, Clock::time_point deadline,
             SolveResult& r) {
    SolveRun<W> run(puzzle, options, deadline);
    try {
        run.Run(r);
    } catch (const SolveStopped&) {
        r = SolveResult{};
        r.solution = run.Decided();
        r.undecided = run.Undecided();
        r.undecidedCount = static_cast<int>(std::count(r.undecided.begin(), r.undecided.end(), 1));
    }
}

}  // namespace

SolveResult Solve(const Puzzle& puzzle, const SolveOptions& options) {
    const Clock::time_point start = Clock::now();
    SolveResult r;
    if (CluesCannotFit(puzzle)) {
        r.verdict = Verdict::None;
        if (puzzle.width >= 1 && puzzle.width <= kMaxPuzzleSide && puzzle.height >= 1 &&
            puzzle.height <= kMaxPuzzleSide)
            r.undecided.assign(static_cast<std::size_t>(puzzle.CellCount()), 0);
    } else if (options.cancel && options.cancel->load()) {
        r.undecided.assign(static_cast<std::size_t>(puzzle.CellCount()), 1);
        r.undecidedCount = puzzle.CellCount();
        r.solution.assign(static_cast<std::size_t>(puzzle.CellCount()), 0);
    } else {
        const double seconds =
            options.timeoutSeconds > 0 ? std::min(options.timeoutSeconds, 1e7) : 0;
        const auto limit =
            std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
        const Clock::time_point deadline = start + limit;
        r.undecided.assign(static_cast<std::size_t>(puzzle.CellCount()), 0);
        if (puzzle.ColourCount() > 1)
            SolveColourPuzzle(puzzle, options, deadline, r);
        else if (std::max(puzzle.width, puzzle.height) < 64)
            RunWith<std::uint64_t>(puzzle, options, deadline, r);
        else
            RunWith<unsigned __int128>(puzzle, options, deadline, r);
    }
    r.micros = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
    return r;
}
