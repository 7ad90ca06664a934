// The saved games: keeping the game of a 30 x 30 puzzle when the play dialog closes, into a
// store of 1,000 puzzles written atomically to its file, and reading such a store at start-up.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <random>

#include "session/puzzle_session.h"

namespace {

// A store of `count` puzzles of 20 x 20 to 30 x 30 with half-played boards, in a file.
void FillStore(ProgressStore& store, int count) {
    std::mt19937 rng(1);
    for (int k = 0; k < count; ++k) {
        const int side = 20 + k % 11;
        PuzzleRecord record{side, side, {}, false, 300, 1, 600, 1, 2};
        for (int i = 0; i < side * side; ++i)
            record.marks.push_back(static_cast<Mark>(rng() % 3));
        store.Put(QByteArray::number(k).leftJustified(32, '.'), std::move(record));
    }
    store.Save();
}

void BM_KeepProgressOnClose(benchmark::State& state) {
    QTemporaryDir dir;
    ProgressStore store(dir.filePath(QStringLiteral("progress.dat")));
    FillStore(store, 999);
    PuzzleSession session;
    session.UseProgressStore(&store);
    std::vector<std::uint8_t> cells(30 * 30);
    for (std::size_t i = 0; i < cells.size(); i += 3)
        cells[i] = 1;
    session.SetPuzzle(Puzzle::FromGrid(30, 30, cells));
    int seconds = 0;
    for (auto _ : state) {
        // One mark and a tick since the last close, as a game between two closes has.
        session.Board().Apply(StrokeKind::Fill, {seconds % 30, seconds / 30 % 30});
        session.Tally().seconds = ++seconds;
        session.KeepProgress();
    }
}
BENCHMARK(BM_KeepProgressOnClose)->Unit(benchmark::kMillisecond);

void BM_LoadStoreOf1000(benchmark::State& state) {
    QTemporaryDir dir;
    ProgressStore written(dir.filePath(QStringLiteral("progress.dat")));
    FillStore(written, 1000);
    for (auto _ : state) {
        ProgressStore store(written.Path());
        store.Load();
        benchmark::DoNotOptimize(store.Size());
    }
}
BENCHMARK(BM_LoadStoreOf1000)->Unit(benchmark::kMillisecond);

}  // namespace
