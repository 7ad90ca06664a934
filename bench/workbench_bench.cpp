// The workbench at work: a cell edited by hand with everything it redraws (the answer grid, the
// puzzle with its clues, the form's block and puzzle panels) on 30 x 30 and 99 x 99 puzzles, and
// a cell of a 30 x 30 colour puzzle of four colours given the next colour;
// the verdict on the edited 30 x 30 puzzle delivered from the background judge; and on a
// 4000 x 4000 picture, a frame of a window resize and of a crop drag.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <array>
#include <cmath>
#include <memory>

#include "construct/ngm_view.h"
#include "construct/verdict_judge.h"
#include "construct/workbench.h"
#include "construct/workbench_panes.h"
#include "session/ngm_doc.h"

namespace {

// A picture of soft shapes (a disc, a ring and a slanted bar) on white: a picture-like puzzle
// at any block count, with long and short runs in most lines.
// Which shape a pixel lies in: 1 the disc, 2 the ring, 3 the bar, 4 the dots, 0 none.
int ShapeAt(int x, int y, int size) {
    const double u = double(x) / size - 0.5, v = double(y) / size - 0.5;
    const double r = std::hypot(u + 0.15, v + 0.1);
    if (r < 0.22)
        return 1;
    if (std::abs(std::hypot(u - 0.2, v - 0.2) - 0.18) < 0.05)
        return 2;
    if (std::abs(u - v * 0.5 - 0.25) < 0.04)
        return 3;
    return ((x / (size / 25 + 1)) + (y / (size / 25 + 1))) % 7 == 0 && u > 0 ? 4 : 0;
}

// The shapes dark on white, or each in a colour of its own.
std::array<int, 3> Shade(int x, int y, int size, bool colour) {
    static constexpr std::array<int, 3> kColours[] = {
        {240, 240, 240}, {200, 30, 40}, {30, 60, 190}, {40, 150, 60}, {240, 170, 20}};
    const int shape = ShapeAt(x, y, size);
    if (colour)
        return kColours[shape];
    return shape ? std::array<int, 3>{30, 30, 30} : kColours[0];
}

struct Bench {
    CNGMDoc doc;
    CNGMView view{&doc};
    // colours: 0 for black and white, or the colours of a colour puzzle.
    explicit Bench(int pictureSide, int blocks, int colours = 0) {
        view.OnInitialUpdate();
        view.show();
        view.AllocBuffer(3 * pictureSide, pictureSide, 1);
        view.AllocBuffer(pictureSide, pictureSide, 2);
        for (int x = 0; x < pictureSide; ++x) {
            for (int y = 0; y < pictureSide; ++y) {
                const std::array<int, 3> rgb = Shade(x, y, pictureSide, colours > 0);
                for (int c = 0; c < 3; ++c)
                    doc.m_ppInputPlanes[3 * x + c][y] = rgb[c];
            }
        }
        view.ApplyPicturePresentState();
        view.SetCustomBlocks(blocks, blocks);
        view.SetColours(colours);  // which analyses
        view.OnWorkbench();
        Workbench().resize(1200, 900);
        QApplication::processEvents();
        view.Judge()->WaitUntilDelivered(60000);
    }
    CWorkbench& Workbench() { return *view.Workbench(); }
    // Turns one cell over as a stroke of the mouse does, and paints everything it left to
    // repaint in both windows.
    void EditCell(int i) {
        PuzzleSession& session = view.Session();
        const int n = session.GetPuzzle().width;
        const CellPos cell{(i * 7) % n, (i * 3) % n};
        session.BeginStroke();
        const Puzzle& puzzle = session.GetPuzzle();
        const int now = puzzle.AnswerAt(cell.column, cell.row);
        if (puzzle.IsColour())
            session.StrokeColour(cell, (now + 1) % (puzzle.ColourCount() + 1));
        else
            session.StrokeCell(cell, !now);
        view.ShowEditedAnswer();
        session.EndStroke();
        Workbench().Editor()->update();
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
};

void BM_CellEdit(benchmark::State& state) {
    Bench bench(400, static_cast<int>(state.range(0)));
    int i = 0;
    for (auto _ : state)
        bench.EditCell(i++);
    bench.view.Judge()->Cancel();
}
BENCHMARK(BM_CellEdit)->Arg(30)->Arg(99)->Unit(benchmark::kMillisecond);

void BM_ColourCellEdit30(benchmark::State& state) {
    Bench bench(400, 30, 4);
    int i = 0;
    for (auto _ : state)
        bench.EditCell(i++);
    bench.view.Judge()->Cancel();
}
BENCHMARK(BM_ColourCellEdit30)->Unit(benchmark::kMillisecond);

// The verdict of the puzzle an edit made, from the start of the judgement to its delivery.
void BM_VerdictAfterEdit30(benchmark::State& state) {
    Bench bench(400, 30);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bench.view.Judge()->WaitUntilDelivered(60000);
        bench.EditCell(i++);
        bench.view.Judge()->Cancel();
        state.ResumeTiming();
        bench.view.JudgePuzzle();
        bench.view.Judge()->WaitUntilDelivered(60000);
    }
}
BENCHMARK(BM_VerdictAfterEdit30)->Unit(benchmark::kMillisecond);

// A frame of a resize of the workbench showing a 4000 x 4000 picture.
void BM_ResizeFrame4000(benchmark::State& state) {
    Bench bench(4000, 20);
    CWorkbench& wb = bench.Workbench();
    int i = 0;
    for (auto _ : state) {
        wb.resize(1000 + (i % 40) * 5, 760 + (i % 40) * 3);
        ++i;
        QApplication::sendPostedEvents();
        wb.repaint();
    }
}
BENCHMARK(BM_ResizeFrame4000)->Unit(benchmark::kMillisecond);

// A frame of a crop dragged across the same picture: the pointer moves, the pane repaints.
void BM_CropDragFrame4000(benchmark::State& state) {
    Bench bench(4000, 20);
    WorkbenchImagePane* pane = bench.Workbench().PicturePane();
    const QRect image = pane->ImageRect();
    auto send = [pane](QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent event(type, p, pane->mapToGlobal(p), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(pane, &event);
    };
    const QPoint from = image.topLeft() + QPoint(10, 10);
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    int i = 0;
    for (auto _ : state) {
        send(QEvent::MouseMove, from + QPoint(40 + i % 100, 40 + i % 80), Qt::LeftButton);
        ++i;
        pane->repaint();
    }
    send(QEvent::MouseButtonRelease, from + QPoint(60, 60), Qt::NoButton);
}
BENCHMARK(BM_CropDragFrame4000)->Unit(benchmark::kMillisecond);

}  // namespace
