#include "solver/colour_solver.h"

#include <algorithm>
#include <optional>

#include "solver/colour_board.h"
#include "solver/difficulty.h"
#include "solver/propagator.h"

namespace {

using Solutions = std::vector<std::vector<std::uint8_t>>;

class ColourRun {
public:
    ColourRun(const Puzzle& puzzle, const SolveOptions& options,
              std::chrono::steady_clock::time_point deadline)
        : puzzle_(puzzle),
          board_(puzzle, deadline, options.cancel),
          settledColours_(static_cast<std::size_t>(puzzle.CellCount()), 0),
          settledOpen_(static_cast<std::size_t>(puzzle.CellCount()), 1) {
        if (puzzle.HasAnswer() && GridMatchesClues(puzzle, puzzle.answer))
            answer_ = &puzzle.answer;
    }

    // What line logic and probing had settled when the solve was stopped.
    const std::vector<std::uint8_t>& SettledColours() const { return settledColours_; }
    const std::vector<std::uint8_t>& SettledOpen() const { return settledOpen_; }

    void Run(SolveResult& r) {
        if (!board_.Propagate()) {
            r.verdict = Verdict::None;
            return;
        }
        Settle();
        if (board_.Unknown() == 0) {
            r.verdict = Verdict::Line;
            r.difficulty = LineDifficulty(board_.Sweeps(), std::max(puzzle_.width, puzzle_.height));
            r.solution = board_.Colours();
            return;
        }
        Solutions found;
        if (!Probe(found)) {
            r.verdict = Verdict::None;
            return;
        }
        r.undecided = board_.Open();
        r.undecidedCount = board_.Unknown();
        if (board_.Unknown() == 0) {
            r.verdict = Verdict::Unique;
            r.difficulty = 4;
            r.solution = board_.Colours();
            return;
        }
        Search(r, found);
    }

private:
    void Settle() {
        settledColours_ = board_.Colours();
        settledOpen_ = board_.Open();
    }

    // Tries each colour of each open cell; a colour that leads to a contradiction is struck
    // off, until a whole round strikes nothing.  Probes that happen to fill the board are
    // solutions, kept in `found` (two at most).  False when the board contradicts itself.
    bool Probe(Solutions& found) {
        for (bool struck = true; struck;) {
            struck = false;
            for (int i = 0; i < puzzle_.CellCount(); ++i) {
                for (int c = 0; ColourSetSize(board_.At(i)) > 1 && c <= puzzle_.ColourCount();
                     ++c) {
                    if (!(board_.At(i) >> c & 1))
                        continue;
                    const std::size_t mark = board_.Mark();
                    board_.Set(i, ColourSet(1u << c));
                    const bool fits = board_.Propagate();
                    if (fits && board_.Unknown() == 0)
                        Keep(found, board_.Colours());
                    board_.Undo(mark);
                    if (fits)
                        continue;
                    board_.Set(i, static_cast<ColourSet>(board_.At(i) & ~(1u << c)));
                    if (!board_.Propagate())
                        return false;
                    Settle();
                    struck = true;
                }
            }
        }
        return true;
    }

    static void Keep(Solutions& found, std::vector<std::uint8_t> solution) {
        if (found.size() < 2 && std::find(found.begin(), found.end(), solution) == found.end())
            found.push_back(std::move(solution));
    }

    // Line logic and probing stalled: the answer (when it is a solution) or the first
    // solution found, and a second one when there is any.
    void Search(SolveResult& r, Solutions found) {
        if (answer_) {
            found.erase(std::remove(found.begin(), found.end(), *answer_), found.end());
            found.insert(found.begin(), *answer_);
        }
        if (found.size() < 2)
            Branch(found);
        if (found.empty()) {
            r.verdict = Verdict::None;
            r.undecided.assign(r.undecided.size(), 0);
            r.undecidedCount = 0;
            return;
        }
        if (found.size() == 1) {
            r.verdict = Verdict::Unique;
            r.difficulty = 5;
            r.solution = found[0];
            return;
        }
        r.verdict = Verdict::Multiple;
        r.solution = found[0];
        r.second = found[1];
        for (std::size_t i = 0; i < found[1].size(); ++i)
            if (found[0][i] != found[1][i])
                r.differing.push_back(static_cast<int>(i));
    }

    // Depth first from the board as it is, on the open cell with the fewest colours left,
    // the answer's colour first; true once `found` holds two solutions.
    bool Branch(Solutions& found) {
        if (board_.Unknown() == 0) {
            Keep(found, board_.Colours());
            return found.size() >= 2;
        }
        int cell = -1;
        for (int i = 0, fewest = 99; i < puzzle_.CellCount(); ++i) {
            const int size = ColourSetSize(board_.At(i));
            if (size > 1 && size < fewest) {
                cell = i;
                fewest = size;
            }
        }
        const ColourSet colours = board_.At(cell);
        const int first = answer_ && (colours >> (*answer_)[cell] & 1) ? (*answer_)[cell] : -1;
        for (int k = -1; k <= puzzle_.ColourCount(); ++k) {
            const int c = k < 0 ? first : k;
            if (c < 0 || (k >= 0 && c == first) || !(colours >> c & 1))
                continue;
            const std::size_t mark = board_.Mark();
            board_.Set(cell, ColourSet(1u << c));
            if (board_.Propagate() && Branch(found))
                return true;
            board_.Undo(mark);
        }
        return false;
    }

    const Puzzle& puzzle_;
    ColourBoard board_;
    const std::vector<std::uint8_t>* answer_ = nullptr;
    std::vector<std::uint8_t> settledColours_, settledOpen_;
};

}  // namespace

void SolveColourPuzzle(const Puzzle& puzzle, const SolveOptions& options,
                       std::chrono::steady_clock::time_point deadline, SolveResult& r) {
    ColourRun run(puzzle, options, deadline);
    try {
        run.Run(r);
    } catch (const SolveStopped&) {
        r = SolveResult{};
        r.solution = run.SettledColours();
        r.undecided = run.SettledOpen();
        r.undecidedCount = static_cast<int>(std::count(r.undecided.begin(), r.undecided.end(), 1));
    }
}

LineLogicResult ColourLineLogic(const Puzzle& puzzle, std::vector<std::int8_t> cells) {
    LineLogicResult r;
    r.cells = std::move(cells);
    ColourBoard board(puzzle, std::chrono::steady_clock::time_point::max(), nullptr);
    for (std::size_t i = 0; i < r.cells.size(); ++i) {
        const int v = r.cells[i];
        if (v >= 0 && v <= puzzle.ColourCount())
            board.Set(static_cast<int>(i), ColourSet(1u << v));
    }
    if (!board.Propagate()) {
        r.contradiction = true;
        return r;
    }
    for (std::size_t i = 0; i < r.cells.size(); ++i) {
        if (r.cells[i] < 0 && ColourSetSize(board.At(static_cast<int>(i))) == 1) {
            r.cells[i] = static_cast<std::int8_t>(OnlyColour(board.At(static_cast<int>(i))));
            r.settled.push_back(static_cast<int>(i));
        }
    }
    return r;
}
