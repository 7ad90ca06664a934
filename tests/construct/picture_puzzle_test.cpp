// The puzzle the command line makes of a picture is the one the window makes, bit for bit:
// the same picture file, band and block count give the same answer and clues.
#include "construct/picture_puzzle.h"

#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "analysis_support.h"
#include "model/picture_loader.h"
#include "support/scripted_ui.h"

namespace {

// A P6 file of noisy blobs: smooth shapes with random samples mixed in, so that blocks near
// the band and near half black occur.
QByteArray NoisyPicture(int width, int height, unsigned seed) {
    std::mt19937 rng(seed);
    QByteArray bytes = QByteArray("P6\n") + QByteArray::number(width) + " " +
                       QByteArray::number(height) + "\n255\n";
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int shape = ((x / 17 + y / 13) % 3) * 125;
            for (int c = 0; c < 3; ++c)
                bytes.append(
                    static_cast<char>(rng() % 4 == 0 ? rng() % 256 : std::min(255, shape + c * 9)));
        }
    }
    return bytes;
}

TEST_F(ViewTest, TheCommandLineMakesTheWindowsPuzzle) {
    QTemporaryDir dir;
    const struct {
        int width, height;
        int lower, upper;
        int comboIndex, n;
    } cases[] = {
        {260, 260, 0, 250, 2, 20}, {37, 53, 60, 200, 1, 10}, {101, 70, 0, 200, 0, 5},
        {300, 120, 0, 120, 2, 20}, {64, 64, 30, 140, 1, 10},
    };
    unsigned seed = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        QFile file(dir.filePath(QStringLiteral("p%1.ppm").arg(seed)));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(NoisyPicture(c.width, c.height, seed++));
        file.close();

        // The window: the picture through the open dialog, the band and the block count set.
        {
            ScriptedMessageBoxes boxes;
            boxes.Answer(IDYES);  // a picture wider than the panel is read all the same
            ScriptedFileDialogs dialogs;
            dialogs.Choose(file.fileName());
            view.OnInput();
        }
        view.m_comboBlocks->setCurrentIndex(c.comboIndex);
        view.m_nLowerThreshold = c.lower;
        view.m_nUpperThreshold = c.upper;
        view.OnAnalyze();
        ASSERT_TRUE(doc.HasPuzzle());

        // The command line's steps: the model's loader, then the picture's puzzle.
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        PictureLoader loader(file, SniffPictureFormat(file));
        ASSERT_TRUE(std::holds_alternative<PictureHeader>(loader.ReadHeader()));
        auto pixels = loader.ReadPixels();
        ASSERT_TRUE(std::holds_alternative<Picture>(pixels));
        ColumnBuffer binary;
        const Puzzle made =
            PuzzleOfPicture(std::get<Picture>(pixels), c.lower, c.upper, c.n, binary);
        file.close();
        EXPECT_EQ(made.width, c.n);
        EXPECT_EQ(made.answer, doc.GetPuzzle().answer);
        EXPECT_EQ(made.rows, doc.GetPuzzle().rows);
        EXPECT_EQ(made.columns, doc.GetPuzzle().columns);
        // Not a blank or a full grid, so the comparison says something.
        const auto filled = std::count(made.answer.begin(), made.answer.end(), 1);
        EXPECT_GT(filled, 0);
        EXPECT_LT(filled, c.n * c.n);
    }
}

}  // namespace
