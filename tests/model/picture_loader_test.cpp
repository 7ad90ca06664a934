// The loading rules without a window: which headers are refused, before anything is allocated;
// the canvas and the questions of a header; the canvas down to its last sample for P6, bitmaps
// and Qt's readers; cut files; and the planes of the previous picture taken over.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <functional>
#include <optional>
#include <utility>
#include <variant>

#include "../support/picture_files.h"
#include "image/image_format.h"
#include "image/qt_reader.h"
#include "model/picture_loader.h"

namespace {

using namespace picture_files;
using PixelFn = std::function<Rgb(int x, int y)>;
constexpr auto kBits = PictureQuestion::kFewColorBits;
constexpr auto kLarge = PictureQuestion::kLargerThanPanel;
using enum PictureRefusal;
const Rgb kWhite = {255, 255, 255}, kBlack = {0, 0, 0};

PixelFn Flat(Rgb c) {
    return [c](int, int) { return c; };
}
PixelFn Row(std::vector<Rgb> row) {
    return [row](int x, int) { return row[x]; };
}
// Rows of colour-table indices, top row first; index 4 lies past the table: black.
const std::vector<std::uint32_t> kTable = {0x102030, 0xFFFFFF, 0x00FF00, 0xABCDEF};
PixelFn Indices(std::vector<const char*> rows) {
    return [rows](int x, int y) {
        const int i = rows[y][x] - '0', c = i < 4 ? static_cast<int>(kTable[i]) : 0;
        return Rgb{c >> 16, (c >> 8) & 0xFF, c & 0xFF};
    };
}

// What loading the bytes as the flows load a file came to: the refusal, else the header and,
// when asked for, the picture (written into reuse's planes when they fit).
struct Loaded {
    std::optional<PictureRefusal> refusal;
    PictureHeader header;
    Picture picture;
};

Loaded Load(QByteArray bytes, bool pixels = true, Picture* reuse = nullptr, bool sums = false) {
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    PictureLoader loader(device, SniffPictureFormat(device));
    Loaded loaded;
    auto header = loader.ReadHeader();
    if (auto* refusal = std::get_if<PictureRefusal>(&header)) {
        loaded.refusal = *refusal;
    } else {
        loaded.header = std::get<PictureHeader>(header);
        auto read = !pixels ? Picture{} : sums ? loader.ReadGraySums() : loader.ReadPixels(reuse);
        if (auto* refusal = std::get_if<PictureRefusal>(&read))
            loaded.refusal = *refusal;
        else
            loaded.picture = std::get<Picture>(std::move(read));
    }
    return loaded;
}

// The canvas: the picture centred, every other sample white, and gray sums that match the
// planes.
void ExpectCanvas(const Loaded& loaded, int width, int height, const PixelFn& expected) {
    ASSERT_FALSE(loaded.refusal.has_value()) << static_cast<int>(*loaded.refusal);
    const Picture& p = loaded.picture;
    const int side = static_cast<int>(ComputeSquareCanvas(width, height).side);
    ASSERT_EQ(std::tuple(p.width, p.height, p.CanvasWidth(), p.CanvasHeight()),
              std::tuple(width, height, side, side));
    ASSERT_TRUE(p.gray.Match(p.planes));
    const int left = (side - width) / 2, top = (side - height) / 2;
    for (int x = 0; x < side; ++x) {
        for (int y = 0; y < side; ++y) {
            const bool inside = x >= left && x < left + width && y >= top && y < top + height;
            const Rgb want = inside ? expected(x - left, y - top) : kWhite;
            const Rgb got = {p.planes[3 * x][y], p.planes[3 * x + 1][y], p.planes[3 * x + 2][y]};
            for (int s = 0; s < 3; ++s)
                ASSERT_EQ(got[s], want[s]) << x << "," << y << " sample " << s;
            ASSERT_EQ(p.gray[x][y], got[0] + got[1] + got[2]) << x << "," << y;
        }
    }
}

TEST(PictureLoader, HeadersAreRefusedOrTellTheCanvasAndTheQuestionsInOrder) {
    const struct {
        const char* name;
        QByteArray file;
        std::optional<PictureRefusal> refusal;
        PictureHeader header{};
    } cases[] = {
        {"text", "hello", kUnsupported},
        // The netpbm header rules, one case per way a header goes wrong (cut headers are
        // the cut-file test's).
        {"maximum 0", "P6\n4 2\n0\n", kUnsupported},
        {"maximum 65536", "P6\n4 2\n65536\n", kUnsupported},
        {"no separator after the magic", "P64 2 255\n", kUnsupported},
        {"letter in the width", "P6\n4x 2\n255\n", kUnsupported},
        {"sign on the width", "P6\n-4 2\n255\n", kUnsupported},
        {"PNG whose header its reader cannot read", "\x89PNG\r\n\x1a\n not a header", kDamaged},
        // Bitmaps: compressed, masks on a bit count without them, unknown bit counts, the old
        // short header, a negative width.
        {"RLE8", Bmp(4, 4, {.bitCount = 8, .compression = 1}), kUnsupported},
        {"masks on 24 bits", Bmp(4, 4, {.compression = 3}), kUnsupported},
        {"12 bits", Bmp(4, 4, {.bitCount = 12}), kUnsupported},
        {"core header", Bmp(4, 4, {.infoSize = 12}), kUnsupported},
        {"bitmap of negative width", Bmp(-4, 4, {}), kUnsupported},
        // Canvases larger than 8000 a side, whatever the header claims, refused from it alone.
        {"tall", "P6\n1 8001\n255\n", kTooLarge},
        {"P5 without pixels", "P5 60000 60000 255\n", kTooLarge},
        {"number beyond any size", "P6\n99999999999999999999999999 1\n255\n", kTooLarge},
        {"bitmap of height INT32_MIN", Bmp(4, INT32_MIN, {}), kTooLarge},
        {"zero width", "P6\n0 5\n255\n", kEmpty},
        // The canvas: the larger side rounded up to 20; questions in the order asked.
        {"PNG", Encoded(PatternImage(37, 35), "png"), {}, {37, 35, {40, 3, 5}, {}}},
        {"exactly 260", "P6\n260 3\n255\n", {}, {260, 3, {260, 0, 257}, {}}},
        {"261 wide", "P6\n261 10\n255\n", {}, {261, 10, {280, 19, 270}, {kLarge}}},
        {"largest", "P6\n7981 1\n255\n", {}, {7981, 1, {8000, 19, 7999}, {kLarge}}},
        {"16 bits, tall", Bmp(2, 3, {.bitCount = 16}), {}, {2, 3, {20, 18, 17}, {}}},
        {"8 bits", Bmp(3, 2, {.bitCount = 8}), {}, {3, 2, {20, 17, 18}, {kBits}}},
        {"1 bit", Bmp(300, 2, {.bitCount = 1}), {}, {300, 2, {300, 0, 298}, {kBits, kLarge}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int asked = 0;
        const auto gate = ColumnBuffer::SetAllocationGate([&asked](std::size_t) {
            ++asked;
            return true;
        });
        const Loaded loaded = Load(c.file, false);
        ColumnBuffer::SetAllocationGate(gate);
        EXPECT_EQ(asked, 0);  // the header never allocates the planes
        EXPECT_EQ(loaded.refusal, c.refusal);
        const PictureHeader& want = c.header;
        const PictureHeader& h = loaded.header;
        EXPECT_EQ(std::tuple(h.width, h.height, h.canvas.side, h.canvas.padX, h.canvas.padY),
                  std::tuple(want.width, want.height, want.canvas.side, want.canvas.padX,
                             want.canvas.padY));
        EXPECT_EQ(h.questions, want.questions);
    }
}

TEST(PictureFormats, EachFormatPutsItsExactSamplesOnTheWhiteCanvas) {
    // A red pixel half transparent shows half white; a fully transparent one white.
    QImage alpha = PatternImage(37, 35).convertToFormat(QImage::Format_ARGB32);
    alpha.setPixel(0, 0, qRgba(255, 0, 0, 128));
    alpha.setPixel(36, 34, qRgba(10, 20, 30, 0));
    const PixelFn alphaShown = [](int x, int y) {
        return x == 0 && y == 0 ? Rgb{255, 127, 127} : x == 36 && y == 34 ? kWhite : Pattern(x, y);
    };
    auto hex = [](const char* bytes) { return QByteArray::fromHex(bytes); };
    const struct {
        const char* name;
        QByteArray file;
        int width, height;
        PixelFn expected;
    } cases[] = {
        // The netpbm header rules: any whitespace, comments anywhere.  More than 16 rows and
        // pixels: whole blocks and the rest, off the canvas edges.
        {"every kind of whitespace", Ppm(37, 35, "P6\t37\v35\f255 "), 37, 35, Pattern},
        {"bare carriage returns", Ppm(37, 35, "P6\r37\r35\r255\r"), 37, 35, Pattern},
        {"comments as separators", Ppm(37, 35, "P6#a\n37#b\r35#c\n255#d\n"), 37, 35, Pattern},
        // Samples scaled from their maximum to the nearest of 255; above it, and missing, 255.
        {"maximum 1", QByteArray("P6 1 1 1\n\x00\x01\x02", 12), 1, 1, Flat({0, 255, 255})},
        {"maximum 65535, cut in the last sample",
         QByteArray("P6 1 1 65535\n\x80\x00\xff\xff\x00", 18), 1, 1, Flat({128, 255, 255})},
        // Rows padded to 4 bytes; more rows than one band of the reader, in both row orders.
        {"bmp", Bmp24(259, 260), 259, 260, Pattern},
        {"bmp top-down", Bmp24(21, 300, true), 21, 300, Pattern},
        // The larger info headers: the pixels are found through bfOffBits.
        {"bmp V4", Bmp24(6, 2, false, {.infoSize = 108}), 6, 2, Pattern},
        // Colour tables; rows of 4 bytes, the bottom row first; 1 bit takes 2 entries.
        {"1 bit", Bmp(9, 2, {.bitCount = 1, .palette = kTable}, hex("5a000000a5800000")), 9, 2,
         Indices({"101001011", "010110100"})},
        {"8 bits", Bmp(3, 2, {.bitCount = 8, .palette = kTable}, hex("0302010000010400")), 3, 2,
         Indices({"014", "321"})},
        // Masked pixels are scaled to 0..255 and rounded.
        {"16 bits 5-6-5",
         Bmp(4, 1, {.bitCount = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}},
             hex("ffffe00720000080")),
         4, 1, Row({kWhite, {0, 255, 0}, {0, 4, 0}, {132, 0, 0}})},
        {"32 bits BGRX", Bmp(4, 1, {.bitCount = 32}, hex("563412ff0000ff0000ff0000ff000000")), 4, 1,
         Row({{0x12, 0x34, 0x56}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}})},
        // Qt's readers.
        {"PNG with alpha", Encoded(alpha, "png"), 37, 35, alphaShown},
        {"WebP lossless", Encoded(PatternImage(21, 30), "webp"), 21, 30, Pattern},
        {"TIFF", Encoded(PatternImage(40, 3), "tiff"), 40, 3, Pattern},
        {"P1", "P1\n3 1\n1 0 1\n", 3, 1, Row({kBlack, kWhite, kBlack})},
        {"P2", "P2\n2 1\n100\n20 100\n", 2, 1, Row({{51, 51, 51}, kWhite})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.file.isEmpty());
        ExpectCanvas(Load(c.file), c.width, c.height, c.expected);
    }
    // The readers may not allocate more than the largest allowed picture needs.
    QByteArray png = Encoded(PatternImage(4, 4), "png");
    QBuffer device(&png);
    device.open(QIODevice::ReadOnly);
    OpenQtReader(device, "png");
    EXPECT_EQ(QImageReader::allocationLimit(), kQtAllocationLimitMb);
}

// No cut of a P6 or bitmap file crashes or hangs.  A P6 file cut in its header is refused
// there; one cut in the pixel data leaves what it lacks white.  A bitmap cut anywhere after
// its signature, or whose pixels lie past its end, is damaged.
TEST(PictureFormats, ACutFileIsRefusedInItsHeadersAndWhiteWhereItsPixelsEnd) {
    QByteArray farOffset = Bmp24(3, 2);
    PutLe(farOffset, 10, 1u << 30);
    EXPECT_EQ(Load(farOffset).refusal, kDamaged);
    const struct {
        QByteArray file;
        int pixelBytes, width, height;
        PixelFn full;
        std::function<int(int x, int y, int s)> lastByte;  // of sample s, in the pixel data
    } files[] = {
        {Ppm(6, 3, "P6\n# c\n6 3\n255\n"), 54, 6, 3, Pattern,
         [](int x, int y, int s) { return (y * 6 + x) * 3 + s; }},
        {Bmp(2, 2, {.bitCount = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}},
             QByteArray::fromHex("00f800f800f800f8")),
         8, 2, 2, Row({{255, 0, 0}, {255, 0, 0}}),
         [](int x, int y, int) { return (1 - y) * 4 + 2 * x + 1; }},  // whole pixels or white
        {Bmp(2, 2, {.bitCount = 4, .palette = kTable}, QByteArray::fromHex("1200000001000000")), 8,
         2, 2, Indices({"01", "12"}),
         [](int x, int y, int) { return (1 - y) * 4 + x / 2; }},  // whole pixels or white
    };
    for (const auto& f : files) {
        const int header = static_cast<int>(f.file.size()) - f.pixelBytes;
        for (int n = 0; n <= f.file.size(); ++n) {
            SCOPED_TRACE(testing::Message() << f.file.left(2).constData() << " cut at " << n);
            const Loaded loaded = Load(f.file.left(n));
            const bool bitmap = f.file.startsWith("BM");
            if (n < header || (bitmap && n < f.file.size())) {
                EXPECT_EQ(loaded.refusal, !bitmap || n < 2 ? kUnsupported : kDamaged);
                continue;
            }
            ExpectCanvas(loaded, f.width, f.height, [&](int x, int y) {
                Rgb c = f.full(x, y);
                for (int s = 0; s < 3; ++s)
                    c[s] = f.lastByte(x, y, s) < n - header ? c[s] : 255;
                return c;
            });
        }
    }
}

