// Line logic on a partly filled board, for hints during play.
#include <chrono>

#include "solver/colour_solver.h"
#include "solver/propagator.h"
#include "solver/solver.h"

namespace {

template <class W>
void Apply(const Puzzle& puzzle, LineLogicResult& r) {
    Propagator<W> prop(puzzle, std::chrono::steady_clock::time_point::max(), nullptr);
    Grid<W> g = prop.Blank();
    W dirtyRows = 0, dirtyCols = 0;
    for (int y = 0; y < puzzle.height; ++y)
        for (int x = 0; x < puzzle.width; ++x)
            if (const int v = r.cells[static_cast<std::size_t>(y) * puzzle.width + x]; v >= 0)
                prop.Set(g, x, y, v != 0, dirtyRows, dirtyCols);
    if (!prop.Propagate(g, prop.AllRows(), prop.AllColumns())) {
        r.contradiction = true;
        return;
    }
    for (int y = 0; y < puzzle.height; ++y) {
        for (int x = 0; x < puzzle.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * puzzle.width + x;
            if (r.cells[i] < 0 && prop.Cell(g, x, y) >= 0) {
                r.cells[i] = static_cast<std::int8_t>(prop.Cell(g, x, y));
                r.settled.push_back(static_cast<int>(i));
            }
        }
    }
}

}  // namespace

LineLogicResult ApplyLineLogic(const Puzzle& puzzle, std::vector<std::int8_t> cells) {
    LineLogicResult r;
    r.cells = std::move(cells);
    if (!ClueFitProblem(puzzle).empty() || r.cells.size() != std::size_t(puzzle.CellCount())) {
        r.contradiction = true;
        return r;
    }
    if (puzzle.ColourCount() > 1)
        return ColourLineLogic(puzzle, std::move(r.cells));
    if (std::max(puzzle.width, puzzle.height) < 64)
        Apply<std::uint64_t>(puzzle, r);
    else
        Apply<unsigned __int128>(puzzle, r);
    return r;
}
