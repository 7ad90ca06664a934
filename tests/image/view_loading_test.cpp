// Pictures built from bytes, loaded by the open dialog, a real drop event or from memory: what
// each flow appends, sets, allocates, shows and keeps, and how every layout is decoded.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>
#include <array>
#include <atomic>
#include <functional>
#include <thread>

#include "construct/ngm_view.h"
#include "image/square_canvas.h"
#include "model/ngm_doc.h"
#include "res/dialog_template.h"
#include "support/picture_files.h"
#include "support/scripted_ui.h"

namespace {

using Rgb = std::array<int, 3>;
using PixelFn = std::function<Rgb(int x, int y)>;
const Rgb kWhite = {255, 255, 255};

// Every sample different, so that a swapped channel, a flipped row or a shifted column shows.
Rgb Pattern(int x, int y) {
    return {(x * 7 + y * 31 + 1) % 256, (x * 13 + y * 3 + 90) % 256, (x * 29 + y * 17 + 170) % 256};
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

// Pattern pixels, red or (bgr) blue first, each row followed by `pad` non-zero bytes.
QByteArray Pixels(int width, int height, bool bgr, bool bottomUp, int pad) {
    QByteArray bytes;
    for (int k = 0; k < height; ++k) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = Pattern(x, bottomUp ? height - 1 - k : k);
            for (int s : {0, 1, 2})
                bytes.append(static_cast<char>(c[bgr ? 2 - s : s]));
        }
        bytes.append(pad, '\x5A');
    }
    return bytes;
}

// A "P6" file; the header defaults to "P6\nW H\n255\n".
QByteArray Ppm(int width, int height, QByteArray header = {}) {
    if (header.isEmpty())
        header = "P6\n" + QByteArray::number(width) + ' ' + QByteArray::number(height) + "\n255\n";
    return header + Pixels(width, height, false, false, 0);
}

void PutLe(QByteArray& b, qsizetype at, std::uint32_t v) {  // grows b when needed
    if (b.size() < at + 4)
        b.resize(at + 4);
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>(v >> (8 * i));
}

struct BmpLayout {
    int bitCount = 24;
    std::uint32_t compression = 0, infoSize = 40;
    std::vector<std::uint32_t> masks = {};    // written right after the 40-byte part
    std::vector<std::uint32_t> palette = {};  // 0x00RRGGBB, written after the info header
};

// Headers, masks, colour table, then the pixels at bfOffBits; a negative height: top-down.
QByteArray Bmp(std::int32_t width, std::int32_t height, const BmpLayout& s,
               const QByteArray& pixels) {
    QByteArray b = "BM" + QByteArray(52, '\0');
    PutLe(b, 14, s.infoSize);
    PutLe(b, 18, static_cast<std::uint32_t>(width));
    PutLe(b, 22, static_cast<std::uint32_t>(height));
    PutLe(b, 28, static_cast<std::uint32_t>(s.bitCount));
    PutLe(b, 30, s.compression);
    for (std::uint32_t v : s.masks)
        PutLe(b, b.size(), v);
    b.append(std::max<qsizetype>(0, 14 + s.infoSize - b.size()), '\0');
    for (std::uint32_t v : s.palette)
        PutLe(b, b.size(), v);
    PutLe(b, 10, static_cast<std::uint32_t>(b.size()));
    return b + pixels;
}

// A 24-bit bitmap: rows padded to a multiple of 4 bytes, bottom row first unless topDown.
QByteArray Bmp24(int width, int height, bool topDown = false, const BmpLayout& layout = {}) {
    return Bmp(width, topDown ? -height : height, layout,
               Pixels(width, height, true, !topDown, width % 4));
}

// All samples: the picture centred at ((side - width) / 2, (side - height) / 2), white around.
void ExpectCanvas(const ColumnBuffer& planes, int side, int width, int height,
                  const PixelFn& expected) {
    ASSERT_EQ(std::tuple(planes.Columns(), planes.Length()), std::tuple(3 * side, side));
    const int left = (side - width) / 2, top = (side - height) / 2;
    for (int x = 0; x < side; ++x) {
        for (int y = 0; y < side; ++y) {
            const bool inside = x >= left && x < left + width && y >= top && y < top + height;
            const Rgb got = {planes[3 * x][y], planes[3 * x + 1][y], planes[3 * x + 2][y]};
            ASSERT_EQ(got, inside ? expected(x - left, y - top) : kWhite) << x << "," << y;
        }
    }
}

