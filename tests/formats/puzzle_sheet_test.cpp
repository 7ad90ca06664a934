// Exported pages and files: the PDF's two A4 pages, and writing through a temporary file that
// leaves the old file whole when the write fails.
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

Puzzle Wide() {
    std::vector<std::uint8_t> cells(12 * 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            cells[y * 12 + x] = (x + y) % 3 == 0 || x == y;
    return Puzzle::FromGrid(12, 10, cells);
}

// A PDF export is the puzzle and its answer on two A4 pages (in points).  (The files each format
// writes are checked through the window and the command line.)
TEST(PuzzleSheet, APdfExportIsTwoA4Pages) {
    const std::vector<ExportFile> files =
        ExportFiles(Wide(), PuzzleFileFormat::kPdf, QStringLiteral("w.pdf"), QStringLiteral("-"));
    ASSERT_EQ(files.size(), 1u);
    const QString pdf = QString::fromLatin1(files[0].bytes);
    EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 2);
    EXPECT_TRUE(
        pdf.contains(QRegularExpression(QStringLiteral("/MediaBox \\[0 0 595\\.?\\d* 842"))));
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
}

}  // namespace
