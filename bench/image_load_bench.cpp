// Loading a 4000 x 4000 picture, next to what the memory allows.
//   ReadBytes: the file's bytes read into memory allocated like the planes (huge pages);
//   WritePlanes: the planes and gray sums of the canvas written once, past the caches;
//   Load: the loader (sniffing, header, pixels) into the planes of its canvas;
//   PictureToPuzzle: the program's own sequence, a file dropped on the view (the size question
//   answered Yes) and analysed, until the puzzle and all four panels are drawn.
// "/fresh" variants allocate (and first touch) their memory in each iteration, as a first
// load does; "/kept" variants allocate it once, outside the timed loop, as a load of a
// picture of the same canvas size does, which writes into the planes of the previous one.
// Png: a 2000 x 2000 PNG through the loader, next to Qt's reader decoding it alone.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <variant>

#include "construct/ngm_view.h"
#include "image/column_buffer.h"
#include "image/gray_sums.h"
#include "model/picture_loader.h"
#include "platform/message_box.h"
#include "session/ngm_doc.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int kSize = 4000;
constexpr int kPngSize = 2000;

std::uint8_t Sample(int x, int y, int channel) {
    return static_cast<std::uint8_t>((x * (channel + 3) + y * 7 + channel * 50) & 0xFF);
}

// The files, written once into a temporary folder.
struct Files {
    QTemporaryDir dir;
    QString ppm;
    QString bmp;
    QString png;

    Files() {
        ppm = dir.filePath(QStringLiteral("big.ppm"));
        bmp = dir.filePath(QStringLiteral("big.bmp"));
        png = dir.filePath(QStringLiteral("big.png"));
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

        QImage image(kPngSize, kPngSize, QImage::Format_RGB32);
        for (int y = 0; y < kPngSize; ++y) {
            for (int x = 0; x < kPngSize; ++x)
                image.setPixel(x, y, qRgb(Sample(x, y, 0), Sample(x, y, 1), Sample(x, y, 2)));
        }
        if (!image.save(png, "png", 90))
            std::abort();
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

const QString& FileOf(const benchmark::State& state) {
    return state.range(0) == 0 ? TheFiles().ppm : TheFiles().bmp;
}

struct FreeBytes {
    void operator()(void* p) const { std::free(p); }
};
using PixelMemory = std::unique_ptr<void, FreeBytes>;

void BM_ReadBytes(benchmark::State& state) {
    const QString& path = FileOf(state);
    const bool kept = state.range(1) != 0;
    const qint64 size = QFile(path).size();
    PixelMemory memory;
    if (kept) {
        memory.reset(AllocatePixelMemory(static_cast<std::size_t>(size)));
        std::memset(memory.get(), 0, static_cast<std::size_t>(size));
    }
    for (auto _ : state) {
        PixelMemory fresh;
        if (!kept)
            fresh.reset(AllocatePixelMemory(static_cast<std::size_t>(size)));
        char* bytes = static_cast<char*>(kept ? memory.get() : fresh.get());
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly) || f.read(bytes, size) != size)
            state.SkipWithError("cannot read");
        benchmark::DoNotOptimize(bytes);
        benchmark::ClobberMemory();
    }
}

// The planes and the gray sums of the 4000 x 4000 canvas, each sample written once.
void BM_WritePlanes(benchmark::State& state) {
    ColumnBuffer planes;
    planes.Allocate(3 * kSize, kSize);
    planes.Fill(0);
    GraySums gray;
    gray.Allocate(kSize, kSize);
    std::memset(gray[0], 0, std::size_t{kSize} * kSize * 2);
    for (auto _ : state) {
#if defined(__SSE2__)
        auto fill = [](void* start, std::size_t bytes, int value) {
            auto* p = static_cast<__m128i*>(start);
            const __m128i v = _mm_set1_epi32(value);
            for (std::size_t i = 0; i < bytes / 16; ++i)
                _mm_stream_si128(p + i, v);
        };
        fill(planes.Data(), planes.Size() * 4, 255);
        fill(gray[0], std::size_t{kSize} * kSize * 2, 765);
        _mm_sfence();
#else
        planes.Fill(255);
        std::fill(gray[0], gray[0] + std::size_t{kSize} * kSize, std::uint16_t{765});
#endif
        benchmark::ClobberMemory();
    }
}

void BM_Load(benchmark::State& state) {
    const QString& path = FileOf(state);
    const bool kept = state.range(1) != 0;
    Picture previous;
    for (auto _ : state) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open");
        PictureLoader loader(f, SniffPictureFormat(f));
        if (!std::holds_alternative<PictureHeader>(loader.ReadHeader()))
            state.SkipWithError("header refused");
        auto pixels = loader.ReadPixels(kept ? &previous : nullptr);
        if (!std::holds_alternative<Picture>(pixels))
            state.SkipWithError("pixels refused");
        // A kept picture is the one the next load writes into; a fresh one goes at once.
        Picture picture = std::get<Picture>(std::move(pixels));
        benchmark::DoNotOptimize(std::as_const(picture.planes).Data());
        if (kept) {
            previous = std::move(picture);
        } else {
            state.PauseTiming();
            picture = Picture{};
            state.ResumeTiming();
        }
    }
}

void BM_PictureToPuzzle(benchmark::State& state) {
    const QString& path = FileOf(state);
    const MessageBoxHook previous = SetMessageBoxHook([](const QString&, unsigned) {
        return IDYES;  // the size question; nothing else is asked of a good file
    });
    CNGMDoc doc;
    CNGMView view(&doc);
    view.OnInitialUpdate();
    view.EnsurePanelImages();
    // The first load and analysis allocate the planes and the binary image; every later one
    // is a picture of the same size following it.
    view.OnDropFiles({path});
    view.OnAnalyze();
    for (auto _ : state) {
        view.OnDropFiles({path});
        view.OnAnalyze();
        benchmark::DoNotOptimize(doc.GetPuzzle().answer.data());
    }
    if (doc.GetPuzzle().width != 20 || doc.m_picture.width != kSize)
        state.SkipWithError("the picture did not become a puzzle");
    SetMessageBoxHook(previous);
}

void BM_DecodePngWithQt(benchmark::State& state) {
    for (auto _ : state) {
        QImageReader reader(TheFiles().png, "png");
        QImage image = reader.read();
        if (image.isNull())
            state.SkipWithError("cannot decode");
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_LoadPng(benchmark::State& state) {
    Picture previous;
    for (auto _ : state) {
        QFile f(TheFiles().png);
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open");
        PictureLoader loader(f, SniffPictureFormat(f));
        if (!std::holds_alternative<PictureHeader>(loader.ReadHeader()))
            state.SkipWithError("header refused");
        auto pixels = loader.ReadPixels(&previous);
        if (!std::holds_alternative<Picture>(pixels))
            state.SkipWithError("pixels refused");
        previous = std::get<Picture>(std::move(pixels));
    }
}

void FileArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"bmp", "kept"});
    for (int file : {0, 1}) {
        for (int kept : {0, 1})
            b->Args({file, kept});
    }
}

}  // namespace

BENCHMARK(BM_ReadBytes)->Apply(FileArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePlanes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Apply(FileArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PictureToPuzzle)->ArgName("bmp")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePngWithQt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPng)->Unit(benchmark::kMillisecond);