// A device that counts how often it is asked for data.
struct CountingBuffer : QBuffer {
    int reads = 0;
    qint64 readData(char* data, qint64 maxSize) override {
        ++reads;
        return QBuffer::readData(data, maxSize);
    }
};

const QString kUnsupported = QStringLiteral("この形式はサポートされていません。");
const QString kTooLarge = QStringLiteral("入力画像サイズが大きすぎます。");
const QString kFewColorBits = QStringLiteral("色ビット数が16ビット以下です。");
const QString kSizeWarning = QStringLiteral(
    "入力画像サイズが260X260を超えていて表示しきれない可能性があります。\n続けますか？");
const QString kTooSmall = QStringLiteral("入力画像サイズが小さすぎて表示できません。");

QString SizeLines(int w, int h, int side) {
    return QStringLiteral("Xsize:%1\u2192%3\r\nYsize:%2\u2192%3\r\n").arg(w).arg(h).arg(side);
}

class ViewLoading : public ::testing::Test {
protected:
    void SetUp() override {
        view.setWindowTitle(QStringLiteral("NGM - before"));
        view.OnInitialUpdate();
        view.EnsurePanelImages();
    }
    QString Write(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    BOOL Open(const QString& path) {
        dialogs.Choose(path);
        return view.OpenImageFile();
    }
    // Sniffs and reads as both flows do; returns how often the device was asked for data.
    int Read(QByteArray bytes) {
        CountingBuffer device;
        device.setBuffer(&bytes);
        device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        view.ReadImage(device, view.DetectFormat(device));
        return device.reads;
    }
    void Drop(const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        const QPoint at = view.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &drop);
    }
    void DropFile(const QString& path) { Drop({QUrl::fromLocalFile(path)}); }
    bool Enabled(int id) const { return view.GetDlgItem(id)->isEnabled(); }
    int EnabledPictureControls() const {
        const int ids[] = {IDC_ANALYZE,       IDC_TEST_MODE,  IDC_PLAY_MODE,  IDC_UPPER_CAPTION,
                           IDC_LOWER_CAPTION, IDC_LOWER_EDIT, IDC_UPPER_EDIT, IDC_LOWER_SCROLL,
                           IDC_UPPER_SCROLL,  IDC_BLOCKS};
        return static_cast<int>(std::ranges::count_if(ids, [this](int id) { return Enabled(id); }));
    }
    COLORREF InputPanel(int x, int y) const { return view.m_dcInput.GetPixel(x, y); }
    static COLORREF Colour(const Rgb& c) { return RGB(c[0], c[1], c[2]); }

    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    CNGMDoc doc;
    CNGMView view{&doc};
};

