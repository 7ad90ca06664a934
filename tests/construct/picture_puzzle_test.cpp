// The puzzle the command line makes of a picture is the one the window makes, bit for bit:
// the same picture file, band and block count give the same answer and clues.  (The two ways
// of counting blocks are compared over many pictures and bands by the sums-to-blocks tests.)
#include "construct/picture_puzzle.h"

#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "analysis_support.h"
#include "model/picture_loader.h"
#include "support/scripted_ui.h"

namespace {

// A 300 x 120 P6 file of noisy blobs, wider than the panel and with fewer block rows than
// columns: smooth shapes with random samples mixed in, so that blocks near the band and near
// half black occur.
QByteArray NoisyPicture() {
    std::mt19937 rng(1);
    QByteArray bytes = "P6\n300 120\n255\n";
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 300; ++x) {
            const int shape = ((x / 17 + y / 13) % 3) * 125;
            for (int c = 0; c < 3; ++c)
                bytes.append(
                    static_cast<char>(rng() % 4 == 0 ? rng() % 256 : std::min(255, shape + c * 9)));
        }
    }
    return bytes;
}

TEST_F(ViewTest, TheCommandLineMakesTheWindowsPuzzle) {
    constexpr int lower = 0, upper = 120, n = 20;
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("p.ppm")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(NoisyPicture());
    file.close();

    // The window: the picture through the open dialog, the band and the block count set.
    {
        ScriptedMessageBoxes boxes;
        boxes.Answer(IDYES);  // a picture wider than the panel is read all the same
        ScriptedFileDialogs dialogs;
        dialogs.Choose(file.fileName());
        view.OnInput();
    }
    view.m_comboBlocks->setCurrentIndex(2);
    view.m_nLowerThreshold = lower;
    view.m_nUpperThreshold = upper;
    view.OnAnalyze();
    ASSERT_TRUE(doc.HasPuzzle());

    // The command line's steps: the model's loader, then the picture's puzzle.
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    PictureLoader loader(file, SniffPictureFormat(file));
    ASSERT_TRUE(std::holds_alternative<PictureHeader>(loader.ReadHeader()));
    auto pixels = loader.ReadPixels();
    ASSERT_TRUE(std::holds_alternative<Picture>(pixels));
    ColumnBuffer binary;
    const Puzzle made = PuzzleOfPicture(std::get<Picture>(pixels), lower, upper, n, binary);
    EXPECT_EQ(made.width, n);
    EXPECT_EQ(made.answer, doc.GetPuzzle().answer);
    EXPECT_EQ(made.rows, doc.GetPuzzle().rows);
    EXPECT_EQ(made.columns, doc.GetPuzzle().columns);
    // Not a blank or a full grid, so the comparison says something.
    const auto filled = std::count(made.answer.begin(), made.answer.end(), 1);
    EXPECT_GT(filled, 0);
    EXPECT_LT(filled, n * n);
}

}  // namespace