TEST(PictureLoader, APictureOfTheSameCanvasIsWrittenIntoThePlanesOfThePrevious) {
    Picture previous = Load(Ppm(37, 35)).picture;
    const std::int32_t* planes = std::as_const(previous.planes).Data();
    // Same canvas (40 x 40): the planes are taken over and written anew, padding and sums too.
    Loaded loaded = Load(Ppm(33, 40), true, &previous);
    EXPECT_TRUE(previous.IsEmpty());
    EXPECT_EQ(std::as_const(loaded.picture.planes).Data(), planes);
    ExpectCanvas(loaded, 33, 40, Pattern);
}

// Read for its gray sums alone, a picture from each kind of reader has the sums of the whole
// read, on the same canvas, and no planes.
TEST(PictureLoader, GraySumsAloneAreThoseOfTheWholePicture) {
    for (const QByteArray& file :
         {Ppm(70, 45), Bmp24(53, 66), Encoded(PatternImage(33, 48), "png")}) {
        const Loaded whole = Load(file), sums = Load(file, true, nullptr, true);
        const Picture& p = sums.picture;
        ASSERT_TRUE(p.SumsOnly());
        ASSERT_EQ(p.CanvasWidth(), whole.picture.CanvasWidth());
        for (int x = 0; x < p.CanvasWidth(); ++x) {
            for (int y = 0; y < p.CanvasHeight(); ++y)
                ASSERT_EQ(p.gray[x][y], whole.picture.gray[x][y]) << x << "," << y;
        }
    }
}

}  // namespace
