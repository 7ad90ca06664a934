// Puzzle files from the main window: export in each format through the save dialog, print
// through the print dialog, and open .non and .xml files to play, with the messages for files
// that cannot be read or written.  The exported sheets of a colour puzzle: each clue number on a
// swatch of its colour, its text black or white whichever reads better, with the colour's letter
// in the swatch's corner and a key of the letters below the grid, and the answer's cells in
// their colours.
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>

#include "formats/puzzle_file.h"
#include "formats/puzzle_sheet.h"
#include "window_test.h"

namespace {

class PuzzleFileTest : public WindowTest {
protected:
    // The plus picture, analysed into a 20 x 20 puzzle named "plus".
    void AnalysePlus() { Load(a, QStringLiteral("plus.ppm"), Plus(), true); }
    // Opens a puzzle file through the menu's dialog.
    void OpenThroughMenu(const QString& path) {
        ScriptedFileDialogs dialogs;
        dialogs.Choose(path);
        Frame().Action(ID_PUZZLE_OPEN)->trigger();
        ASSERT_EQ(dialogs.Requests().size(), 1u);
        EXPECT_TRUE(dialogs.Requests()[0].filter.contains(QStringLiteral("*.xml")));
    }
};

TEST_F(PuzzleFileTest, ExportWritesTheFormatOfTheNameChosenAndPrintBothPages) {
    EXPECT_FALSE(Frame().Action(ID_PUZZLE_EXPORT)->isEnabled());
    EXPECT_FALSE(Frame().Action(ID_FILE_PRINT)->isEnabled());
    AnalysePlus();
    const Puzzle& puzzle = a.doc.GetPuzzle();
    ScriptedFileDialogs dialogs;
    for (const char* name : {"p.non", "p.xml", "p.png", "p.pdf"}) {
        dialogs.Choose(dir.filePath(QString::fromLatin1(name)));
        Frame().Action(ID_PUZZLE_EXPORT)->trigger();
    }
    ASSERT_EQ(dialogs.Requests().size(), 4u);
    EXPECT_TRUE(dialogs.Requests()[0].save);
    // The dialog shows each filter's text as it is: its pattern once.
    for (const QString& filter : dialogs.Requests()[0].filter.split(QStringLiteral(";;")))
        EXPECT_EQ(filter.count(QStringLiteral("(*.")), 1) << filter.toStdString();
    EXPECT_EQ(dialogs.Requests()[0].fileName, QStringLiteral("plus"));

    for (PuzzleFileFormat format : {PuzzleFileFormat::kNon, PuzzleFileFormat::kXml})
        EXPECT_EQ(Read(QStringLiteral("p.") + PuzzleFormatExtension(format)).toStdString(),
                  WritePuzzleText(puzzle, format));
    EXPECT_FALSE(QImage::fromData(Read(QStringLiteral("p-solution.png"))).isNull());
    // The pages themselves are those of ngm-cli's export, compared with a golden file there.
    EXPECT_TRUE(Read(QStringLiteral("p.pdf")).startsWith("%PDF-"));

    ScriptedPrintDialogs printer(dir.filePath(QStringLiteral("printed.pdf")));
    Frame().Action(ID_FILE_PRINT)->trigger();
    EXPECT_EQ(printer.Count(), 1);
    EXPECT_EQ(QString::fromLatin1(Read(QStringLiteral("printed.pdf")))
                  .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))),
              2);
}

TEST_F(PuzzleFileTest, AFailedExportSaysSo) {
    AnalysePlus();
    ScriptedFileDialogs dialogs;
    ScriptedMessageBoxes boxes;
    dialogs.Choose(dir.filePath(QStringLiteral("none/p.non")));
    dialogs.Choose(dir.filePath(QStringLiteral("p.txt")));
    Frame().Action(ID_PUZZLE_EXPORT)->trigger();
    Frame().Action(ID_PUZZLE_EXPORT)->trigger();
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_TRUE(boxes.Texts()[0].startsWith("ファイルに書き込めませんでした。\np.non: "))
        << boxes.Texts()[0].toStdString();
    EXPECT_EQ(boxes.Texts()[1],
              "ファイルの種類がわかりません。\n名前の終わりを .non、.xml、.png、.pdf "
              "のどれかにしてください。");
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("p.txt"))));
}

