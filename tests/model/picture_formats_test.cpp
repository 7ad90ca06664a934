// Every picture format through the loader, without a window: the netpbm header rules and the
// scaling of samples, the formats of Qt's readers on the white canvas with transparency and
// orientation, sizes refused before anything is decoded, and broken data.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <array>
#include <functional>
#include <optional>
#include <variant>

#include "../support/picture_files.h"
#include "image/image_format.h"
#include "image/qt_reader.h"
#include "model/picture_loader.h"

namespace {

using Rgb = std::array<int, 3>;
using PixelFn = std::function<Rgb(int x, int y)>;
using picture_files::ClaimingSize;
using picture_files::Encoded;
using picture_files::Gif;
using picture_files::WithOrientation;

// Every sample different, so that a swapped channel, a flipped row or a shifted column shows.
Rgb Pattern(int x, int y) {
    return {(x * 7 + y * 31 + 1) % 256, (x * 13 + y * 3 + 90) % 256, (x * 29 + y * 17 + 170) % 256};
}

QImage PatternImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = Pattern(x, y);
            image.setPixel(x, y, qRgb(c[0], c[1], c[2]));
        }
    }
    return image;
}

// Pattern pixels as P6 raster bytes.
QByteArray PatternRaster(int width, int height) {
    QByteArray bytes;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int s : Pattern(x, y))
                bytes.append(static_cast<char>(s));
        }
    }
    return bytes;
}

// What loading the bytes came to: the refusal and the phase it came in, or the picture.
struct Loaded {
    std::optional<PictureRefusal> refusal;
    bool atHeader = false;
    PictureHeader header;
    Picture picture;
};

Loaded Load(QByteArray bytes) {
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    PictureLoader loader(device, SniffPictureFormat(device));
    Loaded loaded;
    auto header = loader.ReadHeader();
    if (auto* refusal = std::get_if<PictureRefusal>(&header)) {
        loaded.refusal = *refusal;
        loaded.atHeader = true;
        return loaded;
    }
    loaded.header = std::get<PictureHeader>(header);
    auto pixels = loader.ReadPixels();
    if (auto* refusal = std::get_if<PictureRefusal>(&pixels)) {
        loaded.refusal = *refusal;
        return loaded;
    }
    loaded.picture = std::get<Picture>(std::move(pixels));
    return loaded;
}

// The canvas: the picture centred, every other sample white, and gray sums that match the
// planes.  Samples may differ from the expected ones by `tolerance` (lossy formats).
void ExpectCanvas(const Loaded& loaded, int width, int height, const PixelFn& expected,
                  int tolerance = 0) {
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
            const Rgb want = inside ? expected(x - left, y - top) : Rgb{255, 255, 255};
            const Rgb got = {p.planes[3 * x][y], p.planes[3 * x + 1][y], p.planes[3 * x + 2][y]};
            for (int s = 0; s < 3; ++s)
                ASSERT_NEAR(got[s], want[s], tolerance) << x << "," << y << " sample " << s;
            ASSERT_EQ(p.gray[x][y], got[0] + got[1] + got[2]) << x << "," << y;
        }
    }
}

PixelFn Flat(Rgb c) {
    return [c](int, int) { return c; };
}

