// Exported pictures and pages read back: the pictures' size, their numbers, lines and filled
// cells; the PDF with its two A4 pages; and writing through a temporary file that leaves the
// old file whole when the write fails.
#include "formats/puzzle_sheet.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>

#include "formats/file_writing.h"
#include "formats/puzzle_export.h"

namespace {

// The drawing needs fonts, which need an application object; the offscreen platform serves.
struct GuiEnvironment : ::testing::Environment {
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (!QGuiApplication::instance())
            app = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    int argc = 1;
    char name[16] = "formats_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
};
const auto* const kGui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

// A 12 x 10 puzzle with a diagonal, so that the clue areas and fifth lines differ by side.
Puzzle Wide() {
    std::vector<std::uint8_t> cells(12 * 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            cells[y * 12 + x] = (x + y) % 3 == 0 || x == y;
    return Puzzle::FromGrid(12, 10, cells);
}

// Dark pixels (grey below 128) in a rectangle of the picture.
int DarkPixels(const QImage& image, const QRect& r) {
    int dark = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

TEST(PuzzleSheet, PicturesShowNumbersLinesAndTheAnswer) {
    constexpr int c = kSheetCellPixels, m = kSheetMarginPixels;
    const Puzzle p = Wide();
    const SheetCells cells = SheetCellsOf(p);
    const QImage blank = QImage::fromData(PuzzlePng(p, false), "png");
    const QImage solved = QImage::fromData(PuzzlePng(p, true), "png");
    ASSERT_FALSE(blank.isNull());
    EXPECT_EQ(blank.size(), QSize(cells.Width() * c + 2 * m, cells.Height() * c + 2 * m));
    EXPECT_EQ(solved.size(), blank.size());
    const int left = m + cells.rowClueSlots * c, top = m + cells.columnClueSlots * c;
    // The slots next to the grid hold a number in every line; the inside of every cell is white
    // in the puzzle and black where the answer fills it.
    for (int y = 0; y < p.height; ++y) {
        const QRect slot(left - c + 3, top + y * c + 3, c - 6, c - 6);
        EXPECT_GT(DarkPixels(blank, slot), 8) << "row " << y;
    }
    for (int x = 0; x < p.width; ++x) {
        const QRect slot(left + x * c + 3, top - c + 3, c - 6, c - 6);
        EXPECT_GT(DarkPixels(blank, slot), 8) << "column " << x;
        for (int y = 0; y < p.height; ++y) {
            const QRect inside(left + x * c + 2, top + y * c + 2, c - 3, c - 3);
            EXPECT_EQ(DarkPixels(blank, inside), 0);
            EXPECT_EQ(DarkPixels(solved, inside),
                      p.AnswerAt(x, y) ? inside.width() * inside.height() : 0);
        }
    }
    // Lines: one pixel inside the grid, three at every fifth line and at the outline.
    const int middle = top + c / 2;
    for (int k = 0; k <= p.width; ++k) {
        const int x = left + k * c;
        const int expected = k == 0 || k == p.width || k % 5 == 0 ? 3 : 1;
        int width = 0;
        for (int dx = -2; dx <= 2; ++dx)
            width += qGray(blank.pixel(x + dx, middle)) < 128;
        EXPECT_EQ(width, expected) << "vertical line " << k;
    }
}

// A picture export writes the answer beside the puzzle, a PDF export two A4 pages (in points),
// and no temporary file is left.  (Which formats write which files is checked through the
// window and the command line.)
TEST(PuzzleSheet, ExportsWriteThePicturesAndTwoA4Pages) {
    QTemporaryDir dir;
    const QString verdict = QStringLiteral("一意解・論理で解けます (難易度 1)");
    const std::vector<ExportFile> png =
        ExportFiles(Wide(), PuzzleFileFormat::kPng, dir.filePath("h.PNG"), verdict);
    const std::vector<ExportFile> pdf =
        ExportFiles(Wide(), PuzzleFileFormat::kPdf, dir.filePath("h.pdf"), verdict);
    ASSERT_EQ(png.size(), 2u);
    ASSERT_EQ(pdf.size(), 1u);
    EXPECT_EQ(png[1].path, dir.filePath("h-solution.png"));
    EXPECT_EQ(WriteExportFiles(png), QString());
    EXPECT_EQ(WriteExportFiles(pdf), QString());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    QFile file(pdf[0].path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(file.readAll());
    EXPECT_TRUE(text.startsWith("%PDF-") && text.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 2);
    EXPECT_TRUE(
        text.contains(QRegularExpression(QStringLiteral("/MediaBox \\[0 0 595\\.?\\d* 842"))));
}

TEST(PuzzleSheet, AFailedWriteLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.pdf"));
    ASSERT_EQ(SaveFileAtomically(path, "old"), QString());
    // A file size limit makes the system refuse the write part way, as a full disk would.
    struct sigaction ignore = {}, before = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &before);
    rlimit limit{}, saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    limit = saved;
    limit.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &limit);
    const QString reason = SaveFileAtomically(path, QByteArray(5000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &before, nullptr);
    EXPECT_FALSE(reason.isEmpty());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.pdf")});
    // A file of several that cannot be written is named in the reason.
    const QString second = WriteExportFiles({{path, "new"}, {dir.filePath("no/b.png"), "b"}});
    EXPECT_TRUE(second.startsWith(QStringLiteral("b.png: "))) << second.toStdString();
}

}  // namespace
