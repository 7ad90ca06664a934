#include "solver/cdcl_search.h"

#include <algorithm>
#include <cadical.hpp>
#include <climits>

namespace {

// Literals that stand for a known truth value while clauses are built; they never reach the
// SAT solver.  Negating one gives the other.
constexpr int kTrue = INT_MAX;
constexpr int kFalse = -INT_MAX;

// The line reads as the pattern of its runs with one gap between runs; state q means the first
// q symbols of the pattern have been read.  Extra empty cells may come before the first run,
// after a gap and after the last run.
struct LineAutomaton {
    std::vector<std::uint8_t> pattern;
    int L = 0;

    LineAutomaton(const int* runs, int k) {
        for (int j = 0; j < k; ++j) {
            pattern.insert(pattern.end(), static_cast<std::size_t>(runs[j]), 1);
            if (j + 1 < k)
                pattern.push_back(0);
        }
        L = static_cast<int>(pattern.size());
    }
    bool Stays(int q) const { return q == 0 || q == L || pattern[q - 1] == 0; }
    // The state after reading v in state q, or -1 when the line cannot go on.
    int Next(int q, int v) const {
        return q < L && pattern[q] == v ? q + 1 : !v && Stays(q) ? q : -1;
    }
};

// Layer i holds the state after cell i - 1.  Open(i, q): some completion of the decided cells
// (known(i): -1, 0 or 1) passes through state q after i cells.
template <class Known>
std::vector<std::uint8_t> OpenStates(const LineAutomaton& a, int n, Known known) {
    const int width = a.L + 2;
    std::vector<std::uint8_t> from((n + 1) * width), to((n + 1) * width);
    from[0] = 1;
    for (int i = 0; i < n; ++i)
        for (int q = 0; q <= a.L; ++q)
            for (int v = 0; v < 2 && from[i * width + q]; ++v)
                if (known(i) != 1 - v && a.Next(q, v) >= 0)
                    from[(i + 1) * width + a.Next(q, v)] = 1;
    to[n * width + a.L] = 1;
    for (int i = n - 1; i >= 0; --i)
        for (int q = 0; q <= a.L; ++q)
            for (int v = 0; v < 2; ++v)
                if (known(i) != 1 - v && a.Next(q, v) >= 0 && to[(i + 1) * width + a.Next(q, v)])
                    to[i * width + q] = 1;
    for (std::size_t i = 0; i < from.size(); ++i)
        from[i] &= to[i];
    return from;
}

// The cells where each run can start in some completion of the decided cells: run j starts at
// p exactly when the automaton is in the run's second state after cell p.  Empty when no
// completion exists.
template <class Known>
std::vector<std::vector<int>> RunStarts(const LineAutomaton& a, const int* runs, int k, int n,
                                        Known known) {
    const int width = a.L + 2;
    const std::vector<std::uint8_t> open = OpenStates(a, n, known);
    if (!open[n * width + a.L])
        return {};
    std::vector<std::vector<int>> starts(static_cast<std::size_t>(k));
    for (int j = 0, state = 0; j < k; state += runs[j] + 1, ++j)
        for (int p = 0; p + runs[j] <= n; ++p)
            if (open[(p + 1) * width + state + 1])
                starts[j].push_back(p);
    return starts;
}

// The variables a line needs beyond its cells: each run's possible starts but its first.
long long LineVariables(const LineClue& clue, int n, int first, int step,
                        const std::vector<std::int8_t>& cells) {
    const int k = static_cast<int>(clue.size());
    const LineAutomaton a(clue.data(), k);
    auto known = [&](int i) { return cells[static_cast<std::size_t>(first + i * step)]; };
    long long count = 0;
    for (const std::vector<int>& starts : RunStarts(a, clue.data(), k, n, known))
        count += static_cast<long long>(starts.size()) - 1;
    return count;
}

}  // namespace