TEST_F(ViewLoading, DialogOffersFourFiltersAndLoadsPicturesCentred) {
    view.OnInput();  // cancelled: nothing changes
    EXPECT_EQ(view.windowTitle(), QStringLiteral("NGM - before"));
    EXPECT_TRUE(view.m_strImageInfo.isEmpty());
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    const QStringList filters = dialogs.Requests()[0].filter.split(QStringLiteral(";;"));
    ASSERT_EQ(filters.size(), 4);
    // The patterns of each entry (in its last parentheses) list these files, whatever the case;
    // the first entry every picture file.
    const char* names[] = {
        "ｲﾒｰｼﾞﾌｧｲﾙ(*.ppm;*bmp;*.png;*.jpg;*.jpeg;*.gif;*.webp;*.tif;*.tiff;"
        "*.pbm;*.pgm;*.pnm)",
        "ﾎﾟｰﾀﾌﾞﾙﾋﾟｸｾﾙﾏｯﾌﾟ(*.ppm)", "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)", "全てのファイル"};
    const QString pictures =
        "A.PPM B.BMP C.PNG D.JPG E.JPEG F.GIF G.WEBP H.TIF I.TIFF J.PBM "
        "K.PGM L.PNM a.ppm b.bmp c.png d.jpg e.jpeg f.gif g.webp h.tif "
        "i.tiff j.pbm k.pgm l.pnm";
    const QString listed[] = {pictures, "A.PPM a.ppm", "B.BMP b.bmp",
                              QString(pictures).replace("L.PNM ", "L.PNM README ")};
    for (const QString& name : listed[3].split(' '))
        Write(name, {});
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(filters[i].startsWith(QString::fromUtf8(names[i]))) << i;
        const QStringList patterns =
            filters[i].mid(filters[i].lastIndexOf('(') + 1).chopped(1).split(' ');
        const auto flags = QDir::Files | QDir::CaseSensitive;
        EXPECT_EQ(QDir(dir.path()).entryList(patterns, flags, QDir::Name).join(' '), listed[i]);
    }

    const QString path = Write("pic.ppm", Ppm(4, 2, "P6\n#comment\n4 2\n255\n"));
    dialogs.Choose(path);
    view.OnInput();
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(view.m_strImageInfo, "[pic.ppm]\r\n" + SizeLines(4, 2, 20));
    EXPECT_EQ(GetDlgItemText(view.Controls(), IDC_INFO),
              QStringLiteral("[pic.ppm]\nXsize:4\u219220\nYsize:2\u219220\n"));
    EXPECT_EQ(view.windowTitle(), "NGM - [" + path + "]");
    EXPECT_EQ(std::tuple(doc.Width(), doc.Height(), doc.m_picture.width, doc.m_picture.height),
              std::tuple(20, 20, 4, 2));
    ExpectCanvas(doc.m_ppInputPlanes, 20, 4, 2, Pattern);
    // The input panel shows the canvas from its top-left corner.
    EXPECT_EQ(InputPanel(8, 9), Colour(Pattern(0, 0)));
    EXPECT_EQ(InputPanel(11, 10), Colour(Pattern(3, 1)));
    EXPECT_EQ(InputPanel(19, 19), RGB(255, 255, 255));
    EXPECT_EQ(InputPanel(20, 20), kFaceColor);
    EXPECT_EQ(EnabledPictureControls(), 10);
    EXPECT_FALSE(Enabled(IDC_PLAY));
}