TEST(NetpbmHeader, EveryValidHeaderIsReadByTheRules) {
    const struct {
        const char* name;
        QByteArray header;
    } cases[] = {
        // Read the same before these rules.
        {"one per line", "P6\n37 35\n255\n"},
        {"space after the magic", "P6 37 35\n255\n"},
        {"comment after the magic", "P6\n# made by hand\n37 35\n255\n"},
        // Read wrongly before.
        {"width and height on separate lines", "P6\n37\n35\n255\n"},
        {"all on one line", "P6\n37 35 255\n"},
        {"comment after the size", "P6\n37 35\n# after the size\n255\n"},
        {"CR LF line ends", "P6\r\n37 35\r\n255\n"},
        {"every kind of whitespace", "P6\t37\v35\f255 "},
        {"runs of whitespace", "P6\n  37   35\n\n\n255\n"},
        {"comments as separators", "P6#a\n37#b\r35#c\n255\n"},
        {"comment ending the header", "P6\n37 35\n255#c\n"},
        {"leading zeros", "P6\n037 00035\n0255\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // More than 16 rows and pixels: whole blocks and the rest, off the canvas edges.
        ExpectCanvas(Load(c.header + PatternRaster(37, 35)), 37, 35, Pattern);
    }
}

TEST(NetpbmHeader, InvalidHeadersAreRefusedAndSizesDecideFirst) {
    const struct {
        const char* name;
        QByteArray file;
        PictureRefusal refusal;
    } cases[] = {
        {"maximum 0", "P6\n4 2\n0\n", PictureRefusal::kUnsupported},
        {"maximum 65536", "P6\n4 2\n65536\n", PictureRefusal::kUnsupported},
        {"no separator after the magic", "P64 2 255\n", PictureRefusal::kUnsupported},
        {"letter in the width", "P6\n4x 2\n255\n", PictureRefusal::kUnsupported},
        {"negative width", "P6\n-4 2\n255\n", PictureRefusal::kUnsupported},
        {"sign on the maximum", "P6\n4 2 +255\n", PictureRefusal::kUnsupported},
        {"letter after the maximum", "P6\n4 2\n255x", PictureRefusal::kUnsupported},
        {"ends after the maximum", "P6\n4 2\n255", PictureRefusal::kUnsupported},
        {"ends in a comment", "P6\n4 2\n# only", PictureRefusal::kUnsupported},
        {"magic only", "P6", PictureRefusal::kUnsupported},
        {"P5 with a bad maximum", "P5\n4 2\n70000\n", PictureRefusal::kUnsupported},
        {"zero width", "P6\n0\n5\n255\n", PictureRefusal::kEmpty},
        {"too tall", "P6\n4\n8001\n255\n", PictureRefusal::kTooLarge},
        {"too wide P5", "P5 60000 60000 255\n", PictureRefusal::kTooLarge},
        {"too wide P4", "P4 60000 1\n", PictureRefusal::kTooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Loaded loaded = Load(c.file);
        EXPECT_TRUE(loaded.atHeader);
        EXPECT_EQ(loaded.refusal, c.refusal);
    }
}

TEST(NetpbmHeader, SamplesAreScaledFromTheirMaximumToTheNearestOf255) {
    const struct {
        const char* header;
        QByteArray samples;  // one pixel
        Rgb expected;
    } cases[] = {
        {"P6 1 1 15\n", QByteArray("\x00\x0f\x07", 3), {0, 255, 119}},  // 7 * 17
        {"P6 1 1 1\n", QByteArray("\x00\x01\x02", 3), {0, 255, 255}},   // above the maximum
        {"P6 1 1 1000\n", QByteArray("\x01\xf4\x03\xe8\x00\x02", 6), {128, 255, 1}},
        {"P6 1 1 65535\n", QByteArray("\x80\x00\xff\xff\x00\x80", 6), {128, 255, 0}},
        {"P6 1 1 300\n", QByteArray("\x01\x2d\x00\x96\x01\x2c", 6), {255, 128, 255}},
        // A missing second byte leaves the sample white.
        {"P6 1 1 1000\n", QByteArray("\x00\x00\x00\x00\x00", 5), {0, 0, 255}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        ExpectCanvas(Load(c.header + c.samples), 1, 1, Flat(c.expected));
    }
}

TEST(PictureFormats, EachFormatIsCentredOnTheWhiteCanvas) {
    // A red pixel half transparent shows half white; a fully transparent one white.
    QImage alpha(3, 2, QImage::Format_ARGB32);
    alpha.fill(qRgba(0, 0, 255, 255));
    alpha.setPixel(0, 0, qRgba(255, 0, 0, 128));
    alpha.setPixel(2, 1, qRgba(10, 20, 30, 0));
    const PixelFn alphaShown = [](int x, int y) {
        return x == 0 && y == 0   ? Rgb{255, 127, 127}
               : x == 2 && y == 1 ? Rgb{255, 255, 255}
                                  : Rgb{0, 0, 255};
    };
    const std::vector<std::uint32_t> palette = {0x102030, 0xFFFFFF, 0x00FF00};
    const std::vector<int> gifIndices = {0, 1, 2, 2, 1, 0};  // 3 x 2, index 2 transparent
    const PixelFn gifShown = [&](int x, int y) {
        const int i = gifIndices[y * 3 + x];
        const std::uint32_t c = i == 2 ? 0xFFFFFF : palette[i];
        return Rgb{static_cast<int>(c >> 16), static_cast<int>(c >> 8 & 0xFF),
                   static_cast<int>(c & 0xFF)};
    };
    // JPEG: grays flat over whole blocks survive (colour is kept at a lower resolution).
    QImage blocks(32, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x)
            blocks.setPixel(x, y, x < 16 ? qRgb(200, 200, 200) : qRgb(40, 40, 40));
    }
    const PixelFn blocksShown = [](int x, int) {
        return x < 16 ? Rgb{200, 200, 200} : Rgb{40, 40, 40};
    };
    const struct {
        const char* name;
        QByteArray file;
        int width, height;
        PixelFn expected;
        int tolerance;
    } cases[] = {
        {"PNG", Encoded(PatternImage(37, 35), "png"), 37, 35, Pattern, 0},
        {"PNG with alpha", Encoded(alpha, "png"), 3, 2, alphaShown, 0},
        {"WebP lossless", Encoded(PatternImage(21, 30), "webp"), 21, 30, Pattern, 0},
        {"TIFF", Encoded(PatternImage(40, 3), "tiff"), 40, 3, Pattern, 0},
        {"TIFF with alpha", Encoded(alpha, "tiff"), 3, 2, alphaShown, 0},
        {"GIF", Gif(3, 2, palette, gifIndices, 2), 3, 2, gifShown, 0},
        {"JPEG", Encoded(blocks, "jpeg"), 32, 16, blocksShown, 6},
        {"P1", "P1\n3 1\n1 0 1\n", 3, 1,
         [](int x, int) {
             return x == 1 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
         },
         0},
        {"P4", QByteArray("P4\n9 1\n\x80\x80", 9), 9, 1,
         [](int x, int) {
             return x == 0 || x == 8 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
         },
         0},
        {"P2", "P2\n2 1\n100\n20 100\n", 2, 1,
         [](int x, int) {
             return x == 0 ? Rgb{51, 51, 51} : Rgb{255, 255, 255};
         },
         0},
        {"P3", "P3 1 1 255 10 20 30\n", 1, 1, Flat({10, 20, 30}), 0},
        {"P5", QByteArray("P5\n2 1\n255\n\x40\xc0", 13), 2, 1,
         [](int x, int) {
             return x == 0 ? Rgb{64, 64, 64} : Rgb{192, 192, 192};
         },
         0},
        {"P5 of 16 bits", QByteArray("P5 2 1 65535\n\x00\x00\xff\xff", 17), 2, 1,
         [](int x, int) {
             return x == 0 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
         },
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.file.isEmpty());
        ExpectCanvas(Load(c.file), c.width, c.height, c.expected, c.tolerance);
    }
}

TEST(PictureFormats, AJpegIsTurnedByItsOrientation) {
    // Stored 16 x 8: the left half dark, the right half light.
    QImage stored(16, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x)
            stored.setPixel(x, y, x < 8 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    }
    const QByteArray jpeg = Encoded(stored, "jpeg");
    const struct {
        int orientation, width, height;
        PixelFn expected;
    } cases[] = {
        {1, 16, 8,
         [](int x, int) {
             return x < 8 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
         }},
        // Turned a quarter clockwise: the stored left edge is the top.
        {6, 8, 16,
         [](int, int y) {
             return y < 8 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
         }},
        // A quarter anticlockwise: the stored left edge is the bottom.
        {8, 8, 16,
         [](int, int y) {
             return y >= 8 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
         }},
        // Upside down: the stored left half is on the right.
        {3, 16, 8,
         [](int x, int) {
             return x >= 8 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.orientation);
        const Loaded loaded = Load(WithOrientation(jpeg, c.orientation));
        EXPECT_EQ(std::tuple(loaded.header.width, loaded.header.height),
                  std::tuple(c.width, c.height));
        ExpectCanvas(loaded, c.width, c.height, c.expected, 8);
    }
}

TEST(PictureFormats, ASizeBeyondTheLimitIsRefusedFromTheHeaderAlone) {
    const QImage small = PatternImage(4, 4);
    const std::vector<int> indices(16, 1);
    const struct {
        const char* name;
        QByteArray file;
        int width, height;
    } cases[] = {
        {"PNG", Encoded(small, "png"), 60000, 60000},
        {"JPEG", Encoded(small, "jpeg"), 60000, 60000},
        {"GIF", Gif(4, 4, {0, 0xFFFFFF}, indices), 60000, 60000},
        {"TIFF", Encoded(small, "tiff"), 60000, 60000},
        {"WebP", Encoded(small, "webp"), 16000, 16000},  // the most a WebP can claim
        {"PNG just too wide", Encoded(small, "png"), 8001, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray claiming = ClaimingSize(c.file, c.width, c.height);
        ASSERT_NE(claiming, c.file);
        const Loaded loaded = Load(claiming);
        EXPECT_TRUE(loaded.atHeader);
        EXPECT_EQ(loaded.refusal, PictureRefusal::kTooLarge);
        // Within the limit the same edit only makes a picture Qt cannot decode in full.
        const Loaded within = Load(ClaimingSize(c.file, 300, 300));
        if (within.refusal) {
            EXPECT_EQ(within.refusal, PictureRefusal::kUnsupported);
            EXPECT_FALSE(within.atHeader);
        } else {
            EXPECT_EQ(within.picture.CanvasWidth(), 300);
        }
    }
    // The readers may not allocate more than the largest allowed picture needs.
    QByteArray png = Encoded(small, "png");
    QBuffer device(&png);
    device.open(QIODevice::ReadOnly);
    OpenQtReader(device, "png");
    EXPECT_EQ(QImageReader::allocationLimit(), kQtAllocationLimitMb);
    EXPECT_GE(std::int64_t{kQtAllocationLimitMb} << 20, kMaxCanvasSide * kMaxCanvasSide * 8);
}

// No cut of a valid file crashes: a cut in the header is refused there, one in the data is
// refused as undecodable or gives the picture with what could be decoded.
TEST(PictureFormats, EveryCutOfAFileIsRefusedOrRead) {
    const QImage image = PatternImage(20, 18);
    const std::vector<int> indices(20 * 18, 1);
    const QByteArray files[] = {
        Encoded(image, "png"),
        Encoded(image, "jpeg"),
        Encoded(image, "webp"),
        Encoded(image, "tiff"),
        Gif(20, 18, {0, 0xFFFFFF}, indices),
        QByteArray("P5 20 18 255\n") + QByteArray(20 * 18, '\x55'),
    };
    for (const QByteArray& file : files) {
        const int format = FormatFromHead(reinterpret_cast<const std::uint8_t*>(file.constData()),
                                          static_cast<std::size_t>(file.size()));
        ASSERT_NE(format, kFormatUnknown);
        for (qsizetype n = 0; n < file.size(); n += 3) {
            SCOPED_TRACE(testing::Message() << QtFormatName(format) << " cut at " << n);
            const Loaded loaded = Load(file.left(n));
            if (loaded.refusal) {
                EXPECT_EQ(loaded.refusal, PictureRefusal::kUnsupported);
            } else {
                EXPECT_EQ(std::tuple(loaded.picture.width, loaded.picture.height),
                          std::tuple(20, 18));
            }
        }
    }
}

}  // namespace