class CdclSearch::Stopper : public CaDiCaL::Terminator {
public:
    Stopper(Clock::time_point deadline, const std::atomic<bool>* cancel)
        : deadline_(deadline), cancel_(cancel) {}
    bool terminate() override { return Stopped(); }
    bool Stopped() const {
        return (cancel_ && cancel_->load(std::memory_order_relaxed)) || Clock::now() >= deadline_;
    }

private:
    Clock::time_point deadline_;
    const std::atomic<bool>* cancel_;
};

CdclSearch::CdclSearch(const Puzzle& puzzle, const std::vector<std::int8_t>& cells,
                       Clock::time_point deadline, const std::atomic<bool>* cancel,
                       int variableBudget)
    : cellCount_(puzzle.CellCount()),
      cells_(cells),
      stopper_(std::make_unique<Stopper>(deadline, cancel)) {
    // The variables are counted first, so that a formula over the budget is never built: the
    // SAT solver would take long to build it and long again to free it.
    long long count = cellCount_;
    for (int y = 0; y < puzzle.height; ++y)
        count += LineVariables(puzzle.rows[y], puzzle.width, y * puzzle.width, 1, cells);
    for (int x = 0; x < puzzle.width; ++x)
        count += LineVariables(puzzle.columns[x], puzzle.height, x, puzzle.width, cells);
    if (count > variableBudget) {
        variables = static_cast<int>(std::min<long long>(count, INT_MAX));
        tooLarge_ = true;
        return;
    }
    sat_ = std::make_unique<CaDiCaL::Solver>();
    sat_->set("quiet", 1);
    // Without the phases of stable search, which lose more than they win here.
    sat_->set("stabilize", 0);
    sat_->connect_terminator(stopper_.get());
    // Cell y * width + x is variable y * width + x + 1; the runs' starts follow.
    variables = cellCount_;
    // Building the clauses of a large puzzle takes a while: a stop ends it too.
    for (int y = 0; y < puzzle.height && !stopped_; ++y) {
        const LineClue& clue = puzzle.rows[y];
        AddLine(clue.data(), static_cast<int>(clue.size()), puzzle.width, y * puzzle.width, 1,
                cells);
        stopped_ = stopper_->Stopped();
    }
    for (int x = 0; x < puzzle.width && !stopped_; ++x) {
        const LineClue& clue = puzzle.columns[x];
        AddLine(clue.data(), static_cast<int>(clue.size()), puzzle.height, x, puzzle.width, cells);
        stopped_ = stopper_->Stopped();
    }
}

CdclSearch::~CdclSearch() = default;

void CdclSearch::AddClause(std::initializer_list<int> literals) {
    AddClause(literals.begin(), literals.size());
}

void CdclSearch::AddClause(const int* literals, std::size_t count) {
    bool empty = true;
    for (const int* l = literals; l != literals + count; ++l) {
        const int lit = *l;
        if (lit == kTrue)
            return;
        empty = empty && lit == kFalse;
    }
    if (empty) {  // the clauses cannot all hold; the SAT solver need not be told
        contradiction_ = true;
        return;
    }
    for (const int* l = literals; l != literals + count; ++l)
        if (*l != kFalse)
            sat_->add(*l);
    sat_->add(0);
    ++clauses;
}

CdclOutcome CdclSearch::Find(int conflicts) {
    if (tooLarge_)
        return CdclOutcome::TooLarge;
    if (stopped_)
        return CdclOutcome::Stopped;
    if (contradiction_)
        return CdclOutcome::Exhausted;
    if (conflicts >= 0)
        sat_->limit("conflicts", conflicts);
    const int status = sat_->solve();
    if (status == 20)
        return CdclOutcome::Exhausted;
    if (status != 10)
        return stopper_->Stopped() ? CdclOutcome::Stopped : CdclOutcome::OutOfBudget;
    found.resize(cells_.size());
    for (int i = 0; i < cellCount_; ++i)
        found[i] = cells_[i] >= 0 ? cells_[i] : sat_->val(i + 1) > 0;
    return CdclOutcome::Found;
}