TEST_F(ViewLoading, RefusedFilesKeepThePreviousPictureAndRedrawIt) {
    // With no picture before, a refused file is then too small; nothing is allocated.
    const QString pam = Write("depth.pam", "P7\nWIDTH 4\nHEIGHT 2\nENDHDR\n");
    EXPECT_FALSE(Open(pam));
    EXPECT_EQ(boxes.Texts(), QStringList({kUnsupported, kTooSmall}));
    EXPECT_EQ(boxes.All()[1].flags, MB_ICONQUESTION | MB_OK);
    EXPECT_EQ(view.m_strImageInfo, QStringLiteral("[depth.pam]\r\n"));
    EXPECT_FALSE(doc.m_ppInputPlanes.IsAllocated());

    ASSERT_TRUE(Open(Write("first.ppm", Ppm(40, 30))));
    view.OnAnalyze();  // so that the other panels have something to clear
    const std::int32_t* planes = doc.m_ppInputPlanes.Data();
    const std::int32_t* binary = view.m_ppBinaryImage.Data();
    const QByteArray pixels(64, '\0');
    const struct {
        const char* name;
        QByteArray bytes;
        QString message;
    } refusals[] = {
        {"p6.ppm", "P6\n4 2\n65536\n", kUnsupported},  // a maximum sample value too large
        {"p5.pgm", "P5 4 2 0\n", kUnsupported},
        {"p1.pbm", "P1\n4 x\n1 0 1 0\n", kUnsupported},
        {"png.png", "\x89PNG\r\n\x1a\n not a header", kUnsupported},
        {"jpeg.jpg", "\xff\xd8\xff\xd9", kUnsupported},
        {"gif.gif", "GIF89a", kUnsupported},
        {"tiff.tif", QByteArray("II*\0\xff\xff\xff\x7f", 8), kUnsupported},
        {"pam.pam", "P7\n", kUnsupported},
        {"text.txt", "hello", kUnsupported},
        {"empty.ppm", "", kUnsupported},
        // Compressed: refused before the question about the colour bits.
        {"rle8.bmp", Bmp(4, 4, {.bitCount = 8, .compression = 1}, pixels), kUnsupported},
        {"rle4.bmp", Bmp(4, 4, {.bitCount = 4, .compression = 2}, pixels), kUnsupported},
        {"jpeg.bmp", Bmp(4, 4, {.bitCount = 0, .compression = 4}, pixels), kUnsupported},
        {"png.bmp", Bmp(4, 4, {.bitCount = 0, .compression = 5}, pixels), kUnsupported},
        {"bits12.bmp", Bmp(4, 4, {.bitCount = 12}, pixels), kUnsupported},
        {"core.bmp", Bmp(4, 4, {.infoSize = 12}, pixels), kUnsupported},
        {"negative.bmp", Bmp(-4, 4, {}, pixels), kUnsupported},
        // A canvas larger than 8000 a side, whatever the header claims.
        {"tall.ppm", "P6\n1 8001\n255\n", kTooLarge},
        {"tall.pgm", "P5\n1\n8001\n255\n", kTooLarge},
        {"huge.png",
         picture_files::ClaimingSize(
             picture_files::Encoded(QImage(4, 4, QImage::Format_RGB32), "png"), 60000, 60000),
         kTooLarge},
        {"overflow.ppm", "P6\n99999999999999999999999999 1\n255\n", kTooLarge},
        {"hostile.bmp", Bmp(4, INT32_MIN, {}, {}), kTooLarge},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.name);
        boxes.Clear();
        const QString name = QString::fromLatin1(r.name), info = view.m_strImageInfo;
        EXPECT_TRUE(Open(Write(name, r.bytes)));
        ASSERT_EQ(boxes.Texts(), QStringList{r.message});
        EXPECT_EQ(boxes.All()[0].flags, MB_OK);
        EXPECT_EQ(view.m_strImageInfo, info + "[" + name + "]\r\n");
        // The picture, sizes and buffers of before, drawn again; the other panels cleared.
        EXPECT_EQ(std::tuple(doc.Width(), doc.Height()), std::tuple(40, 40));
        EXPECT_EQ(std::tuple(doc.m_ppInputPlanes.Data(), view.m_ppBinaryImage.Data()),
                  std::tuple(planes, binary));
        EXPECT_EQ(InputPanel(0, 5), Colour(Pattern(0, 0)));
        EXPECT_EQ(view.m_dcPreview.GetPixel(5, 5), kFaceColor);
    }
    ExpectCanvas(doc.m_ppInputPlanes, 40, 40, 30, Pattern);
    EXPECT_FALSE(CanvasTooLarge(7981, 1));  // rounds up to exactly 8000: allowed

    // A file that cannot be opened keeps the title and name line.
    boxes.Clear();
    const QString missing = dir.filePath(QStringLiteral("missing.ppm"));
    EXPECT_FALSE(Open(missing));
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("ファイルがオープンできません。")});
    EXPECT_EQ(view.windowTitle(), "NGM - [" + missing + "]");
    EXPECT_TRUE(view.m_strImageInfo.endsWith(QStringLiteral("[missing.ppm]\r\n")));
}

