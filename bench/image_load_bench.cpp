// Loading a 4000 x 4000 picture into the input planes (the readers the view uses, into a
// freshly allocated canvas as each load does), next to reading the same file's bytes into
// freshly allocated memory, for a P6 file and a 24-bit bitmap.  The "/1" variants reuse one
// buffer that is already in memory for both, which leaves out the cost of first touching new
// memory and shows the reading and placing work alone.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

#include "image/bmp_reader.h"
#include "image/byte_reader.h"
#include "image/column_buffer.h"
#include "image/ppm_reader.h"
#include "image/square_canvas.h"

namespace {

constexpr int kSize = 4000;

std::uint8_t Sample(int x, int y, int channel) {
    return static_cast<std::uint8_t>((x * (channel + 3) + y * 7 + channel * 50) & 0xFF);
}

// The two files, written once into a temporary folder.
struct Files {
    QTemporaryDir dir;
    QString ppm;
    QString bmp;

    Files() {
        ppm = dir.filePath(QStringLiteral("big.ppm"));
        bmp = dir.filePath(QStringLiteral("big.bmp"));
        QByteArray p =
            "P6\n" + QByteArray::number(kSize) + ' ' + QByteArray::number(kSize) + "\n255\n";
        p.reserve(p.size() + kSize * kSize * 3);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                for (int c = 0; c < 3; ++c)
                    p.append(static_cast<char>(Sample(x, y, c)));
            }
        }
        Write(ppm, p);

        QByteArray b(54, '\0');
        auto le32 = [&](int at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i)
                b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        b[0] = 'B';
        b[1] = 'M';
        le32(10, 54);
        le32(14, 40);
        le32(18, kSize);
        le32(22, kSize);
        b[26] = 1;
        b[28] = 24;
        b.reserve(54 + kSize * kSize * 3);
        for (int y = kSize - 1; y >= 0; --y) {
            for (int x = 0; x < kSize; ++x) {
                for (int c = 2; c >= 0; --c)
                    b.append(static_cast<char>(Sample(x, y, c)));
            }
        }
        le32(2, static_cast<std::uint32_t>(b.size()));
        Write(bmp, b);
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            std::abort();
    }
};

Files& TheFiles() {
    static Files files;
    return files;
}

void ReadBytes(benchmark::State& state, const QString& path) {
    const bool reuse = state.range(0) != 0;
    QByteArray kept;
    if (reuse)
        kept.fill('\0', QFile(path).size());
    for (auto _ : state) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open");
        if (reuse) {
            f.read(kept.data(), kept.size());
            benchmark::DoNotOptimize(kept.data());
        } else {
            QByteArray bytes = f.readAll();
            benchmark::DoNotOptimize(bytes.data());
        }
        benchmark::ClobberMemory();
    }
}

// The canvas of a load: new for each load, or one kept (and already touched) for all.
ColumnBuffer& Canvas(ColumnBuffer& fresh, ColumnBuffer& kept, bool reuse, std::int64_t side) {
    const int s = static_cast<int>(side);
    if (!reuse) {
        fresh.Allocate(3 * s, s);
        return fresh;
    }
    if (kept.Columns() != 3 * s || kept.Length() != s) {
        kept.Allocate(3 * s, s);
        kept.Fill(0);
    }
    return kept;
}

void BM_ReadPpmBytes(benchmark::State& state) {
    ReadBytes(state, TheFiles().ppm);
}
void BM_ReadBmpBytes(benchmark::State& state) {
    ReadBytes(state, TheFiles().bmp);
}

void BM_LoadPpm(benchmark::State& state) {
    ColumnBuffer kept;
    for (auto _ : state) {
        QFile f(TheFiles().ppm);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open");
        char magic[3];
        f.read(magic, 3);  // what the sniffing step consumes
        ByteReader reader(f);
        PpmHeader header;
        ReadPpmHeader(reader, header);
        const SquareCanvas canvas = ComputeSquareCanvas(header.width, header.height);
        ColumnBuffer fresh;
        ColumnBuffer& planes = Canvas(fresh, kept, state.range(0) != 0, canvas.side);
        ReadPpmPixels(reader, static_cast<int>(header.width), static_cast<int>(header.height),
                      canvas, planes);
        benchmark::DoNotOptimize(planes.Data());
        benchmark::ClobberMemory();
    }
}

void BM_LoadBmp(benchmark::State& state) {
    ColumnBuffer kept;
    for (auto _ : state) {
        QFile f(TheFiles().bmp);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open");
        char magic[3];
        f.read(magic, 3);
        ByteReader reader(f);
        BmpHeader header;
        ReadBmpHeader(reader, header);
        const SquareCanvas canvas = ComputeSquareCanvas(header.width, header.height);
        ColumnBuffer fresh;
        ColumnBuffer& planes = Canvas(fresh, kept, state.range(0) != 0, canvas.side);
        ReadBmpPixels(reader, header, canvas, planes);
        benchmark::DoNotOptimize(planes.Data());
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(BM_ReadPpmBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPpm)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBmpBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBmp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
