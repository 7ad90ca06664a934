// ngm-cli make --colours 4 of a 1000 x 1000 picture at 30 blocks: the work beyond reading the
// picture (palette, block colours, clues, verdict and the .non text) on a picture read once
// before the loop, next to the same steps in black and white; and the whole command, reading
// included, for scale.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <sstream>

#include "cli/commands.h"
#include "cli/picture_file.h"
#include "formats/non_format.h"
#include "session/puzzle_session.h"

namespace {

constexpr int kSide = 1000;

// Four colour areas with soft noise on a white ground: a disc, a bar, a ring and a square.
QByteArray Picture() {
    QByteArray bytes = "P6\n1000 1000\n255\n";
    bytes.reserve(bytes.size() + kSide * kSide * 3);
    const unsigned char colours[5][3] = {
        {250, 250, 245}, {200, 30, 40}, {30, 140, 60}, {30, 60, 190}, {230, 190, 30}};
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const double dx = x - 300, dy = y - 320, r = std::sqrt(dx * dx + dy * dy);
            const double ex = x - 700, ey = y - 700, s = std::sqrt(ex * ex + ey * ey);
            int c = 0;
            if (r < 200)
                c = 1;
            else if (y > 560 && y < 640 && x > 80 && x < 520)
                c = 2;
            else if (s > 140 && s < 230)
                c = 3;
            else if (x > 620 && x < 900 && y > 100 && y < 380)
                c = 4;
            const int noise = ((x * 7919 + y * 104729) % 17) - 8;
            for (int k = 0; k < 3; ++k)
                bytes.append(static_cast<char>(std::clamp(colours[c][k] + noise, 0, 255)));
        }
    }
    return bytes;
}

// The picture written into `dir` as p.ppm; its path.
QString WritePicture(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("p.ppm"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(Picture());
    return path;
}

// Analysis, verdict and .non text of the picture read once: colours 4, or 0 (black and white).
void BM_MakeBeyondLoad(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = WritePicture(dir);
    PuzzleSession session;
    if (!ReadPictureFile(session, path).isEmpty())
        state.SkipWithError("not read");
    AnalysisSettings settings{0, 250, BlockChoice::Square(30)};
    settings.colours = static_cast<int>(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        session.Analyze(settings);
        session.Judge();
        bytes = WriteNon(session.GetPuzzle()).size();
    }
    state.counters["colours"] = session.GetPuzzle().ColourCount();
    state.counters["non_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_MakeBeyondLoad)->Arg(4)->Arg(0)->Unit(benchmark::kMillisecond);

// The whole command, the picture read each time.
void BM_MakeColoursCommand(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = WritePicture(dir);
    const std::vector<std::string> args = {"make",
                                           "--colours",
                                           "4",
                                           "--blocks",
                                           "30",
                                           "--out",
                                           dir.filePath(QStringLiteral("out")).toStdString(),
                                           path.toStdString()};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (RunCli(args, out, err) != 0)
            state.SkipWithError(err.str().c_str());
    }
}
BENCHMARK(BM_MakeColoursCommand)->Unit(benchmark::kMillisecond);

}  // namespace