TEST_F(ViewLoading, EveryLayoutIsDecodedUprightAndCentredInFewDeviceReads) {
    QByteArray farOffset = Bmp24(3, 2);
    PutLe(farOffset, 10, 1u << 30);
    auto hex = [](const char* bytes) { return QByteArray::fromHex(bytes); };
    const struct {
        const char* name;
        QByteArray file;
        int side, width, height;
        PixelFn expected;
    } cases[] = {
        {"ppm taller than wide", Ppm(3, 7), 20, 3, 7, Pattern},
        // Every byte of a PPM number field is a digit, any but "0".."9" the digit 0.
        // The netpbm header rules: any whitespace, comments anywhere in the header.
        {"CR", Ppm(6, 4, "P6\n6 4\r\n255\n"), 20, 6, 4, Pattern},
        {"extra space", Ppm(6, 4, "P6\n6  4\n255\n"), 20, 6, 4, Pattern},
        {"second comment", Ppm(204, 2, "P6\n#1\n#2\n204 2\n255\n"), 220, 204, 2, Pattern},
        {"late comment", Ppm(2, 1, "P6\n2 1\n#c\n255\n"), 20, 2, 1, Pattern},
        // Rows of 3, 5, 6 and 7 pixels carry 3, 1, 2 and 3 padding bytes.
        {"bmp 3", Bmp24(3, 2), 20, 3, 2, Pattern},
        {"bmp 5", Bmp24(5, 4), 20, 5, 4, Pattern},
        {"bmp 6", Bmp24(6, 4), 20, 6, 4, Pattern},
        {"bmp 7", Bmp24(7, 4), 20, 7, 4, Pattern},
        {"bmp top-down", Bmp24(5, 3, true), 20, 5, 3, Pattern},
        // More rows than one band of the reader, in both row orders.
        {"bmp 260", Bmp24(260, 260), 260, 260, 260, Pattern},
        {"bmp 20x300 top-down", Bmp24(20, 300, true), 300, 20, 300, Pattern},
        // The larger info headers (V5 below): the pixels are found through bfOffBits.
        {"bmp V4", Bmp24(6, 2, false, {.infoSize = 108}), 20, 6, 2, Pattern},
        {"pixels past the end", farOffset, 20, 3, 2, [](int, int) { return kWhite; }},
        // Colour tables; rows of 4 bytes, the bottom row first; 1 bit takes 2 entries.
        {"1 bit", Bmp(9, 2, {.bitCount = 1, .palette = kTable}, hex("5a000000a5800000")), 20, 9, 2,
         Indices({"101001011", "010110100"})},
        {"4 bits", Bmp(3, 2, {.bitCount = 4, .palette = kTable}, hex("3210000001400000")), 20, 3, 2,
         Indices({"014", "321"})},
        {"8 bits", Bmp(3, 2, {.bitCount = 8, .palette = kTable}, hex("0302010000010400")), 20, 3, 2,
         Indices({"014", "321"})},
        // Masked pixels are scaled to 0..255 and rounded.
        {"16 bits 5-5-5", Bmp(4, 1, {.bitCount = 16}, hex("ff7f007ce0030100")), 20, 4, 1,
         Row({kWhite, {255, 0, 0}, {0, 255, 0}, {0, 0, 8}})},
        {"16 bits 5-6-5",
         Bmp(4, 1, {.bitCount = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}},
             hex("ffffe00720000080")),
         20, 4, 1, Row({kWhite, {0, 255, 0}, {0, 4, 0}, {132, 0, 0}})},
        {"32 bits BGRX", Bmp(4, 1, {.bitCount = 32}, hex("563412ff0000ff0000ff0000ff000000")), 20,
         4, 1, Row({{0x12, 0x34, 0x56}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}})},
        {"32 bits RGBX, masks inside the larger header",
         Bmp(4, 1,
             {.bitCount = 32, .compression = 3, .infoSize = 124, .masks = {0xFF, 0xFF00, 0xFF0000}},
             hex("56341200ff00000000ff00000000ffff")),
         20, 4, 1, Row({{0x56, 0x34, 0x12}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.Answer(IDYES);          // to the question about few colour bits
        EXPECT_LE(Read(c.file), 10);  // buffered, never a read per byte
        ExpectCanvas(doc.m_ppInputPlanes, c.side, c.width, c.height, c.expected);
    }
}

// No cut of a valid file crashes or hangs; a cut in the headers (masks, colour table) is
// refused and keeps what was there; a cut in the pixels leaves what is missing white.
TEST_F(ViewLoading, EveryCutOfAValidFileIsReadOrRefused) {
    const struct {
        QByteArray file;
        int pixelBytes, width, height;
        PixelFn full;
        std::function<int(int x, int y, int s)> lastByte;  // of sample s, in the pixel data
    } files[] = {
        {Ppm(6, 3, "P6\n# c\n6 3\n255\n"), 54, 6, 3, Pattern,
         [](int x, int y, int s) { return (y * 6 + x) * 3 + s; }},
        {Bmp24(5, 3), 48, 5, 3, Pattern,  // rows of 16 bytes, bottom-up, blue first
         [](int x, int y, int s) { return (2 - y) * 16 + 3 * x + 2 - s; }},
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
            boxes.Clear();
            boxes.Answer(IDYES);
            const auto before = std::tuple(doc.Width(), doc.m_ppInputPlanes.Data());
            Read(f.file.left(n));
            if (n < header) {
                EXPECT_EQ(boxes.Texts(), QStringList{kUnsupported});
                EXPECT_EQ(std::tuple(doc.Width(), doc.m_ppInputPlanes.Data()), before);
                continue;
            }
            EXPECT_FALSE(boxes.Texts().contains(kUnsupported));
            ExpectCanvas(doc.m_ppInputPlanes, 20, f.width, f.height, [&](int x, int y) {
                Rgb c = f.full(x, y);
                for (int s = 0; s < 3; ++s)
                    c[s] = f.lastByte(x, y, s) < n - header ? c[s] : 255;
                return c;
            });
        }
    }
}

