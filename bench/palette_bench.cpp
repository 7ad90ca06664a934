// The palette of a 4000 x 4000 picture already loaded (eight colours asked, shapes of five
// colours with noise on a light ground, so that the subsample holds thousands of distinct
// colours), and the colours of its 20 x 20 and 99 x 99 blocks, which read every pixel.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>

#include "analysis/palette.h"

namespace {

constexpr int kSide = 4000;

const Picture& Loaded() {
    static Picture picture = [] {
        Picture p = Picture::Filling(kSide, kSide);
        const int colours[5][3] = {
            {235, 230, 220}, {200, 40, 40}, {40, 150, 60}, {40, 60, 190}, {240, 200, 40}};
        std::uint32_t seed = 1;
        for (int x = 0; x < kSide; ++x) {
            for (int y = 0; y < kSide; ++y) {
                seed = seed * 1103515245u + 12345u;
                const int dx = x - kSide / 2, dy = y - kSide / 3;
                int k = 0;
                if (dx * dx + dy * dy < kSide * kSide / 16)
                    k = 1;
                else if ((y / 300) % 4 == 1)
                    k = 2 + (x / 500) % 2;
                else if (x > 3 * kSide / 4 && y > 3 * kSide / 4)
                    k = 4;
                const int noise = static_cast<int>((seed >> 16) % 17) - 8;
                for (int c = 0; c < 3; ++c)
                    p.planes[3 * x + c][y] = std::clamp(colours[k][c] + noise, 0, 255);
            }
        }
        return p;
    }();
    return picture;
}

void BM_Palette(benchmark::State& state) {
    const Picture& picture = Loaded();
    PaletteOptions options;
    options.colours = 8;
    std::size_t found = 0;
    for (auto _ : state) {
        const Palette palette = FindPalette(picture, options);
        found = palette.colours.size();
        benchmark::DoNotOptimize(palette);
    }
    state.counters["colours"] = static_cast<double>(found);
}

void BM_BlockColours(benchmark::State& state) {
    const Picture& picture = Loaded();
    PaletteOptions options;
    options.colours = 8;
    const Palette palette = FindPalette(picture, options);
    const int n = static_cast<int>(state.range(0));
    const BlockDivision division = CanvasDivision(n, n, kSide, kSide);
    for (auto _ : state)
        benchmark::DoNotOptimize(BlockColours(picture, division, palette));
}

}  // namespace

BENCHMARK(BM_Palette)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlockColours)->Arg(20)->Arg(99)->Unit(benchmark::kMillisecond);
