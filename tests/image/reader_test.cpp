// The widget-free readers: buffered bytes, format codes, the square canvas, the PPM header
// with its quirks, the bitmap layouts, and what is left white when the data ends early.
#include <QBuffer>
#include <climits>

#include "image/bmp_reader.h"
#include "image/byte_reader.h"
#include "image/image_format.h"
#include "image/ppm_reader.h"
#include "image/square_canvas.h"
#include "picture_bytes.h"

namespace {

// A read-only device over bytes that counts how often it is asked for data.
class CountingDevice : public QIODevice {
public:
    explicit CountingDevice(QByteArray bytes) : m_bytes(std::move(bytes)) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    int Reads() const { return m_nReads; }
    qint64 size() const override { return m_bytes.size(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        ++m_nReads;
        const qint64 n = std::min<qint64>(maxSize, m_bytes.size() - pos());
        if (n <= 0)
            return 0;
        std::memcpy(data, m_bytes.constData() + pos(), static_cast<std::size_t>(n));
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    int m_nReads = 0;
};

QByteArray Counting(int n) {
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(static_cast<char>(i));
    return b;
}

// Planes prefilled with a value no reader writes, so that a sample left unwritten shows.
ColumnBuffer SentinelPlanes(std::int64_t side) {
    ColumnBuffer planes;
    planes.Allocate(3 * static_cast<int>(side), static_cast<int>(side));
    planes.Fill(-7);
    return planes;
}

// Only the header of a "P6" file, read from after the magic and separator.
bool PpmHeaderOf(QByteArray bytes, PpmHeader& header) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(std::min<qint64>(3, bytes.size()));
    ByteReader reader(buffer);
    return ReadPpmHeader(reader, header);
}

struct PpmLoad {
    bool headerOk = false;
    PpmHeader header;
    SquareCanvas canvas;
    ColumnBuffer planes;
};

// Reads a whole "P6" file as the view does: the 3 bytes of the magic and separator first.
PpmLoad LoadPpm(QByteArray bytes) {
    PpmLoad r;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(3);
    ByteReader reader(buffer);
    r.headerOk = ReadPpmHeader(reader, r.header);
    if (!r.headerOk)
        return r;
    r.canvas = ComputeSquareCanvas(r.header.width, r.header.height);
    r.planes = SentinelPlanes(r.canvas.side);
    ReadPpmPixels(reader, static_cast<int>(r.header.width), static_cast<int>(r.header.height),
                  r.canvas, r.planes);
    return r;
}

struct BmpLoad {
    BmpHeaderStatus status = BmpHeaderStatus::kTruncated;
    BmpHeader header;
    SquareCanvas canvas;
    ColumnBuffer planes;
};

BmpLoad LoadBmp(QByteArray bytes) {
    BmpLoad r;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // Where the sniffing step leaves it; the reader positions itself.
    buffer.seek(std::min<qint64>(3, bytes.size()));
    ByteReader reader(buffer);
    r.status = ReadBmpHeader(reader, r.header);
    if (r.status != BmpHeaderStatus::kOk)
        return r;
    r.canvas = ComputeSquareCanvas(r.header.width, r.header.height);
    r.planes = SentinelPlanes(r.canvas.side);
    ReadBmpPixels(reader, r.header, r.canvas, r.planes);
    return r;
}

void ExpectLoaded(const BmpLoad& r, int width, int height, const PixelFn& expected) {
    ASSERT_EQ(r.status, BmpHeaderStatus::kOk);
    ASSERT_EQ(r.header.width, width);
    ASSERT_EQ(r.header.height, height);
    ExpectCanvas(r.planes, static_cast<int>(r.canvas.side), static_cast<int>(r.canvas.padX / 2),
                 static_cast<int>(r.canvas.padY / 2), width, height, expected);
}

TEST(ByteReader, ReadsInBlocksAndReportsTheEndWithoutWaiting) {
    const QByteArray bytes = Counting(100);
    CountingDevice device(bytes);
    ByteReader reader(device, 16);
    std::uint8_t b = 0;
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(reader.Get(b));
        ASSERT_EQ(b, static_cast<std::uint8_t>(i));
    }
    // 7 blocks of 16 bytes, then one read that finds the end.
    EXPECT_LE(device.Reads(), 8);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(reader.Get(b));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_LE(device.Reads(), 8);
}

TEST(ByteReader, BulkReadsSkipsAndSeeksAcrossBlocks) {
    QByteArray bytes = Counting(200);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ByteReader reader(buffer, 16);
    std::uint8_t b = 0;
    ASSERT_TRUE(reader.Get(b));
    std::uint8_t out[64] = {};
    ASSERT_EQ(reader.Read(out, 40), 40);  // crosses block boundaries
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ(out[i], i + 1);
    EXPECT_EQ(reader.Skip(9), 9);
    ASSERT_TRUE(reader.Get(b));
    EXPECT_EQ(b, 50);
    // A read larger than a block, partly from the buffered rest.
    ASSERT_EQ(reader.Read(out, 64), 64);
    EXPECT_EQ(out[0], 51);
    EXPECT_EQ(out[63], 114);
    // Short at the end, then nothing.
    EXPECT_EQ(reader.Read(out, 64), 64);
    EXPECT_EQ(reader.Read(out, 64), 21);
    EXPECT_EQ(out[20], 199);
    EXPECT_EQ(reader.Read(out, 64), 0);
    EXPECT_EQ(reader.Skip(5), 0);

    // Seeking back starts over; past the end there is nothing to read.
    ASSERT_TRUE(reader.Seek(10));
    ASSERT_TRUE(reader.Get(b));
    EXPECT_EQ(b, 10);
    EXPECT_FALSE(reader.Seek(201));
    EXPECT_FALSE(reader.Get(b));
    EXPECT_TRUE(reader.Seek(0));
    EXPECT_TRUE(reader.Get(b));
}

TEST(ByteReader, LoadingAPictureTakesFewDeviceReads) {
    const QByteArray ppm = Ppm(100, 100);  // 30 000 pixel bytes
    CountingDevice device(ppm);
    device.seek(3);
    ByteReader reader(device);
    PpmHeader header;
    ASSERT_TRUE(ReadPpmHeader(reader, header));
    const SquareCanvas canvas = ComputeSquareCanvas(100, 100);
    ColumnBuffer planes = SentinelPlanes(canvas.side);
    ReadPpmPixels(reader, 100, 100, canvas, planes);
    EXPECT_LE(device.Reads(), 4);
    ExpectCanvas(planes, 100, 0, 0, 100, 100, Pattern);
}

TEST(ImageFormat, MagicGivesTheFormatCode) {
    const struct {
        const char magic[2];
        int code;
    } cases[] = {
        {{'P', '1'}, 1}, {{'P', '2'}, 2}, {{'P', '3'}, 3}, {{'P', '4'}, 4},
        {{'P', '5'}, 5}, {{'P', '6'}, 6}, {{'B', 'M'}, 7}, {{'P', '7'}, 0},
        {{'p', '6'}, 0}, {{'M', 'B'}, 0}, {{'P', 0}, 0},   {{0, 0}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFromMagic(c.magic), c.code) << c.magic[0] << c.magic[1];
}

TEST(SquareCanvas, SideIsTheLargerDimensionRoundedUpToTwenty) {
    const struct {
        std::int64_t w, h, side, padX, padY;
    } cases[] = {
        {4, 2, 20, 16, 18},      {3, 2, 20, 17, 18},    {640, 480, 640, 0, 160},
        {300, 300, 300, 0, 0},   {260, 260, 260, 0, 0}, {261, 10, 280, 19, 270},
        {10, 261, 280, 270, 19}, {100, 80, 100, 0, 20}, {0, 0, 0, 0, 0},
        {0, 5, 20, 20, 15},      {5, 0, 20, 15, 20},    {7990, 3, 8000, 10, 7997},
    };
    for (const auto& c : cases) {
        const SquareCanvas s = ComputeSquareCanvas(c.w, c.h);
        EXPECT_EQ(s.side, c.side) << c.w << "x" << c.h;
        EXPECT_EQ(s.padX, c.padX) << c.w << "x" << c.h;
        EXPECT_EQ(s.padY, c.padY) << c.w << "x" << c.h;
    }
}

TEST(SquareCanvas, CanvasesAboveEightThousandAreTooLarge) {
    EXPECT_FALSE(CanvasTooLarge(8000, 8000));
    EXPECT_FALSE(CanvasTooLarge(7981, 1));  // rounds up to exactly 8000
    EXPECT_TRUE(CanvasTooLarge(8001, 1));
    EXPECT_TRUE(CanvasTooLarge(1, 8001));
    EXPECT_TRUE(CanvasTooLarge(std::int64_t{1} << 31, 1));
    EXPECT_TRUE(CanvasTooLarge(std::int64_t{1} << 40, std::int64_t{1} << 40));
}

TEST(SquareCanvas, InformationLinesUseTheArrowAndCrLf) {
    EXPECT_EQ(CanvasInfoLines(100, 80, 100),
              QStringLiteral("Xsize:100\u2192100\r\nYsize:80\u2192100\r\n"));
    EXPECT_EQ(CanvasInfoLines(261, 10, 280),
              QStringLiteral("Xsize:261\u2192280\r\nYsize:10\u2192280\r\n"));
}

struct HeaderCase {
    const char* afterMagic;  // the header after "P6" and its separator
    std::int64_t width, height;
};

TEST(PpmHeader, NumberFieldsCountEveryByteAsADigit) {
    const HeaderCase cases[] = {
        {"#comment\n4 2\n255\n", 4, 2},  {"640 480\n255\n", 640, 480},
        {"640 480\r\n255\n", 640, 4800},  // CR is the digit 0
        {"640  480\n255\n", 640, 480},    // an extra space is a leading 0 of the height
        {"6x0 4a0\n255\n", 600, 400},     // any other byte is 0 as well
        {"#a\n#b\n4 2\n255\n", 4, 2},     // second comment: its bytes are leading zeros
        {" 4 2\n255\n", 0, 402},          // the width field is empty
    };
    for (const HeaderCase& c : cases) {
        PpmHeader header;
        ASSERT_TRUE(PpmHeaderOf(QByteArray("P6\n") + c.afterMagic, header)) << c.afterMagic;
        EXPECT_EQ(header.width, c.width) << c.afterMagic;
        EXPECT_EQ(header.height, c.height) << c.afterMagic;
    }
}

TEST(PpmHeader, HugeNumbersAreHeldWithoutOverflow) {
    PpmHeader header;
    ASSERT_TRUE(PpmHeaderOf("P6\n99999999999999999999999999 1\n255\n", header));
    EXPECT_GT(header.width, INT_MAX);
    EXPECT_EQ(header.height, 1);
    EXPECT_TRUE(CanvasTooLarge(header.width, header.height));
}

TEST(PpmHeader, EveryCutInsideTheHeaderIsSeenAsTheEnd) {
    const QByteArray header("P6\n#comment\n4 2\n255\n");
    PpmHeader parsed;
    for (int n = 0; n < header.size(); ++n)
        EXPECT_FALSE(PpmHeaderOf(header.left(n), parsed)) << "cut at " << n;
    EXPECT_TRUE(PpmHeaderOf(header, parsed));
}

TEST(PpmPixels, PictureIsCentredOnWhiteInFileOrder) {
    // 4 x 2 with a comment line: S = 20, the picture in columns 8..11 of rows 9 and 10.
    const PpmLoad small = LoadPpm(Ppm("P6\n#made by hand\n4 2\n255\n", 4, 2));
    ASSERT_TRUE(small.headerOk);
    EXPECT_EQ(small.canvas.side, 20);
    ExpectCanvas(small.planes, 20, 8, 9, 4, 2, Pattern);

    // 640 x 480: rows 80..559, full width.
    const PpmLoad wide = LoadPpm(Ppm(640, 480));
    ExpectCanvas(wide.planes, 640, 0, 80, 640, 480, Pattern);

    // 3 x 7: taller than wide, columns shift instead.
    const PpmLoad tall = LoadPpm(Ppm(3, 7));
    ExpectCanvas(tall.planes, 20, 8, 6, 3, 7, Pattern);
}

TEST(PpmPixels, MisplacedCommentShiftsTheSamples) {
    // A comment after the size line is taken as the skipped line, and the real maximum value
    // line becomes pixel data.
    const PpmLoad r = LoadPpm(Ppm("P6\n2 1\n#c\n255\n", 2, 1, [](int, int) {
        return Rgb{10, 20, 30};
    }));
    ASSERT_TRUE(r.headerOk);
    const int top = 9;
    EXPECT_EQ(r.planes[3 * 9][top], '2');
    EXPECT_EQ(r.planes[3 * 9 + 1][top], '5');
    EXPECT_EQ(r.planes[3 * 9 + 2][top], '5');
    EXPECT_EQ(r.planes[3 * 10][top], '\n');
    EXPECT_EQ(r.planes[3 * 10 + 1][top], 10);
}

// Every cut of a valid file inside its pixel data: the supplied samples are read, the rest
// stay white, and no sample is left unwritten.
TEST(PpmPixels, EveryCutInThePixelsLeavesTheRestWhite) {
    const QByteArray header("P6\n5 3\n255\n");
    const QByteArray full = Ppm(header, 5, 3);
    for (int n = header.size(); n <= full.size(); ++n) {
        SCOPED_TRACE(n);
        const PpmLoad r = LoadPpm(full.left(n));
        ASSERT_TRUE(r.headerOk);
        const int supplied = n - header.size();
        ExpectCanvas(r.planes, 20, 7, 8, 5, 3, [&](int x, int y) {
            Rgb c = Pattern(x, y);
            for (int s = 0; s < 3; ++s) {
                if ((y * 5 + x) * 3 + s >= supplied)
                    c[s] = 255;
            }
            return c;
        });
    }
}

TEST(BmpHeader, RefusesWhatItCannotDecode) {
    auto status = [](BmpSpec s) { return LoadBmp(Bmp(s, QByteArray(64, '\0'))).status; };
    BmpSpec ok;
    ok.width = 4;
    ok.height = 4;
    EXPECT_EQ(status(ok), BmpHeaderStatus::kOk);
    for (std::uint32_t compression : {1u, 2u, 4u, 5u, 11u}) {
        BmpSpec s = ok;
        s.compression = compression;
        s.bitCount = compression == 2 ? 4 : 8;
        EXPECT_EQ(status(s), BmpHeaderStatus::kUnsupported) << compression;
    }
    for (int bits : {0, 2, 3, 12, 48}) {
        BmpSpec s = ok;
        s.bitCount = bits;
        EXPECT_EQ(status(s), BmpHeaderStatus::kUnsupported) << bits;
    }
    BmpSpec masks24 = ok;
    masks24.compression = 3;
    masks24.masks = {0xFF0000, 0xFF00, 0xFF};
    EXPECT_EQ(status(masks24), BmpHeaderStatus::kUnsupported);
    BmpSpec core = ok;
    core.infoSize = 12;
    EXPECT_EQ(status(core), BmpHeaderStatus::kUnsupported);
    BmpSpec negativeWidth = ok;
    negativeWidth.width = -4;
    EXPECT_EQ(status(negativeWidth), BmpHeaderStatus::kUnsupported);

    BmpSpec topDown = ok;
    topDown.height = -3;
    const BmpLoad r = LoadBmp(Bmp(topDown, QByteArray(64, '\0')));
    ASSERT_EQ(r.status, BmpHeaderStatus::kOk);
    EXPECT_TRUE(r.header.topDown);
    EXPECT_EQ(r.header.height, 3);

    // The most negative height has no positive twin in 32 bits; it is simply too large.
    BmpSpec hostile = ok;
    hostile.height = INT32_MIN;
    QByteArray hostileBytes = Bmp(hostile, QByteArray());
    QBuffer buffer(&hostileBytes);
    buffer.open(QIODevice::ReadOnly);
    ByteReader reader(buffer);
    BmpHeader h;
    ASSERT_EQ(ReadBmpHeader(reader, h), BmpHeaderStatus::kOk);
    EXPECT_EQ(h.height, std::int64_t{1} << 31);
    EXPECT_TRUE(CanvasTooLarge(h.width, h.height));
}

TEST(BmpHeader, EveryCutInsideTheHeadersIsSeenAsTheEnd) {
    BmpSpec masked;
    masked.width = 2;
    masked.height = 2;
    masked.bitCount = 16;
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0, 0x001F};
    BmpSpec indexed;
    indexed.width = 2;
    indexed.height = 2;
    indexed.bitCount = 4;
    indexed.colorsUsed = 3;
    indexed.palette = {0xFF0000, 0x00FF00, 0x0000FF};
    for (const BmpSpec& s : {masked, indexed}) {
        const QByteArray file = Bmp(s, QByteArray(8, '\0'));
        const int headerEnd = static_cast<int>(file.size()) - 8;
        for (int n = 0; n < headerEnd; ++n)
            EXPECT_EQ(LoadBmp(file.left(n)).status, BmpHeaderStatus::kTruncated) << n;
        EXPECT_EQ(LoadBmp(file.left(headerEnd)).status, BmpHeaderStatus::kOk);
    }
}

TEST(BmpPixels, TwentyFourBitRowsArePaddedAndStoredBottomUp) {
    // 3 x 2: 3 padding bytes per row, the picture in columns 8..10; the first file row is
    // picture row 1, canvas row 10.
    const BmpLoad r = LoadBmp(Bmp24(3, 2));
    EXPECT_EQ(r.canvas.side, 20);
    EXPECT_EQ(r.canvas.padX, 17);
    EXPECT_EQ(r.canvas.padY, 18);
    ExpectLoaded(r, 3, 2, Pattern);
    // Widths 5, 6 and 7 carry 1, 2 and 3 padding bytes per row.
    for (int width : {5, 6, 7}) {
        SCOPED_TRACE(width);
        ExpectLoaded(LoadBmp(Bmp24(width, 4)), width, 4, Pattern);
    }
    // 260 x 260 fills its canvas exactly.
    const BmpLoad big = LoadBmp(Bmp24(260, 260));
    EXPECT_EQ(big.canvas.side, 260);
    ExpectLoaded(big, 260, 260, Pattern);
}

TEST(BmpPixels, NegativeHeightMeansTopDownRows) {
    BmpSpec s;
    s.width = 5;
    s.height = -3;
    ExpectLoaded(LoadBmp(Bmp(s, Bmp24Rows(5, 3, true))), 5, 3, Pattern);
}

TEST(BmpPixels, LargerInfoHeadersAreReadThroughTheOffset) {
    for (std::uint32_t infoSize : {108u, 124u}) {
        BmpSpec s;
        s.width = 6;
        s.height = 2;
        s.infoSize = infoSize;
        ExpectLoaded(LoadBmp(Bmp(s, Bmp24Rows(6, 2))), 6, 2, Pattern);
    }
}

TEST(BmpPixels, IndexedBitmapsGoThroughTheColourTable) {
    const std::vector<std::uint32_t> table = {0x102030, 0xFFFFFF, 0x00FF00, 0xABCDEF};
    auto colour = [&](unsigned i) {
        if (i >= table.size())
            return Rgb{0, 0, 0};  // no entry: black
        const std::uint32_t c = table[i];
        return Rgb{static_cast<int>(c >> 16), static_cast<int>((c >> 8) & 0xFF),
                   static_cast<int>(c & 0xFF)};
    };
    auto index = [](int x, int y, int bits) {
        return static_cast<unsigned>(x * 3 + y) % (1u << bits) % 5;
    };
    for (int bits : {1, 4, 8}) {
        SCOPED_TRACE(bits);
        const int width = 11, height = 3;
        BmpSpec s;
        s.width = width;
        s.height = height;
        s.bitCount = bits;
        s.colorsUsed = bits == 1 ? 2 : static_cast<std::uint32_t>(table.size());
        s.palette.assign(table.begin(), table.begin() + s.colorsUsed);
        const int stride = static_cast<int>(BmpRowStride(width, bits));
        QByteArray rows(stride * height, '\0');
        for (int k = 0; k < height; ++k) {
            const int y = height - 1 - k;
            for (int x = 0; x < width; ++x) {
                const unsigned i = index(x, y, bits);
                const int at = k * stride + x * bits / 8;
                const int shift = 8 - bits * (x % (8 / bits) + 1);
                rows[at] = static_cast<char>(static_cast<unsigned char>(rows[at]) | (i << shift));
            }
        }
        ExpectLoaded(LoadBmp(Bmp(s, rows)), width, height, [&](int x, int y) {
            const unsigned i = index(x, y, bits);
            return i < s.palette.size() ? colour(i) : Rgb{0, 0, 0};
        });
    }
}

QByteArray MaskedRows(const std::vector<std::uint32_t>& pixels, int bytes) {
    QByteArray rows;
    for (std::uint32_t p : pixels) {
        for (int i = 0; i < bytes; ++i)
            rows.append(static_cast<char>((p >> (8 * i)) & 0xFF));
    }
    rows.append((4 - rows.size() % 4) % 4, '\0');
    return rows;
}

TEST(BmpPixels, SixteenAndThirtyTwoBitPixelsGoThroughTheirMasks) {
    // One row of four pixels each; expected values are scaled to 0..255 and rounded.
    BmpSpec s;
    s.width = 4;
    s.height = 1;
    s.bitCount = 16;  // default 5-5-5
    BmpLoad r = LoadBmp(Bmp(s, MaskedRows({0x7FFF, 0x7C00, 0x03E0, 0x0001}, 2)));
    const Rgb fives[] = {{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 8}};
    ExpectLoaded(r, 4, 1, [&](int x, int) { return fives[x]; });

    s.compression = 3;  // 5-6-5 from the file
    s.masks = {0xF800, 0x07E0, 0x001F};
    r = LoadBmp(Bmp(s, MaskedRows({0xFFFF, 0x07E0, 0x0020, 0x8000}, 2)));
    const Rgb sixes[] = {{255, 255, 255}, {0, 255, 0}, {0, 4, 0}, {132, 0, 0}};
    ExpectLoaded(r, 4, 1, [&](int x, int) { return sixes[x]; });

    s = BmpSpec{};
    s.width = 4;
    s.height = 1;
    s.bitCount = 32;  // default blue, green, red, unused
    r = LoadBmp(Bmp(s, MaskedRows({0xFF123456, 0x00FF0000, 0x0000FF00, 0x000000FF}, 4)));
    const Rgb bgrx[] = {{0x12, 0x34, 0x56}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ExpectLoaded(r, 4, 1, [&](int x, int) { return bgrx[x]; });

    s.compression = 3;  // red in the low byte
    s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    s.infoSize = 124;  // the masks lie inside the larger header
    r = LoadBmp(Bmp(s, MaskedRows({0x00123456, 0x000000FF, 0x0000FF00, 0xFFFF0000}, 4)));
    const Rgb rgbx[] = {{0x56, 0x34, 0x12}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ExpectLoaded(r, 4, 1, [&](int x, int) { return rgbx[x]; });
}

TEST(BmpPixels, PixelDataBeyondTheFileLeavesTheCanvasWhite) {
    QByteArray file = Bmp24(3, 2);
    PutLe32(file, 10, 1u << 30);
    ExpectLoaded(LoadBmp(file), 3, 2, [](int, int) { return Rgb{255, 255, 255}; });
}

// Every cut of a valid file inside the pixel data: samples supplied are read, the rest white.
TEST(BmpPixels, EveryCutInThePixelsLeavesTheRestWhite) {
    const int width = 5, height = 3, stride = 16;
    const QByteArray full = Bmp24(width, height);
    const int header = static_cast<int>(full.size()) - stride * height;
    for (int n = header; n <= full.size(); ++n) {
        SCOPED_TRACE(n);
        const int supplied = n - header;
        ExpectLoaded(LoadBmp(full.left(n)), width, height, [&](int x, int y) {
            Rgb c = Pattern(x, y);
            const int row = (height - 1 - y) * stride + 3 * x;
            // File order blue, green, red.
            for (int s = 0; s < 3; ++s) {
                if (row + s >= supplied)
                    c[2 - s] = 255;
            }
            return c;
        });
    }
    // An 8-bit file cut inside a row: whole pixels are supplied or white.
    BmpSpec s;
    s.width = 6;
    s.height = 2;
    s.bitCount = 8;
    s.colorsUsed = 2;
    s.palette = {0x000000, 0x804020};
    const QByteArray indexed = Bmp(s, QByteArray("\x01\x00\x01\x00\x01\x00\x00\x00", 8));
    ExpectLoaded(LoadBmp(indexed.left(indexed.size() - 5)), 6, 2, [](int x, int y) {
        if (y == 0 || x >= 3)
            return Rgb{255, 255, 255};  // the top row is the second file row
        return x % 2 == 0 ? Rgb{0x80, 0x40, 0x20} : Rgb{0, 0, 0};
    });
}

}  // namespace
