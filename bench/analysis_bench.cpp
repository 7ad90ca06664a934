// One whole analysis through the form view (binarization, block grid with its panels, the
// puzzle with its clues, test-mode drawing included) on a DrawBox-sized picture and on a
// 4000 x 4000 picture, next to one plain pass that reads every sample of the planes.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <cstdint>
#include <memory>

#include "model/ngm_doc.h"
#include "construct/ngm_view.h"
#include "construct/verdict_judge.h"
#include "platform/form.h"
#include "res/dialog_template.h"

namespace {

enum class Picture { Shapes, Checkerboard };

// A picture with a disc, a frame and stripes (a few runs per line), or one whose 13-pixel
// blocks alternate so that every line of a 20 x 20 puzzle has ten clues.
int Sample(Picture picture, int size, int x, int y, int channel) {
    if (picture == Picture::Checkerboard) {
        const int b = size / 20;
        return (x / b + y / b) % 2 ? 255 : 20 + channel * 10;
    }
    const int cx = x - size / 2, cy = y - size / 3;
    const bool disc = cx * cx + cy * cy < size * size / 16;
    const bool frame = x < size / 10 || y > size - size / 8;
    const bool stripes = y > size * 2 / 3 && (x / (size / 7)) % 2 == 0;
    return disc || frame || stripes ? 40 + channel * 30 : 250 - channel;
}

struct Analysis {
    Analysis(int size, Picture picture) : view(&doc) {
        view.OnInitialUpdate();
        view.EnsurePanelImages();
        view.AllocBuffer(3 * size, size, 1);
        view.AllocBuffer(size, size, 2);
        for (int x = 0; x < size; ++x) {
            for (int c = 0; c < 3; ++c) {
                std::int32_t* column = doc.m_ppInputPlanes[3 * x + c];
                for (int y = 0; y < size; ++y)
                    column[y] = Sample(picture, size, x, y, c);
            }
        }
        CheckDlgButton(view.Controls(), IDC_TEST_MODE, true);
    }
    CNGMDoc doc;
    CNGMView view;
};

void RunAnalysis(benchmark::State& state, int size, Picture picture) {
    Analysis a(size, picture);
    // The first analysis is the first to write the binary image, and pays for mapping its
    // pages; the figure wanted is that of every later one (a threshold being dragged).
    a.view.OnAnalyze();
    for (auto _ : state) {
        a.view.OnAnalyze();
        benchmark::DoNotOptimize(a.doc.GetPuzzle().answer.data());
    }
    if (a.doc.GetPuzzle().width != 20)
        state.SkipWithError("analysis did not run");
}

void BM_Analysis260Shapes(benchmark::State& state) {
    RunAnalysis(state, 260, Picture::Shapes);
}
void BM_Analysis260Checkerboard(benchmark::State& state) {
    RunAnalysis(state, 260, Picture::Checkerboard);
}
void BM_Analysis4000(benchmark::State& state) {
    RunAnalysis(state, 4000, Picture::Shapes);
}

// The analysis of a 260-pixel picture until its verdict has reached the status bar: panels,
// puzzle, the judgement on its thread and the delivery back.
void RunAnalysisWithVerdict(benchmark::State& state, Picture picture) {
    Analysis a(260, picture);
    a.view.OnAnalyze();
    a.view.Judge()->WaitUntilDelivered(5000);
    for (auto _ : state) {
        a.view.OnAnalyze();
        if (!a.view.Judge()->WaitUntilDelivered(5000))
            state.SkipWithError("no verdict");
    }
}
void BM_AnalysisWithVerdict260Shapes(benchmark::State& state) {
    RunAnalysisWithVerdict(state, Picture::Shapes);
}
void BM_AnalysisWithVerdict260Checkerboard(benchmark::State& state) {
    RunAnalysisWithVerdict(state, Picture::Checkerboard);
}

// The reference: every sample of the 4000 x 4000 planes read once.
void BM_PlainPass4000(benchmark::State& state) {
    Analysis a(4000, Picture::Shapes);
    const ColumnBuffer& planes = a.doc.m_ppInputPlanes;
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (int x = 0; x < planes.Columns(); ++x) {
            const std::int32_t* column = planes[x];
            for (int y = 0; y < planes.Length(); ++y)
                sum += column[y];
        }
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(BM_Analysis260Shapes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Analysis260Checkerboard)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnalysisWithVerdict260Shapes)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_AnalysisWithVerdict260Checkerboard)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PlainPass4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Analysis4000)->Unit(benchmark::kMillisecond);

}  // namespace
