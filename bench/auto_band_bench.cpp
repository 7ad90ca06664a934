// The automatic band of a 4000 x 4000 picture as loaded (planes with their gray sums), beside
// one plain pass over the same gray sums (the bytes it must read), and from the planes alone
// (a picture whose sums do not hold); the trim to the band's bounding box on the same picture.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "analysis/auto_band.h"
#include "analysis/binarize.h"
#include "analysis/crop.h"

namespace {

constexpr int kSide = 4000;

// A disc and stripes of a few grays on a lighter ground, with a little noise, and its gray
// sums made as the readers make them.
const Picture& Loaded() {
    static Picture picture = [] {
        Picture p = Picture::Filling(kSide, kSide);
        std::uint32_t seed = 1;
        for (int x = 0; x < kSide; ++x) {
            for (int y = 0; y < kSide; ++y) {
                seed = seed * 1103515245u + 12345u;
                const int dx = x - kSide / 2, dy = y - kSide / 3;
                const bool dark = dx * dx + dy * dy < kSide * kSide / 16 || (y / 300) % 3 == 0;
                const int gray = (dark ? 60 : 190) + static_cast<int>((seed >> 16) % 40);
                for (int c = 0; c < 3; ++c)
                    p.planes[3 * x + c][y] = gray;
            }
        }
        ColumnBuffer binary;
        binary.Allocate(kSide, kSide);
        p.gray.Allocate(kSide, kSide);
        BinarizePlanes(p.planes, kSide, kSide, 0, 1, binary, &p.gray);
        return p;
    }();
    return picture;
}

void BM_AutoBand(benchmark::State& state) {
    const Picture& picture = Loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(AutoBand(picture, false));
}

// The floor: every gray sum read once and added up.
void BM_ReadGraySums(benchmark::State& state) {
    const Picture& picture = Loaded();
    for (auto _ : state) {
        std::uint64_t total = 0;
        for (int x = 0; x < kSide; ++x) {
            const std::uint16_t* column = picture.gray[x];
            for (int y = 0; y < kSide; ++y)
                total += column[y];
        }
        benchmark::DoNotOptimize(total);
    }
}

void BM_AutoBandFromPlanes(benchmark::State& state) {
    static Picture planesOnly = [] {
        Picture p = Picture::Filling(kSide, kSide);
        for (int column = 0; column < 3 * kSide; ++column) {
            const std::int32_t* from = Loaded().planes[column];
            std::copy(from, from + kSide, p.planes[column]);
        }
        return p;
    }();
    for (auto _ : state)
        benchmark::DoNotOptimize(AutoBand(planesOnly, false));
}

void BM_TrimRect(benchmark::State& state) {
    const Picture& picture = Loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(TrimRect(picture, 0, 128));
}

}  // namespace

BENCHMARK(BM_AutoBand)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadGraySums)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoBandFromPlanes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrimRect)->Unit(benchmark::kMillisecond);