std::vector<std::int8_t> CdclSearch::Facts() const {
    std::vector<std::int8_t> facts = cells_;
    if (!sat_)
        return facts;
    for (int i = 0; i < cellCount_; ++i)
        if (facts[i] < 0 && sat_->fixed(i + 1) != 0)
            facts[i] = sat_->fixed(i + 1) > 0;
    return facts;
}

void CdclSearch::AddFacts(const std::vector<std::int8_t>& facts) {
    if (!sat_)
        return;
    for (int i = 0; i < cellCount_; ++i)
        if (cells_[i] < 0 && facts[i] >= 0 && sat_->fixed(i + 1) == 0)
            AddClause({facts[i] ? i + 1 : -(i + 1)});
}

void CdclSearch::Exclude(const std::vector<std::uint8_t>& avoid) {
    if (tooLarge_)
        return;
    bool open = false;
    for (int i = 0; i < cellCount_; ++i) {
        if (cells_[i] < 0) {
            sat_->add(avoid[i] ? -(i + 1) : i + 1);
            open = true;
        }
    }
    if (open)
        sat_->add(0);
    else
        contradiction_ = true;  // nothing left to differ on
    ++clauses;
}

// Each run's start in order encoding: atLeast(j, p) is the literal "run j starts at p or
// later", over the cells where it can start.  Runs keep a gap between them; an empty cell lies
// in no run and a filled one in no gap.
void CdclSearch::AddLine(const int* runs, int k, int n, int first, int step,
                         const std::vector<std::int8_t>& cells) {
    auto known = [&](int i) { return cells[static_cast<std::size_t>(first + i * step)]; };
    // Cell i is variable first + i * step + 1; a decided cell is a known truth value.
    auto cell = [&](int i) {
        return known(i) < 0 ? first + i * step + 1 : known(i) ? kTrue : kFalse;
    };
    const LineAutomaton a(runs, k);
    const std::vector<std::vector<int>> starts = RunStarts(a, runs, k, n, known);
    if (starts.empty() && k > 0) {
        AddClause({});
        return;
    }
    // literal[j][t]: run j starts at starts[j][t] or later (true for t = 0).
    std::vector<std::vector<int>> literal(static_cast<std::size_t>(k));
    for (int j = 0; j < k; ++j) {
        literal[j].push_back(kTrue);
        for (std::size_t t = 1; t < starts[j].size(); ++t)
            literal[j].push_back(++variables);
    }
    auto atLeast = [&](int j, int p) {
        const auto& s = starts[j];
        const auto at = std::lower_bound(s.begin(), s.end(), p);
        return at == s.end() ? kFalse : literal[j][static_cast<std::size_t>(at - s.begin())];
    };
    for (int j = 0; j < k; ++j) {
        for (std::size_t t = 2; t < starts[j].size(); ++t)
            AddClause({-literal[j][t], literal[j][t - 1]});
        if (j + 1 < k)
            for (std::size_t t = 1; t < starts[j].size(); ++t)
                AddClause({-literal[j][t], atLeast(j + 1, starts[j][t] + runs[j] + 1)});
    }
    for (int i = 0; i < n; ++i) {
        const int x = cell(i);
        // Empty: in no run.  Filled: not before the first run, not between two, not after the
        // last.
        for (int j = 0; j < k; ++j)
            AddClause({x, atLeast(j, i + 1), -atLeast(j, i - runs[j] + 1)});
        if (k == 0) {
            AddClause({-x});
            continue;
        }
        AddClause({-x, -atLeast(0, i + 1)});
        for (int j = 0; j + 1 < k; ++j)
            AddClause({-x, atLeast(j, i - runs[j] + 1), -atLeast(j + 1, i + 1)});
        AddClause({-x, atLeast(k - 1, i - runs[k - 1] + 1)});
    }
}