TEST_F(ViewLoading, DropTakesOnePictureFileWithOnlyTheSizeLinesAndAsksAbove260) {
    const QUrl good = QUrl::fromLocalFile(Write("good.ppm", Ppm(4, 2)));  // turned away first
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);  // must not be opened
    const QString folder = QStringLiteral("フォルダです。イメージファイルをD&Dしてください。");
    const struct {
        QList<QUrl> urls;
        QString message;
    } cases[] = {
        {{good, good}, QStringLiteral("複数ファイルは対処できません。すみません。")},
        {{QUrl::fromLocalFile(dir.path())}, folder},
        {{QUrl::fromLocalFile(dir.filePath(QStringLiteral("missing.ppm")))}, folder},
        {{QUrl::fromLocalFile(fifo)}, QStringLiteral("画像ファイルではありません。")},
        {{QUrl(QStringLiteral("https://example.com/a.ppm"))}, {}},  // no local file: ignored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.urls.first().toString().toStdString());
        boxes.Clear();
        Drop(c.urls);
        EXPECT_EQ(boxes.Texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        for (const auto& shown : boxes.All())
            EXPECT_EQ(shown.flags, MB_ICONINFORMATION);
    }
    EXPECT_EQ(EnabledPictureControls(), 0);

    const QString deep = QStringList(6, QString(200, 'd')).join('/');  // paths are not cut
    ASSERT_TRUE(QDir(dir.path()).mkpath(deep));
    DropFile(Write(deep + "/drop.ppm", Ppm(260, 260)));  // exactly 260: not asked
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(view.m_strImageInfo, SizeLines(260, 260, 260));  // nothing from the drops before
    EXPECT_EQ(view.windowTitle(), QStringLiteral("NGM - before"));
    EXPECT_EQ(doc.Width(), 260);
    ExpectCanvas(doc.m_ppInputPlanes, 260, 260, 260, Pattern);  // more rows than one band
    EXPECT_EQ(InputPanel(5, 7), Colour(Pattern(5, 7)));
    EXPECT_EQ(EnabledPictureControls(), 10);

    // 261 x 10 becomes 280 x 280 and is asked about.  No: the size lines stay, nothing else.
    view.OnAnalyze();
    ASSERT_TRUE(Enabled(IDC_PLAY));
    const QString big = Write("big.ppm", Ppm(261, 10));
    DropFile(big);
    ASSERT_EQ(boxes.Texts(), QStringList{kSizeWarning});
    EXPECT_EQ(boxes.All()[0].flags, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    EXPECT_EQ(view.m_strImageInfo, SizeLines(260, 260, 260) + SizeLines(261, 10, 280));
    EXPECT_EQ(std::tuple(doc.Width(), doc.m_ppInputPlanes.Columns()), std::tuple(260, 3 * 260));
    EXPECT_EQ(InputPanel(5, 7), Colour(Pattern(5, 7)));
    EXPECT_TRUE(Enabled(IDC_PLAY));

    // Yes: drawn, and the picture-present state applied.
    boxes.Clear();
    boxes.Answer(IDYES);
    DropFile(big);
    EXPECT_EQ(doc.Width(), 280);
    EXPECT_EQ(InputPanel(10, 135), Colour(Pattern(1, 0)));
    EXPECT_FALSE(Enabled(IDC_PLAY));

    // A refused file after that: the old picture goes on and is asked about again.
    boxes.Clear();
    DropFile(Write("gray.pgm", Ppm(4, 2, "P5\n4 2\n0\n")));
    EXPECT_EQ(boxes.Texts(), QStringList({kUnsupported, kSizeWarning}));
    EXPECT_EQ(doc.Width(), 280);
}

// Everything a load that changes nothing must leave as it was: the four panel images, the
// picture and its buffers, the title and which controls take input.
struct Seen {
    std::vector<QImage> panels;
    const std::int32_t* planes;
    const std::int32_t* binary;
    int width, height;
    QString title;
    std::vector<bool> enabled;
    bool operator==(const Seen&) const = default;
};

// While alive, allocations of at least failFrom bytes fail; each size asked for is recorded
// with whether the busy cursor was on.
struct AllocationWatch {
    explicit AllocationWatch(std::size_t failFrom = SIZE_MAX) {
        previous = ColumnBuffer::SetAllocationGate([this, failFrom](std::size_t size) {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            asked.push_back({size, cursor && cursor->shape() == Qt::WaitCursor});
            return size < failFrom;
        });
    }
    ~AllocationWatch() { ColumnBuffer::SetAllocationGate(previous); }
    bool Asked(std::size_t atLeast) const {
        return std::ranges::any_of(asked, [&](auto a) { return a.first >= atLeast; });
    }
    ColumnBuffer::AllocationGate previous;
    std::vector<std::pair<std::size_t, bool>> asked;
};

class LoadingKeeps : public ViewLoading {
protected:
    enum Flow { kDialog, kDrop };
    void SetUp() override {
        ViewLoading::SetUp();
        ASSERT_TRUE(Open(Write("first.ppm", Ppm(40, 40))));
        view.OnInput();  // cancelled: applies the picture-present state as a load does
        view.OnAnalyze();
        ASSERT_TRUE(Enabled(IDC_PLAY));
        boxes.Clear();
    }
    Seen Snapshot() const {
        Seen seen{{},
                  doc.m_ppInputPlanes.Data(),
                  view.m_ppBinaryImage.Data(),
                  doc.Width(),
                  doc.Height(),
                  view.windowTitle(),
                  {}};
        for (const CBitmap* b :
             {&view.m_bmpInput, &view.m_bmpBinary, &view.m_bmpPreview, &view.m_bmpResult}) {
            seen.panels.push_back(b->Image());
        }
        for (int id : view.Controls().Ids())
            seen.enabled.push_back(Enabled(id));
        return seen;
    }
    void Load(Flow flow, const QString& path) {
        if (flow == kDialog) {
            dialogs.Choose(path);
            view.OnInput();
        } else {
            DropFile(path);
        }
    }
    // The 40 x 40 picture is still the one analysed: its panels come out as before.
    void ExpectFirstPictureAnalysed(const Seen& before) {
        view.OnAnalyze();
        EXPECT_EQ(Snapshot().panels, before.panels);
        EXPECT_TRUE(Enabled(IDC_PLAY));
    }
};

TEST_F(LoadingKeeps, NoAtAQuestionLeavesEverythingAsItWasAndReadsNoPixels) {
    const QByteArray pixels(64, '\x11');
    const QByteArray fewBits = Bmp(4, 4, {.bitCount = 8, .palette = kTable}, pixels);
    const QByteArray fewBitsLarge = Bmp(300, 2, {.bitCount = 8, .palette = kTable}, pixels);
    const struct {
        const char* name;
        QByteArray file;
        std::vector<int> answers;
        QStringList asked;
    } cases[] = {
        {"size.ppm", Ppm(300, 300), {IDNO}, {kSizeWarning}},
        {"size.bmp", Bmp24(261, 3), {IDNO}, {kSizeWarning}},
        {"bits.bmp", fewBits, {IDNO}, {kFewColorBits}},
        {"bits-first.bmp", fewBitsLarge, {IDNO}, {kFewColorBits}},
        {"bits-then-size.bmp", fewBitsLarge, {IDYES, IDNO}, {kFewColorBits, kSizeWarning}},
    };
    for (Flow flow : {kDialog, kDrop}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << (flow == kDialog ? " dialog" : " drop"));
            const Seen before = Snapshot();
            const QString info = view.m_strImageInfo;
            boxes.Clear();
            for (int answer : c.answers)
                boxes.Answer(answer);
            AllocationWatch watch;
            Load(flow, Write(QString::fromLatin1(c.name), c.file));
            EXPECT_EQ(boxes.Texts(), c.asked);
            EXPECT_FALSE(watch.Asked(3 * 20 * 20 * 4));  // no planes for the declined picture
            EXPECT_TRUE(Snapshot() == before);
            // The information text shows what was read of the header, as it always did.
            EXPECT_TRUE(view.m_strImageInfo.startsWith(info));
            ExpectFirstPictureAnalysed(before);
        }
    }
}

