// Painting the play board of a 20 x 20 puzzle: the clues, lines and marks drawn into the board
// image and the image copied to the screen, as every paint of the dialog does; a drag across
// the whole board; and on 20 x 20 and 99 x 99 boards a mark, an undo or redo and a hint from
// the keyboard with the repaint each asks for, marks by mouse and by key at the zoom's
// smallest, starting and largest cells with the tinted row and column, and zoom steps; on a
// 30 x 30 colour board a fill in another colour than the cell's.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "play/board_view.h"
#include "play/playgame.h"
#include "session/ngm_doc.h"

namespace {

constexpr int kN = 20;

// A picture-like answer with many runs per line: rings and a diagonal band.
void FillAnswer(CNGMDoc& doc) {
    std::vector<std::uint8_t> cells(kN * kN);
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            const int ring = std::max(std::abs(2 * i - kN + 1), std::abs(2 * j - kN + 1)) / 2;
            cells[j * kN + i] = (ring % 2 == 0) || (i - j == 3) ? 1 : 0;
        }
    }
    doc.SetPuzzle(Puzzle::FromGrid(kN, kN, cells));
}

struct OpenBoard {
    CNGMDoc doc;
    std::unique_ptr<CPlaygame> dlg;
    OpenBoard() {
        FillAnswer(doc);
        dlg = std::make_unique<CPlaygame>(&doc);
        dlg->show();
        QCoreApplication::processEvents();
    }
};

// The work of one paint: clues and lines into the image, the image onto the screen surface.
void BM_PaintBoard20(benchmark::State& state) {
    OpenBoard board;
    CPlaygame& dlg = *board.dlg;
    QImage screen(dlg.m_ctlBoard->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        dlg.OnPaint();
        QPainter painter(&screen);
        dlg.m_dcMem.CopyTo(painter, 2, 2);
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
}
BENCHMARK(BM_PaintBoard20)->Unit(benchmark::kMicrosecond);

// A whole repaint of the dialog with its buttons, as the platform does it.
void BM_RepaintDialog20(benchmark::State& state) {
    OpenBoard board;
    for (auto _ : state) {
        board.dlg->repaint();
    }
}
BENCHMARK(BM_RepaintDialog20)->Unit(benchmark::kMicrosecond);

// A left drag over all 400 cells, one move per cell, each followed by its repaint.
void BM_DragAcrossBoard20(benchmark::State& state) {
    OpenBoard board;
    CPlaygame& dlg = *board.dlg;
    const QPoint origin = dlg.m_ctlBoard->geometry().topLeft() + QPoint(2, 2);
    const int half = kN * 20 / 2;
    for (auto _ : state) {
        for (int row = 0; row < kN; ++row) {
            for (int col = 0; col < kN; ++col) {
                const QPoint p = origin + QPoint(half + col * 20 + 10, half + (row + 1) * 20 + 10);
                QMouseEvent move(QEvent::MouseMove, p, dlg.mapToGlobal(QPointF(p)), Qt::NoButton,
                                 Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(&dlg, &move);
                dlg.repaint();
            }
        }
    }
}
BENCHMARK(BM_DragAcrossBoard20)->Unit(benchmark::kMillisecond);

// A picture-like answer of n x n cells: rings and a diagonal band, with the middle row and
// column empty, so that a mark there turns their clue 0 from grey to green and back.
Puzzle RingPuzzle(int n) {
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(n) * n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const int ring = std::max(std::abs(2 * i - n + 1), std::abs(2 * j - n + 1)) / 2;
            const bool middle = i == n / 2 || j == n / 2;
            cells[static_cast<std::size_t>(j) * n + i] =
                !middle && ((ring % 2 == 0) || (i - j == 3)) ? 1 : 0;
        }
    }
    return Puzzle::FromGrid(n, n, cells);
}

// Counts the pixels the dialog paints, to show that a mark repaints its cell and clue strips
// and not the board.
struct PaintCounter : QObject {
    long long pixels = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                pixels += static_cast<long long>(r.width()) * r.height();
        }
        return false;
    }
};

// The rings of RingPuzzle in three colours by turns, on a palette of four.
Puzzle ColourRingPuzzle(int n) {
    const Puzzle rings = RingPuzzle(n);
    std::vector<std::uint8_t> cells(rings.answer.size());
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const int ring = std::max(std::abs(2 * i - n + 1), std::abs(2 * j - n + 1)) / 2;
            const std::size_t k = static_cast<std::size_t>(j) * n + i;
            cells[k] = rings.answer[k] ? static_cast<std::uint8_t>(1 + ring / 2 % 3) : 0;
        }
    }
    return Puzzle::FromColourGrid(n, n, cells, {0xffffff, 0x202020, 0xd02020, 0x2040d0});
}

