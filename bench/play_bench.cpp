// Painting the play board of a 20 x 20 puzzle: the clues, lines and marks drawn into the board
// image and the image copied to the screen, as every paint of the dialog does; and a drag
// across the whole board.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "model/ngm_doc.h"
#include "play/playgame.h"

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

}  // namespace