TEST_F(LoadingKeeps, AZeroWidthOrHeightIsTooSmallAndThePictureStaysUsable) {
    const struct {
        const char* name;
        QByteArray file;
    } cases[] = {
        {"0x5.ppm", "P6\n0 5\n255\n"},
        {"5x0.ppm", "P6\n5 0\n255\n"},
        {"0x0.ppm", "P6\n0 0\n255\n"},
        {"0x300.ppm", "P6\n0 300\n255\n"},
        {"0x4.bmp", Bmp24(0, 4)},
        {"4x0.bmp", Bmp24(4, 0)},
        {"0x4-8bit.bmp", Bmp(0, 4, {.bitCount = 8, .palette = kTable}, {})},
    };
    const QString kEmpty = QStringLiteral("入力サイズが小さすぎます。");
    for (Flow flow : {kDialog, kDrop}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << (flow == kDialog ? " dialog" : " drop"));
            const Seen before = Snapshot();
            boxes.Clear();
            Load(flow, Write(QString::fromLatin1(c.name), c.file));
            ASSERT_EQ(boxes.Texts(), QStringList{kEmpty});
            EXPECT_EQ(boxes.All()[0].flags, MB_ICONQUESTION | MB_OK);
            EXPECT_TRUE(Snapshot() == before);
            ExpectFirstPictureAnalysed(before);
        }
    }
}