// A file that cannot be read keeps the picture and the puzzle.  An opened puzzle is shown, judged
// and playable; analysis needs a picture, which an opened puzzle does not have: its controls are
// off until a picture comes, and the command changes nothing.  A puzzle of clues only takes its
// only solution or says why there is none.
TEST_F(PuzzleFileTest, OpenedPuzzlesArePlayableAndCluesOnlyTakeTheOnlySolutionOrSaySo) {
    AnalysePlus();
    const Puzzle before = a.doc.GetPuzzle();
    const QString title = Frame().windowTitle();
    {
        ScriptedMessageBoxes boxes;
        OpenThroughMenu(Write(QStringLiteral("cut.non"), QByteArray(kHeartNon).left(30)));
        EXPECT_EQ(boxes.Texts(),
                  QStringList{"パズルファイルを読めません: 6 行目 行のヒントが足りません"});
    }
    EXPECT_TRUE(a.doc.HasPicture());
    EXPECT_EQ(a.doc.GetPuzzle().answer, before.answer);
    EXPECT_EQ(Frame().windowTitle(), title);
    const struct {
        const char* name;
        const char* text;
        const char* answer;   // the cells' digits once judged
        const char* message;  // null for none
    } cases[] = {
        {"heart.non", kHeartNon, "0101011111111110111000100", nullptr},
        {"unique.non", "width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n1\n", "1110", nullptr},
        {"several.non", "width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n", "",
         "このパズルは答えが一つに決まりません。\nヒントに合うように塗れば正解です。"},
        {"none.xml",
         "<puzzle><clues type=\"rows\"><line/><line><count>2</count></line></clues>"
         "<clues type=\"columns\"><line/><line><count>2</count></line></clues></puzzle>",
         "", "このパズルのヒントには、すべてを満たす塗り方がありません。"},
        // A colour puzzle: red and green touching, its palette kept.
        {"colour.non",
         "width 3\nheight 1\ncolor r #ff0000\ncolor g #00ff00\nrows\n1r,1g\ncolumns\n1r\n1g\n0\n",
         "120", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedMessageBoxes boxes;
        const QString path = Write(QString::fromLatin1(c.name), c.text);
        OpenThroughMenu(path);
        const Puzzle& puzzle = a.doc.GetPuzzle();
        EXPECT_EQ(puzzle.HasAnswer(), &c == cases);  // the heart's file holds its answer
        EXPECT_FALSE(a.doc.HasPicture());
        EXPECT_EQ(Frame().windowTitle(), QStringLiteral("NGM - [") + path + QStringLiteral("]"));
        EXPECT_TRUE(a.View().Session().Info().endsWith(
            QStringLiteral("Puzzle : %1x%2\r\n").arg(puzzle.width).arg(puzzle.height)));
        EXPECT_TRUE(a.View().GetDlgItem(IDC_PLAY)->isEnabled());
        for (int id : {IDC_ANALYZE, IDC_LOWER_SCROLL, IDC_UPPER_EDIT, IDC_BLOCKS})
            EXPECT_FALSE(a.View().GetDlgItem(id)->isEnabled()) << id;
        ASSERT_TRUE(a.WaitForVerdict());
        std::string digits;
        for (std::uint8_t cell : puzzle.answer)
            digits += static_cast<char>('0' + cell);
        EXPECT_EQ(digits, c.answer);
        EXPECT_EQ(boxes.Texts(),
                  c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
    }
    EXPECT_EQ(a.doc.GetPuzzle().title, "colour");
    // The colour puzzle is shown in its colours and exported as it is.
    const Puzzle& colour = a.doc.GetPuzzle();
    ASSERT_TRUE(colour.IsColour());
    EXPECT_EQ(colour.palette, (std::vector<std::uint32_t>{0xffffff, 0xff0000, 0x00ff00}));
    EXPECT_TRUE(a.Pane().text().startsWith(QStringLiteral("一意解")));
    const QImage result = a.View().m_bmpResult.Image();
    EXPECT_GT(std::count_if(reinterpret_cast<const QRgb*>(result.constBits()),
                            reinterpret_cast<const QRgb*>(result.constBits()) +
                                result.width() * result.height(),
                            [](QRgb p) { return (p & 0xffffff) == 0x00ff00; }),
              10);
    ScriptedFileDialogs dialogs;
    dialogs.Choose(dir.filePath(QStringLiteral("again.non")));
    Frame().Action(ID_PUZZLE_EXPORT)->trigger();
    EXPECT_EQ(Read(QStringLiteral("again.non")).toStdString(),
              WritePuzzleText(colour, PuzzleFileFormat::kNon));
    const std::vector<std::uint8_t> cells = colour.answer;
    a.View().OnAnalyze();
    EXPECT_EQ(a.doc.GetPuzzle().answer, cells);
    AnalysePlus();
    EXPECT_TRUE(a.View().GetDlgItem(IDC_ANALYZE)->isEnabled());
    EXPECT_EQ(a.doc.GetPuzzle().width, 20);
}

// The ink pixels (near `ink` rather than the swatch's colour) of the top-left third of the
// swatch in the clue square at `topLeft`, as a bit pattern row by row.
std::vector<bool> LetterCorner(const QImage& image, QPoint topLeft, QColor ink) {
    std::vector<bool> bits;
    for (int y = 0; y < kSheetCellPixels / 3; ++y)
        for (int x = 0; x < kSheetCellPixels / 3; ++x)
            bits.push_back(std::abs(image.pixelColor(topLeft + QPoint(x + 3, y + 3)).lightness() -
                                    ink.lightness()) < 60);
    return bits;
}

TEST(ColourSheet, SwatchesTheirTextLettersAndTheAnswerInColour) {
    EXPECT_EQ(ClueTextColour(0xffe000), QColor(0, 0, 0));
    EXPECT_EQ(ClueTextColour(0x000080), QColor(255, 255, 255));
    // Mid grey (0x777777) contrasts more with black; a darker one with white.
    EXPECT_EQ(ClueTextColour(0x777777), QColor(0, 0, 0));
    EXPECT_EQ(ClueTextColour(0x707070), QColor(255, 255, 255));

    // One row: yellow then navy.  Two clue slots left of the grid, one above it.
    const Puzzle puzzle = Puzzle::FromColourGrid(2, 1, {1, 2}, {0xffffff, 0xffe000, 0x000080});
    const int margin = kSheetMarginPixels, cell = kSheetCellPixels;
    const int left = margin + 2 * cell, top = margin + cell;
    const QImage answer =
        QImage::fromData(PuzzlePng(puzzle, true)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(answer.isNull());
    EXPECT_EQ(answer.pixelColor(left + cell / 2, top + cell / 2), QColor(0xff, 0xe0, 0));
    EXPECT_EQ(answer.pixelColor(left + cell + cell / 2, top + cell / 2), QColor(0, 0, 0x80));
    const QImage blank = PuzzleImage(puzzle, false);
    EXPECT_EQ(blank.pixelColor(left + cell / 2, top + cell / 2), QColor(255, 255, 255));
    // The swatches' top right corners: column 1's navy above the grid; next to the grid the
    // row's last run (navy), then its first (yellow).
    const int corner = cell - 4;
    EXPECT_EQ(blank.pixelColor(left + cell + corner, top - cell + 3), QColor(0, 0, 0x80));
    EXPECT_EQ(blank.pixelColor(left - cell + corner, top + 3), QColor(0, 0, 0x80));
    EXPECT_EQ(blank.pixelColor(left - 2 * cell + corner, top + 3), QColor(0xff, 0xe0, 0));
    // The number on navy is white: the swatch holds white pixels and no black ones.
    int white = 0, black = 0;
    for (int x = left - cell + 3; x < left - 3; ++x) {
        for (int y = top + 3; y < top + cell - 3; ++y) {
            const QColor c = blank.pixelColor(x, y);
            white += c.lightness() > 200;
            black += c.lightness() < 20;
        }
    }
    EXPECT_GT(white, 5);
    EXPECT_EQ(black, 0);

    // Letters tell red and green apart in grey: of equal lightness, each column's clue a 1 in
    // white ink.  Red, a gap, green.
    const std::vector<std::uint32_t> palette{0xffffff, 0xc00000, 0x007000};
    const Puzzle letters = Puzzle::FromColourGrid(3, 1, {1, 0, 2}, palette);
    const QImage image = PuzzleImage(letters, false).convertToFormat(QImage::Format_Grayscale8);
    const QPoint red(margin + 2 * cell, margin), green(margin + 4 * cell, margin);
    const std::vector<bool> a = LetterCorner(image, red, Qt::white);
    const std::vector<bool> b = LetterCorner(image, green, Qt::white);
    EXPECT_NE(std::count(a.begin(), a.end(), true), 0);
    EXPECT_NE(std::count(b.begin(), b.end(), true), 0);
    EXPECT_NE(a, b);

    // The key below the grid: a swatch of each colour, in colour on both sheets.
    for (bool withAnswer : {false, true}) {
        const QImage sheet = PuzzleImage(letters, withAnswer);
        const int gridBottom = margin + 2 * cell;
        for (int k = 1; k <= 2; ++k) {
            int swatch = 0;
            for (int y = gridBottom; y < sheet.height(); ++y)
                for (int x = 0; x < sheet.width(); ++x)
                    swatch += sheet.pixel(x, y) == (0xff000000 | palette[k]);
            EXPECT_GT(swatch, cell * cell / 2) << "colour " << k << " answer " << withAnswer;
        }
    }
}

}  // namespace