struct OpenSized {
    CNGMDoc doc;
    std::unique_ptr<CPlaygame> dlg;
    PaintCounter painted;
    explicit OpenSized(int n, bool colour = false) {
        doc.SetPuzzle(colour ? ColourRingPuzzle(n) : RingPuzzle(n));
        dlg = std::make_unique<CPlaygame>(&doc);
        dlg->show();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();  // the second pass the first one asks for
        dlg->installEventFilter(&painted);
    }
    // The board at cells of `cell` pixels (0: as it opened), repainted.
    void Zoom(int cell) {
        if (cell > 0)
            dlg->ZoomTo(cell);
        QCoreApplication::processEvents();
    }
    // The view scrolled to show `cells` cells from (col, row) rightwards, with a cell of room
    // around them.
    void Show(int col, int row, int cells) {
        const CPoint corner = dlg->Layout().CellCorner({col, row});
        const int c = dlg->Layout().CellSize();
        dlg->m_pBoardView->EnsureVisible(QRect(corner.x - c, corner.y - c, (cells + 2) * c, 3 * c));
        QCoreApplication::processEvents();
    }
    // Where the view shows the middle of a cell, in the dialog.
    QPoint CellPoint(int col, int row) {
        const CPoint corner = dlg->Layout().CellCorner({col, row});
        const int c = dlg->Layout().CellSize();
        const QPoint at =
            *dlg->m_pBoardView->ViewportPoint(QPoint(corner.x + c / 2, corner.y + c / 2));
        return dlg->m_pBoardView->viewport()->mapTo(dlg.get(), at);
    }
    // A key as the keyboard sends it, then the repaint it asked for.
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(dlg.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QCoreApplication::sendEvent(dlg.get(), &release);
        QCoreApplication::processEvents();
    }
    // The cursor shown and moved to a cell.
    void CursorTo(int col, int row) {
        Key(Qt::Key_Right);
        for (int k = 0; k < col; ++k)
            Key(Qt::Key_Right);
        for (int k = 0; k < row; ++k)
            Key(Qt::Key_Down);
    }
};

// Space and X in turn on a cell of the empty middle row and column: each mark changes the cell
// and turns two clue 0s green or grey again, and is repainted.
void BM_KeyMark(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    OpenSized board(n);
    board.CursorTo(n / 2, n / 2);
    board.painted.pixels = 0;
    bool fill = true;
    for (auto _ : state) {
        board.Key(fill ? Qt::Key_Space : Qt::Key_X);
        fill = !fill;
    }
    state.counters["painted_px"] = benchmark::Counter(static_cast<double>(board.painted.pixels),
                                                      benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_KeyMark)->Arg(20)->Arg(30)->Arg(99)->Unit(benchmark::kMicrosecond);

// On a 30 x 30 colour board, a digit and Space in turn on a cell of a row and a column with
// runs: each chooses the other of two colours and fills the cell with it over the one before,
// and is repainted with the clue strips whose state flips.
void BM_ColourKeyMark30(benchmark::State& state) {
    OpenSized board(30, true);
    board.CursorTo(2, 4);
    board.painted.pixels = 0;
    bool second = true;
    for (auto _ : state) {
        board.Key(second ? Qt::Key_2 : Qt::Key_3);
        board.Key(Qt::Key_Space);
        second = !second;
    }
    if (!IsFill(board.doc.GetPlayBoard().At({2, 4})))
        state.SkipWithError("no fill");
    state.counters["painted_px"] = benchmark::Counter(static_cast<double>(board.painted.pixels),
                                                      benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ColourKeyMark30)->Unit(benchmark::kMicrosecond);

// The cell sizes measured on the largest board: the zoom's smallest, the starting size of a
// board that fits (20 pixels) and the largest.
void ZoomArgs(benchmark::internal::Benchmark* b) {
    b->Args({20, 0});
    for (int cell : {8, 20, 40})
        b->Args({99, cell});
}

// Space and X in turn on the middle cell at a zoom, the cursor's row and column tinted: each
// mark redraws its cell and the clue strips whose state flips, and is repainted.
void BM_KeyMarkZoomed(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    OpenSized board(n);
    board.Zoom(static_cast<int>(state.range(1)));
    board.CursorTo(n / 2, n / 2);
    if (!board.dlg->Highlight())
        state.SkipWithError("no tinted row and column");
    board.painted.pixels = 0;
    bool fill = true;
    for (auto _ : state) {
        board.Key(fill ? Qt::Key_Space : Qt::Key_X);
        fill = !fill;
    }
    state.counters["cell"] = board.dlg->Layout().CellSize();
}
BENCHMARK(BM_KeyMarkZoomed)->Apply(ZoomArgs)->Unit(benchmark::kMicrosecond);

// A click by mouse on one of two neighbouring cells in turn, as the hand does it: the pointer
// moves there (the tint follows to its column), presses and releases, a fill or, with Ctrl, a
// clear; repainted.
void BM_MouseMarkZoomed(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    OpenSized board(n);
    board.Zoom(static_cast<int>(state.range(1)));
    board.Show(n / 2, n / 2, 2);
    const QPoint cells[] = {board.CellPoint(n / 2, n / 2), board.CellPoint(n / 2 + 1, n / 2)};
    CPlaygame& dlg = *board.dlg;
    const auto send = [&](QEvent::Type type, QPoint p, Qt::MouseButton button,
                          Qt::MouseButtons held, Qt::KeyboardModifiers modifiers) {
        QMouseEvent e(type, p, dlg.mapToGlobal(QPointF(p)), button, held, modifiers);
        QCoreApplication::sendEvent(&dlg, &e);
    };
    long long step = 0;
    for (auto _ : state) {
        const QPoint p = cells[step % 2];
        const Qt::KeyboardModifiers m = step / 2 % 2 ? Qt::ControlModifier : Qt::NoModifier;
        send(QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton, m);
        send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, m);
        send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, m);
        QCoreApplication::processEvents();
        ++step;
    }
    if (board.doc.GetPlayBoard().IsBlank() == (step % 4 == 0))
        state.counters["cell"] = dlg.Layout().CellSize();
    else
        state.SkipWithError("the clicks did not mark the cells");
}
BENCHMARK(BM_MouseMarkZoomed)->Apply(ZoomArgs)->Unit(benchmark::kMicrosecond);