TEST_F(ViewLoading, AZeroSizeFirstPictureLeavesNoPictureAndTheControlsOff) {
    dialogs.Choose(Write("0x5.ppm", "P6\n0 5\n255\n"));
    view.OnInput();
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("入力サイズが小さすぎます。")});
    EXPECT_FALSE(doc.HasPicture());
    EXPECT_EQ(view.windowTitle(), QStringLiteral("NGM - before"));
    EXPECT_EQ(EnabledPictureControls(), 0);
}

TEST_F(LoadingKeeps, NoMemoryForThePlanesAbandonsTheLoadWithTheBusyCursorOffForTheBoxes) {
    const QString kOutOfMemory = QStringLiteral("メモリが不足しているため画像を読み込めません。");
    const struct {
        const char* name;
        QByteArray file;
        std::vector<int> answers;
        QStringList shown;
    } cases[] = {
        {"large.ppm", Ppm(300, 300), {IDYES}, {kSizeWarning, kOutOfMemory}},
        {"small.bmp", Bmp24(100, 60), {}, {kOutOfMemory}},
    };
    for (Flow flow : {kDialog, kDrop}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << (flow == kDialog ? " dialog" : " drop"));
            const Seen before = Snapshot();
            std::deque<int> answers(c.answers.begin(), c.answers.end());
            QStringList shown;
            std::vector<bool> busyAtBox;
            const MessageBoxHook scripted =
                SetMessageBoxHook([&](const QString& text, unsigned flags) {
                    shown << text;
                    busyAtBox.push_back(QGuiApplication::overrideCursor() != nullptr);
                    const int answer = answers.empty() ? IDOK : answers.front();
                    if (!answers.empty())
                        answers.pop_front();
                    EXPECT_EQ(flags & MB_TYPEMASK, text == kSizeWarning ? MB_YESNO : MB_OK);
                    return answer;
                });
            {
                AllocationWatch watch(100 * 100 * 4);
                Load(flow, Write(QString::fromLatin1(c.name), c.file));
                ASSERT_EQ(watch.asked.size(), 1u);  // the planes, with the busy cursor on
                EXPECT_TRUE(watch.asked[0].second);
            }
            SetMessageBoxHook(scripted);
            EXPECT_EQ(shown, c.shown);
            EXPECT_EQ(busyAtBox, std::vector<bool>(c.shown.size(), false));
            EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
            EXPECT_TRUE(Snapshot() == before);
            ExpectFirstPictureAnalysed(before);
        }
    }
}

TEST_F(LoadingKeeps, APipeChosenInTheDialogIsRefusedAtOnce) {
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Should the load wait for a writer after all, one comes after two seconds so that the
    // test fails on the clock instead of hanging.
    std::atomic<bool> done = false;
    std::thread writer([fifo, &done] {
        for (int i = 0; i < 200 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    const Seen before = Snapshot();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Open(fifo));
    EXPECT_LT(clock.elapsed(), 1000);
    done = true;
    writer.join();
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("画像ファイルではありません。")});
    EXPECT_EQ(boxes.All()[0].flags, MB_ICONINFORMATION);
    EXPECT_EQ(Snapshot().panels, before.panels);
    EXPECT_EQ(doc.m_ppInputPlanes.Data(), before.planes);
}

}  // namespace
