// Puzzle files: ngm-cli make over 1,000 generated 260 x 260 pictures (pictures per second,
// verdicts included, on all cores); opening a 99 x 99 puzzle file in the window with its
// puzzle drawn, and its board drawn in the play dialog; exporting a 20 x 20 puzzle to each
// format.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <random>
#include <sstream>

#include "cli/commands.h"
#include "construct/ngm_view.h"
#include "construct/verdict_judge.h"
#include "formats/puzzle_export.h"
#include "formats/puzzle_file.h"
#include "play/playgame.h"
#include "session/ngm_doc.h"

namespace {

// A w x h grid like a picture's: random blobs that merge into shapes, about half filled.
std::vector<std::uint8_t> Blobs(int w, int h, std::mt19937& rng) {
    std::vector<int> field(w * h, 0);
    std::uniform_int_distribution<int> x(0, w - 1), y(0, h - 1), r(1, std::max(2, w / 5));
    for (int blob = 0; blob < w * h / 12; ++blob) {
        const int cx = x(rng), cy = y(rng), radius = r(rng), sign = blob % 3 == 0 ? -1 : 1;
        for (int j = std::max(0, cy - radius); j < std::min(h, cy + radius + 1); ++j)
            for (int i = std::max(0, cx - radius); i < std::min(w, cx + radius + 1); ++i)
                if ((i - cx) * (i - cx) + (j - cy) * (j - cy) <= radius * radius)
                    field[j * w + i] += sign;
    }
    std::vector<std::uint8_t> cells(w * h);
    for (int i = 0; i < w * h; ++i)
        cells[i] = field[i] > 0;
    return cells;
}

// A 260 x 260 P6 picture of 13-pixel blocks (20 x 20 of them), dark or light with noise.
QByteArray Picture(std::mt19937& rng) {
    const std::vector<std::uint8_t> cells = Blobs(20, 20, rng);
    QByteArray bytes = "P6\n260 260\n255\n";
    bytes.reserve(bytes.size() + 260 * 260 * 3);
    std::uniform_int_distribution<int> noise(0, 40);
    for (int py = 0; py < 260; ++py)
        for (int px = 0; px < 260; ++px) {
            const int base = cells[(py / 13) * 20 + px / 13] ? 20 : 215;
            for (int c = 0; c < 3; ++c)
                bytes.append(static_cast<char>(base + noise(rng)));
        }
    return bytes;
}

void BM_MakeThousandPictures(benchmark::State& state) {
    QTemporaryDir dir;
    std::mt19937 rng(2024);
    std::vector<std::string> args = {"make", "--out", dir.filePath("out").toStdString()};
    for (int i = 0; i < 1000; ++i) {
        const QString path = dir.filePath(QStringLiteral("p%1.ppm").arg(i));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(Picture(rng));
        args.push_back(path.toStdString());
    }
    std::size_t lines = 0;
    for (auto _ : state) {
        std::ostringstream out, err;
        if (RunCli(args, out, err) != 0)
            state.SkipWithError(err.str().c_str());
        const std::string text = out.str();
        lines = std::count(text.begin(), text.end(), '\n');
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    state.counters["pictures_per_s"] =
        benchmark::Counter(1000.0 * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_MakeThousandPictures)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// A 99 x 99 puzzle file with its answer, opened in the window and drawn in the puzzle panel.
void BM_OpenPuzzleFile99(benchmark::State& state) {
    QTemporaryDir dir;
    std::mt19937 rng(99);
    Puzzle puzzle = Puzzle::FromGrid(99, 99, Blobs(99, 99, rng));
    puzzle.title = "blobs";
    const PuzzleFileFormat format = static_cast<PuzzleFileFormat>(state.range(0));
    const QString path = dir.filePath(QStringLiteral("big.") + PuzzleFormatExtension(format));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray::fromStdString(WritePuzzleText(puzzle, format)));
    f.close();
    CNGMDoc doc;
    CNGMView view(&doc);
    view.OnInitialUpdate();
    view.EnsurePanelImages();
    for (auto _ : state) {
        if (!view.OpenPuzzleFile(path))
            state.SkipWithError("not read");
    }
    view.Judge()->Cancel();
}
BENCHMARK(BM_OpenPuzzleFile99)
    ->Arg(static_cast<int>(PuzzleFileFormat::kNon))
    ->Arg(static_cast<int>(PuzzleFileFormat::kXml))
    ->Unit(benchmark::kMillisecond);

// The play dialog's whole board for the 99 x 99 puzzle of such a file: clues, lines and cells,
// with the cells and scrolling the offscreen screen calls for.
void BM_PlayBoard99(benchmark::State& state) {
    std::mt19937 rng(99);
    CNGMDoc doc;
    doc.SetPuzzle(Puzzle::FromGrid(99, 99, Blobs(99, 99, rng)));
    CPlaygame dlg(&doc);
    dlg.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        dlg.DrawBoard();
    state.counters["cell_px"] = dlg.Layout().CellSize();
}
BENCHMARK(BM_PlayBoard99)->Unit(benchmark::kMillisecond);

// A 20 x 20 puzzle exported to a file of each format, written through a temporary file.
void BM_Export20(benchmark::State& state) {
    QTemporaryDir dir;
    std::mt19937 rng(20);
    Puzzle puzzle = Puzzle::FromGrid(20, 20, Blobs(20, 20, rng));
    puzzle.title = "Ro Rudav Izedo";
    const PuzzleFileFormat format = static_cast<PuzzleFileFormat>(state.range(0));
    const QString path = dir.filePath(QStringLiteral("p.") + PuzzleFormatExtension(format));
    const QString verdict = QStringLiteral("一意解・論理で解けます (難易度 2)");
    for (auto _ : state) {
        if (!WriteExportFiles(ExportFiles(puzzle, format, path, verdict)).isEmpty())
            state.SkipWithError("not written");
    }
}
BENCHMARK(BM_Export20)
    ->DenseRange(static_cast<int>(PuzzleFileFormat::kNon), static_cast<int>(PuzzleFileFormat::kPdf))
    ->Unit(benchmark::kMillisecond);

}  // namespace