// A zoom step of the 99 x 99 board and back, each repainted: the image at the new cell size,
// drawn where the view shows it.
void BM_ZoomStep99(benchmark::State& state) {
    OpenSized board(99);
    const int from = static_cast<int>(state.range(0)), to = static_cast<int>(state.range(1));
    board.Zoom(from);
    bool in = true;
    for (auto _ : state) {
        board.Zoom(in ? to : from);
        in = !in;
    }
}
BENCHMARK(BM_ZoomStep99)
    ->Args({8, 10})
    ->Args({16, 20})
    ->Args({32, 40})
    ->Unit(benchmark::kMillisecond);

// Ctrl+Z and Ctrl+Y in turn after a mark of the middle cell, each repainted.
void BM_KeyUndoRedo(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    OpenSized board(n);
    board.CursorTo(n / 2, n / 2);
    board.Key(Qt::Key_Space);
    board.painted.pixels = 0;
    bool undo = true;
    for (auto _ : state) {
        board.Key(undo ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
        undo = !undo;
    }
    state.counters["painted_px"] = benchmark::Counter(static_cast<double>(board.painted.pixels),
                                                      benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_KeyUndoRedo)->Arg(20)->Arg(99)->Unit(benchmark::kMicrosecond);

// H on a board a quarter marked (every fourth row right), with its repaint: line logic over
// the whole board, a cell marked and framed.  The hint's mark is taken back untimed.
void BM_KeyHint(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    OpenSized board(n);
    PlayBoard& marks = board.doc.GetPlayBoard();
    const Puzzle& puzzle = board.doc.GetPuzzle();
    for (int row = 0; row < n; row += 4) {
        for (int col = 0; col < n; ++col)
            marks.Apply(puzzle.AnswerAt(col, row) ? StrokeKind::Fill : StrokeKind::Cross,
                        {col, row});
    }
    marks.EndStroke();
    const auto blanks = [&] {
        int count = 0;
        for (int k = 0; k < n * n; ++k)
            count += marks.At({k % n, k / n}) == Mark::Blank;
        return count;
    };
    const int before = blanks();
    board.Key(Qt::Key_H);
    if (blanks() != before - 1)
        state.SkipWithError("the hint marked no cell");
    board.Key(Qt::Key_Z, Qt::ControlModifier);
    for (auto _ : state) {
        board.Key(Qt::Key_H);
        state.PauseTiming();
        board.Key(Qt::Key_Z, Qt::ControlModifier);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_KeyHint)->Arg(20)->Arg(99)->Unit(benchmark::kMicrosecond);

}  // namespace
