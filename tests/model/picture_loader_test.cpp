// The loading rules, without a window: which headers are refused and why, what the header
// asks, the square canvas, pixels read only after the questions, memory that cannot be had,
// and which paths are opened at all.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <utility>
#include <variant>

#include "image/image_format.h"
#include "image/regular_file.h"
#include "model/ngm_doc.h"
#include "model/picture_loader.h"

namespace {

using Q = PictureQuestion;

QByteArray Le32(std::uint32_t v) {
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>(v >> (8 * i));
    return b;
}

// Headers only: a bitmap of the given size and bit count, pixels (if any) after them.
QByteArray Bmp(std::int32_t width, std::int32_t height, int bits, QByteArray pixels = {}) {
    const int table = bits <= 8 ? 4 << bits : 0;
    QByteArray b = "BM" + Le32(0) + Le32(0) + Le32(54 + table) + Le32(40) +
                   Le32(static_cast<std::uint32_t>(width)) +
                   Le32(static_cast<std::uint32_t>(height));
    b += QByteArray("\x01\x00", 2) + QByteArray(1, static_cast<char>(bits)) + QByteArray(1, 0);
    b += QByteArray(24, '\0') + QByteArray(table, '\x7F');
    return b + pixels;
}

QByteArray Ppm(const QByteArray& size, QByteArray pixels = {}) {
    return "P6\n" + size + "\n255\n" + pixels;
}

// A loader over bytes, as the flows give it a file: sniffed first.
struct Load {
    explicit Load(QByteArray data) : bytes(std::move(data)) {
        device.setBuffer(&bytes);
        device.open(QIODevice::ReadOnly);
        format = SniffPictureFormat(device);
        loader.emplace(device, format);
    }
    QByteArray bytes;
    QBuffer device;
    int format = 0;
    std::optional<PictureLoader> loader;
};

// While alive, allocations of at least `bytes` fail; every size asked for is recorded.
struct AllocationWatch {
    explicit AllocationWatch(std::size_t failFrom = SIZE_MAX) {
        previous = ColumnBuffer::SetAllocationGate([this, failFrom](std::size_t size) {
            sizes.push_back(size);
            return size < failFrom;
        });
    }
    ~AllocationWatch() { ColumnBuffer::SetAllocationGate(previous); }
    ColumnBuffer::AllocationGate previous;
    std::vector<std::size_t> sizes;
};

TEST(PictureLoader, SniffingNamesTheFormatFromTheFirstBytesAndReadsNothing) {
    const std::pair<QByteArray, int> cases[] = {
        {"P1\n", kFormatP1},
        {"P5\n", kFormatP5},
        {"P6\n", kFormatPpm},
        {"P6", kFormatPpm},
        {QByteArray("BM\0", 3), kFormatBmp},
        {"\x89PNG\r\n\x1a\n", kFormatPng},
        {"\xff\xd8\xff\xe0", kFormatJpeg},
        {"GIF87a", kFormatGif},
        {"GIF89a", kFormatGif},
        {QByteArray("RIFF\x10\0\0\0WEBP", 12), kFormatWebp},
        {QByteArray("II*\0", 4), kFormatTiff},
        {QByteArray("MM\0*", 4), kFormatTiff},
        {"P7\n", kFormatUnknown},
        {"B", kFormatUnknown},
        {"", kFormatUnknown},
        {"bm", kFormatUnknown},
        {"\x89PNG\r\n", kFormatUnknown},  // cut inside the signature
        {"GIF88a", kFormatUnknown},
        {QByteArray("RIFF\x10\0\0\0WAVE", 12), kFormatUnknown},
    };
    for (const auto& [bytes, format] : cases) {
        Load load(bytes);
        EXPECT_EQ(load.format, format) << bytes.toHex().constData();
        EXPECT_EQ(load.device.pos(), 0);
    }
}

TEST(PictureLoader, HeadersAreRefusedOrTellTheCanvasAndTheQuestionsInOrder) {
    const struct {
        const char* name;
        QByteArray file;
        std::variant<PictureRefusal, PictureHeader> expected;
    } cases[] = {
        {"gray", "P5\n4 2\n255\n", PictureHeader{4, 2, {20, 16, 18}, {}}},
        {"text", "hello", PictureRefusal::kUnsupported},
        {"header cut", "P6\n4 2", PictureRefusal::kUnsupported},
        {"compressed", Bmp(4, 4, 8).replace(30, 1, "\x01"), PictureRefusal::kUnsupported},
        {"tall", Ppm("1 8001"), PictureRefusal::kTooLarge},
        {"huge bitmap", Bmp(4, INT32_MIN, 24), PictureRefusal::kTooLarge},
        {"zero width", Ppm("0 5"), PictureRefusal::kEmpty},
        {"zero height", Ppm("5 0"), PictureRefusal::kEmpty},
        {"zero both", Ppm("0 0"), PictureRefusal::kEmpty},
        {"bitmap zero width", Bmp(0, 4, 24), PictureRefusal::kEmpty},
        {"bitmap zero height", Bmp(4, 0, 24), PictureRefusal::kEmpty},
        {"few bits, but empty", Bmp(0, 4, 8), PictureRefusal::kEmpty},
        {"small", Ppm("4 2"), PictureHeader{4, 2, {20, 16, 18}, {}}},
        {"exactly 260", Ppm("260 3"), PictureHeader{260, 3, {260, 0, 257}, {}}},
        {"261 wide", Ppm("261 10"), PictureHeader{261, 10, {280, 19, 270}, {Q::kLargerThanPanel}}},
        {"largest", Ppm("7981 1"), PictureHeader{7981, 1, {8000, 19, 7999}, {Q::kLargerThanPanel}}},
        {"24 bits", Bmp(3, 2, 24), PictureHeader{3, 2, {20, 17, 18}, {}}},
        {"top-down", Bmp(3, -2, 24), PictureHeader{3, 2, {20, 17, 18}, {}}},
        {"8 bits", Bmp(3, 2, 8), PictureHeader{3, 2, {20, 17, 18}, {Q::kFewColorBits}}},
        {"1 bit, large", Bmp(300, 2, 1),
         PictureHeader{300, 2, {300, 0, 298}, {Q::kFewColorBits, Q::kLargerThanPanel}}},
        {"16 bits", Bmp(3, 2, 16), PictureHeader{3, 2, {20, 17, 18}, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AllocationWatch watch;
        Load load(c.file);
        const auto got = load.loader->ReadHeader();
        EXPECT_TRUE(watch.sizes.empty());  // the header never allocates the planes
        if (const auto* refusal = std::get_if<PictureRefusal>(&c.expected)) {
            ASSERT_TRUE(std::holds_alternative<PictureRefusal>(got));
            EXPECT_EQ(std::get<PictureRefusal>(got), *refusal);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<PictureHeader>(got));
        const PictureHeader& want = std::get<PictureHeader>(c.expected);
        const PictureHeader& h = std::get<PictureHeader>(got);
        EXPECT_EQ(std::tuple(h.width, h.height, h.canvas.side, h.canvas.padX, h.canvas.padY),
                  std::tuple(want.width, want.height, want.canvas.side, want.canvas.padX,
                             want.canvas.padY));
        EXPECT_EQ(h.questions, want.questions);
        for (Q q : {Q::kFewColorBits, Q::kLargerThanPanel})
            EXPECT_EQ(h.Asks(q), std::ranges::count(want.questions, q) == 1);
    }
}

TEST(PictureLoader, PixelsLandCentredOnAWhiteCanvasWithTheSizeTheyCameWith) {
    Load load(Ppm("3 2", "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10\x11"));
    ASSERT_TRUE(std::holds_alternative<PictureHeader>(load.loader->ReadHeader()));
    auto pixels = load.loader->ReadPixels();
    ASSERT_TRUE(std::holds_alternative<Picture>(pixels));
    const Picture& p = std::get<Picture>(pixels);
    EXPECT_EQ(std::tuple(p.width, p.height, p.CanvasWidth(), p.CanvasHeight()),
              std::tuple(3, 2, 20, 20));
    // Columns 8..10 of rows 9 and 10; the last sample is missing from the data: white.
    EXPECT_EQ(std::tuple(p.planes[24][9], p.planes[25][9], p.planes[26][9]), std::tuple(1, 2, 3));
    EXPECT_EQ(std::tuple(p.planes[30][10], p.planes[31][10], p.planes[32][10]),
              std::tuple(16, 17, 255));
    EXPECT_EQ(std::tuple(p.planes[0][0], p.planes[59][19], p.planes[27][8]),
              std::tuple(255, 255, 255));

    // Without a header read first there is nothing to read.
    Load unread(Ppm("3 2"));
    EXPECT_EQ(std::get<PictureRefusal>(unread.loader->ReadPixels()), PictureRefusal::kUnsupported);
}

TEST(PictureLoader, PlanesThatCannotBeHadAreRefusedAndTheDocumentKeepsItsPicture) {
    CNGMDoc doc;
    doc.m_picture = Picture::Filling(40, 40);
    doc.m_ppInputPlanes.Fill(9);
    const std::int32_t* before = doc.m_ppInputPlanes.Data();
    for (const QByteArray& file : {Ppm("300 300"), Bmp(300, 300, 24)}) {
        Load load(file);
        ASSERT_TRUE(std::holds_alternative<PictureHeader>(load.loader->ReadHeader()));
        AllocationWatch watch(std::size_t{300} * 300 * 4);
        auto pixels = load.loader->ReadPixels();
        ASSERT_TRUE(std::holds_alternative<PictureRefusal>(pixels));
        EXPECT_EQ(std::get<PictureRefusal>(pixels), PictureRefusal::kOutOfMemory);
        EXPECT_EQ(watch.sizes, std::vector<std::size_t>{std::size_t{900} * 300 * 4});
    }
    EXPECT_EQ(std::tuple(doc.Width(), doc.Height(), doc.m_ppInputPlanes.Data()),
              std::tuple(40, 40, before));
    EXPECT_EQ(doc.m_ppInputPlanes[119][39], 9);

    // The document's planes are the picture's: a new picture replaces both at once.
    doc.m_picture = Picture::Filling(20, 10);
    EXPECT_EQ(std::tuple(doc.m_ppInputPlanes.Columns(), doc.Width(), doc.Height()),
              std::tuple(60, 20, 10));
    doc.m_picture = Picture{};
    EXPECT_FALSE(doc.HasPicture());
    EXPECT_EQ(std::pair(doc.Width(), doc.Height()), std::pair(0, 0));
}

// The picture read with `reuse`, or the refusal.
std::variant<Picture, PictureRefusal> ReadReusing(const QByteArray& file, Picture* reuse) {
    Load load(file);
    if (!std::holds_alternative<PictureHeader>(load.loader->ReadHeader()))
        return PictureRefusal::kUnsupported;
    return load.loader->ReadPixels(reuse);
}

QByteArray Raster(int pixels, int seed) {
    QByteArray bytes;
    for (int i = 0; i < 3 * pixels; ++i)
        bytes.append(static_cast<char>((i * 7 + seed) % 256));
    return bytes;
}

TEST(PictureLoader, APictureOfTheSameCanvasIsWrittenIntoThePlanesOfThePrevious) {
    auto first = ReadReusing(Ppm("37 35", Raster(37 * 35, 1)), nullptr);
    ASSERT_TRUE(std::holds_alternative<Picture>(first));
    Picture previous = std::get<Picture>(std::move(first));
    const std::int32_t* planes = std::as_const(previous.planes).Data();

    // Same canvas (40 x 40): the planes are taken over and written anew, sums and all.
    auto second = ReadReusing(Ppm("33 40", Raster(33 * 40, 2)), &previous);
    ASSERT_TRUE(std::holds_alternative<Picture>(second));
    Picture& p = std::get<Picture>(second);
    EXPECT_TRUE(previous.IsEmpty());
    EXPECT_EQ(std::as_const(p.planes).Data(), planes);
    EXPECT_EQ(std::tuple(p.width, p.height), std::tuple(33, 40));
    EXPECT_TRUE(p.gray.Match(p.planes));
    // Sample 0 of the first pixel, at (3, 0); the old picture's columns 0..2 are white now.
    EXPECT_EQ(std::tuple(std::as_const(p.planes)[9][0], std::as_const(p.planes)[0][0]),
              std::tuple(2, 255));

    // Another canvas, or a picture that cannot be decoded: the picture offered stays whole.
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QImage(40, 40, QImage::Format_RGB32).save(&png, "png");
    QByteArray broken = png.data();
    broken.truncate(60);  // the header, but not the data
    for (const QByteArray& file : {Ppm("41 41", Raster(41 * 41, 3)), broken}) {
        auto other = ReadReusing(file, &p);
        EXPECT_EQ(std::holds_alternative<Picture>(other), file != broken);
        EXPECT_EQ(std::as_const(p.planes).Data(), planes);
        EXPECT_EQ(std::tuple(p.width, p.height), std::tuple(33, 40));
        EXPECT_TRUE(p.gray.Match(p.planes));
    }
}

TEST(PictureLoader, GraySumsHoldOnlyWhileThePlanesAreUnchanged) {
    auto read = ReadReusing(Ppm("5 4", Raster(20, 5)), nullptr);
    ASSERT_TRUE(std::holds_alternative<Picture>(read));
    Picture p = std::get<Picture>(std::move(read));
    const Picture& seen = p;
    EXPECT_TRUE(p.gray.Match(p.planes));
    EXPECT_EQ(seen.gray[2][8], seen.planes[6][8] + seen.planes[7][8] + seen.planes[8][8]);
    // Moving the picture moves the sums with the planes; reading changes nothing.
    Picture moved = std::move(p);
    EXPECT_TRUE(moved.gray.Match(moved.planes));
    EXPECT_FALSE(p.gray.Match(p.planes));
    // Any writable access may have changed a sample.
    moved.planes[0][0] = 0;
    EXPECT_FALSE(moved.gray.Match(moved.planes));
    Picture filled = Picture::Filling(20, 20);
    filled.gray.Allocate(20, 20);
    EXPECT_FALSE(filled.gray.Match(filled.planes));
}

// Data that cannot go back, as from a pipe: read from where it is, after the sniffing step.
TEST(PictureLoader, DataThatCannotGoBackIsReadFromWhereItIs) {
    struct Stream : QBuffer {
        bool isSequential() const override { return true; }
    };
    for (const QByteArray& file : {Ppm("3 2", Raster(6, 4)), QByteArray(Bmp(3, 2, 24))}) {
        QByteArray bytes = file;
        Stream device;
        device.setBuffer(&bytes);
        device.open(QIODevice::ReadOnly);
        PictureLoader loader(device, SniffPictureFormat(device));
        const auto header = loader.ReadHeader();
        // P6 reads on; the bitmap reader places itself in the file and needs to go back.
        EXPECT_EQ(std::holds_alternative<PictureHeader>(header), file.startsWith("P6"));
        if (file.startsWith("P6")) {
            auto pixels = loader.ReadPixels();
            ASSERT_TRUE(std::holds_alternative<Picture>(pixels));
            EXPECT_EQ(std::as_const(std::get<Picture>(pixels).planes)[24][9], 4);
        }
    }
}

TEST(PictureLoader, OnlyRegularFilesAreOpenedAndNothingWaits) {
    QTemporaryDir dir;
    const QString file = dir.filePath("a.ppm");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("P6\n");
    f.close();
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = dir.filePath("link");
    ASSERT_TRUE(QFile::link(fifo, link));
    const std::pair<QString, RegularFileOpen> cases[] = {
        {file, RegularFileOpen::kOpened},
        {fifo, RegularFileOpen::kNotRegularFile},
        {link, RegularFileOpen::kNotRegularFile},
        {dir.path(), RegularFileOpen::kNotRegularFile},
        {"/dev/zero", RegularFileOpen::kNotRegularFile},
        {dir.filePath("missing"), RegularFileOpen::kFailed},
    };
    for (const auto& [path, expected] : cases) {
        SCOPED_TRACE(path.toStdString());
        QElapsedTimer clock;
        clock.start();
        QFile opened;
        EXPECT_EQ(OpenRegularFile(path, opened), expected);
        EXPECT_LT(clock.elapsed(), 1000);
        EXPECT_EQ(opened.isOpen(), expected == RegularFileOpen::kOpened);
        if (opened.isOpen()) {
            EXPECT_EQ(opened.readAll(), QByteArray("P6\n"));
        }
    }
}

}  // namespace
