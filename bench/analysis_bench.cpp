// One whole analysis through the form view (binarization, block grid with its panels, the
// puzzle with its clues, test-mode drawing included) on a DrawBox-sized picture and on a
// 4000 x 4000 picture, and a step of the threshold bar (the analysis it runs), next to what
// the memory allows: one plain pass over every sample of the planes, and the passes over the
// bytes a re-analysis must touch (the gray sums read, the binary image written and read back).
// The floors use the same vector instructions as the code they are set against.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

#include "construct/ngm_view.h"
#include "construct/verdict_judge.h"
#include "platform/form.h"
#include "platform/scroll_codes.h"
#include "res/dialog_template.h"
#include "session/ngm_doc.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// A step of the lower threshold bar, back and forth: the analysis it runs, as a drag does.
void RunThresholdStep(benchmark::State& state, int size) {
    Analysis a(size, Picture::Shapes);
    a.view.OnAnalyze();
    auto* lower = a.view.Controls().Get<ScrollCodeBar>(IDC_LOWER_SCROLL);
    int code = SB_LINERIGHT;
    for (auto _ : state) {
        a.view.OnHScroll(code, 0, lower);
        code = code == SB_LINERIGHT ? SB_LINELEFT : SB_LINERIGHT;
    }
    if (a.doc.GetPuzzle().width != 20)
        state.SkipWithError("analysis did not run");
}
void BM_ThresholdStep260(benchmark::State& state) {
    RunThresholdStep(state, 260);
}
void BM_ThresholdStep4000(benchmark::State& state) {
    RunThresholdStep(state, 4000);
}

// The sum of count values, 4 at a time.
std::int64_t PlainSum(const std::int32_t* values, std::size_t count) {
#if defined(__SSE2__)
    __m128i sum = _mm_setzero_si128();
    for (std::size_t i = 0; i + 4 <= count; i += 4)
        sum = _mm_add_epi32(sum, _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + i)));
    alignas(16) std::int32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), sum);
    return std::int64_t{lanes[0]} + lanes[1] + lanes[2] + lanes[3];
#else
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += values[i];
    return sum;
#endif
}

// Every sample of the 4000 x 4000 planes read once.
void BM_PlainPass4000(benchmark::State& state) {
    Analysis a(4000, Picture::Shapes);
    const ColumnBuffer& planes = a.doc.m_ppInputPlanes;
    for (auto _ : state)
        benchmark::DoNotOptimize(PlainSum(planes.Data(), planes.Size()));
}

// The bytes of a re-analysis at 4000 x 4000: the gray sums read and widened into the binary
// image, written past the caches, then the binary image read back.
void BM_ReanalysisFloor4000(benchmark::State& state) {
    constexpr int kSide = 4000;
    GraySums gray;
    gray.Allocate(kSide, kSide);
    std::fill(gray[0], gray[0] + std::size_t{kSide} * kSide, std::uint16_t{1});
    ColumnBuffer binary;
    binary.Allocate(kSide, kSide);
    binary.Fill(0);
    const std::size_t count = binary.Size();
    for (auto _ : state) {
        const std::uint16_t* sums = std::as_const(gray)[0];
        std::int32_t* out = binary.Data();
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        for (std::size_t i = 0; i + 8 <= count; i += 8) {
            const __m128i g = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i));
            _mm_stream_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi16(g, zero));
            _mm_stream_si128(reinterpret_cast<__m128i*>(out + i + 4), _mm_unpackhi_epi16(g, zero));
        }
        _mm_sfence();
#else
        for (std::size_t i = 0; i < count; ++i)
            out[i] = sums[i];
#endif
        benchmark::DoNotOptimize(PlainSum(out, count));
    }
}

BENCHMARK(BM_Analysis260Shapes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Analysis260Checkerboard)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnalysisWithVerdict260Shapes)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_AnalysisWithVerdict260Checkerboard)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_ThresholdStep260)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainPass4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReanalysisFloor4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Analysis4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThresholdStep4000)->Unit(benchmark::kMillisecond);

}  // namespace
