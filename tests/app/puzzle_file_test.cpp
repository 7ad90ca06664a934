// Puzzle files from the main window: export in each format through the save dialog, print
// through the print dialog, and open .non and .xml files to play, with the messages for files
// that cannot be read or written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/main_frame.h"
#include "construct/ngm_view.h"
#include "construct/verdict_judge.h"
#include "formats/puzzle_file.h"
#include "model/ngm_doc.h"
#include "platform/modal.h"
#include "res/dialog_template.h"
#include "support/scripted_ui.h"

namespace {

// A 200 x 200 picture in 10-pixel blocks: a plus sign of 20 x 20 blocks.
QByteArray PlusPicture() {
    QByteArray bytes = "P6\n200 200\n255\n";
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            bytes.append(
                3, (x / 10 >= 8 && x / 10 < 12) || (y / 10 >= 8 && y / 10 < 12) ? '\0' : '\xff');
    return bytes;
}

const char kHeartNon[] =
    "width 5\nheight 5\nrows\n1,1\n5\n5\n3\n1\ncolumns\n2\n4\n4\n4\n2\n"
    "goal \"0101011111111110111000100\"\n";
const std::vector<std::uint8_t> kHeartCells = {0, 1, 0, 1, 0, 1, 1, 1, 1, 1, 1, 1, 1,
                                               1, 1, 0, 1, 1, 1, 0, 0, 0, 1, 0, 0};

class PuzzleFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        frame = std::make_unique<CMainFrame>(&doc);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    QByteArray Read(const QString& name) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    // The plus picture, analysed into a 20 x 20 puzzle named "plus".
    void AnalysePlus() {
        View().OnDropFiles({Write(QStringLiteral("plus.ppm"), PlusPicture())});
        View().OnAnalyze();
        ASSERT_TRUE(doc.HasPuzzle());
    }
    // Opens a puzzle file through the menu's dialog.
    void OpenThroughMenu(const QString& path) {
        ScriptedFileDialogs dialogs;
        dialogs.Choose(path);
        frame->Action(ID_PUZZLE_OPEN)->trigger();
        ASSERT_EQ(dialogs.Requests().size(), 1u);
        EXPECT_TRUE(dialogs.Requests()[0].filter.contains(QStringLiteral("*.xml")));
    }
    bool WaitForVerdict() { return View().Judge()->WaitUntilDelivered(5000); }
    CNGMView& View() { return *frame->View(); }
    QImage Panel(CBitmap& bitmap) { return bitmap.Image().copy(); }
    static int NonFaceColor(const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) != ToQColor(kFaceColor).rgb();
        return count;
    }

    QTemporaryDir dir;
    CNGMDoc doc;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(PuzzleFileTest, ExportWritesTheFormatOfTheNameChosen) {
    EXPECT_FALSE(frame->Action(ID_PUZZLE_EXPORT)->isEnabled());
    EXPECT_FALSE(frame->Action(ID_FILE_PRINT)->isEnabled());
    AnalysePlus();
    EXPECT_TRUE(frame->Action(ID_PUZZLE_EXPORT)->isEnabled());
    EXPECT_TRUE(frame->Action(ID_FILE_PRINT)->isEnabled());
    EXPECT_EQ(frame->Action(ID_PUZZLE_EXPORT)->text(),
              QStringLiteral("パズルをエクスポート...\tCtrl+E"));
    const Puzzle& puzzle = doc.GetPuzzle();
    ASSERT_EQ(puzzle.title, "plus");
    ScriptedFileDialogs dialogs;
    for (const char* name : {"p.non", "p.xml", "p.png", "p.pdf"})
        dialogs.Choose(dir.filePath(QString::fromLatin1(name)));
    for (int i = 0; i < 4; ++i)
        frame->Action(ID_PUZZLE_EXPORT)->trigger();
    ASSERT_EQ(dialogs.Requests().size(), 4u);
    const FileDialogRequest& request = dialogs.Requests()[0];
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.fileName, QStringLiteral("plus"));
    for (const char* type : {"(*.non)", "(*.xml)", "(*.png)", "(*.pdf)"})
        EXPECT_TRUE(request.filter.contains(QString::fromLatin1(type))) << type;

    for (PuzzleFileFormat format : {PuzzleFileFormat::kNon, PuzzleFileFormat::kXml}) {
        const QByteArray written = Read(QStringLiteral("p.") + PuzzleFormatExtension(format));
        EXPECT_EQ(written.toStdString(), WritePuzzleText(puzzle, format));
        const PuzzleReadResult back = ReadPuzzleText(written.toStdString(), format);
        EXPECT_EQ(back.puzzle.answer, puzzle.answer);
    }
    const QImage blank = QImage::fromData(Read(QStringLiteral("p.png")));
    const QImage solved = QImage::fromData(Read(QStringLiteral("p-solution.png")));
    EXPECT_FALSE(blank.isNull());
    EXPECT_EQ(solved.size(), blank.size());
    const QByteArray pdf = Read(QStringLiteral("p.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))),
        2);
}

TEST_F(PuzzleFileTest, AFailedExportSaysSoAndLeavesTheOldFile) {
    AnalysePlus();
    const QString old = Write(QStringLiteral("old.pdf"), "old");
    ScriptedFileDialogs dialogs;
    ScriptedMessageBoxes boxes;
    // A name in a folder that does not exist; a name with no type; then a write cut short by a
    // file size limit, as a full disk cuts it.
    dialogs.Choose(dir.filePath(QStringLiteral("none/p.non")));
    dialogs.Choose(dir.filePath(QStringLiteral("p.txt")));
    dialogs.Choose(old);
    frame->Action(ID_PUZZLE_EXPORT)->trigger();
    frame->Action(ID_PUZZLE_EXPORT)->trigger();
    struct sigaction ignore = {}, before = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &before);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &limit);
    frame->Action(ID_PUZZLE_EXPORT)->trigger();
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &before, nullptr);

    ASSERT_EQ(boxes.Count(), 3);
    EXPECT_TRUE(
        boxes.Texts()[0].startsWith(QStringLiteral("ファイルに書き込めませんでした。\np.non: ")))
        << boxes.Texts()[0].toStdString();
    EXPECT_TRUE(boxes.Texts()[1].startsWith(QStringLiteral("ファイルの種類がわかりません。")));
    EXPECT_TRUE(
        boxes.Texts()[2].startsWith(QStringLiteral("ファイルに書き込めませんでした。\nold.pdf: ")));
    EXPECT_EQ(Read(QStringLiteral("old.pdf")), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("p.txt"))));
}

TEST_F(PuzzleFileTest, PrintSendsBothPagesToThePrinterChosen) {
    AnalysePlus();
    {
        ScriptedPrintDialogs cancelled{QString()};
        frame->Action(ID_FILE_PRINT)->trigger();
        EXPECT_EQ(cancelled.Count(), 1);
    }
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    ScriptedPrintDialogs printer(pdf);
    frame->Action(ID_FILE_PRINT)->trigger();
    EXPECT_EQ(printer.Count(), 1);
    const QByteArray bytes = Read(QStringLiteral("printed.pdf"));
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(
        QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))),
        2);
}

TEST_F(PuzzleFileTest, AnOpenedPuzzleIsShownJudgedAndPlayable) {
    AnalysePlus();
    const QString xml =
        Write(QStringLiteral("heart.xml"),
              QByteArray::fromStdString(WritePuzzleText(
                  ReadPuzzleText(kHeartNon, std::nullopt).puzzle, PuzzleFileFormat::kXml)));
    for (const QString& path : {Write(QStringLiteral("heart.non"), kHeartNon), xml}) {
        SCOPED_TRACE(path.toStdString());
        OpenThroughMenu(path);
        EXPECT_FALSE(doc.HasPicture());
        EXPECT_EQ(doc.GetPuzzle().answer, kHeartCells);
        EXPECT_EQ(doc.GetPuzzle().title, "heart");
        EXPECT_TRUE(View().GetDlgItem(IDC_PLAY)->isEnabled());
        EXPECT_TRUE(frame->Action(ID_PUZZLE_EXPORT)->isEnabled());
        EXPECT_EQ(frame->windowTitle(), QStringLiteral("NGM - [") + path + QStringLiteral("]"));
        EXPECT_TRUE(View().m_strImageInfo.endsWith(QStringLiteral("Puzzle : 5x5\r\n")));
        // The puzzle panel shows the puzzle; the other panels nothing.
        EXPECT_GT(NonFaceColor(Panel(View().m_bmpResult)), 100);
        EXPECT_EQ(NonFaceColor(Panel(View().m_bmpInput)), 0);
        EXPECT_EQ(NonFaceColor(Panel(View().m_bmpBinary)), 0);
        EXPECT_EQ(NonFaceColor(Panel(View().m_bmpPreview)), 0);
        ASSERT_TRUE(WaitForVerdict());
        EXPECT_TRUE(frame->VerdictPane()->text().startsWith(QStringLiteral("一意解")));
    }
    // Analysis needs a picture, which an opened puzzle does not have: nothing changes.
    View().OnAnalyze();
    EXPECT_EQ(doc.GetPuzzle().answer, kHeartCells);
}

TEST_F(PuzzleFileTest, CluesOnlyTakeTheOnlySolutionOrSaySoAndStayPlayable) {
    const struct {
        const char* name;
        const char* text;
        std::vector<std::uint8_t> answer;
        const char* message;  // null for none
    } cases[] = {
        {"unique.non", "width 2\nheight 2\nrows\n2\n1\ncolumns\n2\n1\n", {1, 1, 1, 0}, nullptr},
        {"several.non",
         "width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n",
         {},
         "このパズルは答えが一つに決まりません。"},
        {"none.xml",
         "<puzzle><clues type=\"rows\"><line/><line><count>2</count></line></clues>"
         "<clues type=\"columns\"><line/><line><count>2</count></line></clues></puzzle>",
         {},
         "このパズルのヒントには、すべてを満たす塗り方がありません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedMessageBoxes boxes;
        OpenThroughMenu(Write(QString::fromLatin1(c.name), c.text));
        EXPECT_FALSE(doc.GetPuzzle().HasAnswer());
        EXPECT_TRUE(View().GetDlgItem(IDC_PLAY)->isEnabled());
        ASSERT_TRUE(WaitForVerdict());
        EXPECT_EQ(doc.GetPuzzle().answer, c.answer);
        if (c.message) {
            ASSERT_EQ(boxes.Count(), 1);
            EXPECT_TRUE(boxes.Texts()[0].startsWith(QString::fromUtf8(c.message)))
                << boxes.Texts()[0].toStdString();
        } else {
            EXPECT_EQ(boxes.Count(), 0);
        }
    }
}

TEST_F(PuzzleFileTest, FilesThatCannotBeReadKeepThePictureAndThePuzzle) {
    AnalysePlus();
    const Puzzle before = doc.GetPuzzle();
    const QString title = frame->windowTitle();
    const QByteArray valid = QByteArray(kHeartNon);
    const struct {
        const char* name;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"cut.non", valid.left(30), "パズルファイルを読めません: 6 行目 行のヒントが足りません"},
        {"huge.non", "width 1000\n", "パズルファイルを読めません: 1 行目 幅は1から99までです"},
        {"digits.non", QByteArray(10 << 20, '7'),
         "パズルファイルを読めません: ファイルが大きすぎます"},
        {"long.non", "width 2\nheight 1\nrows\n3\n",
         "パズルファイルを読めません: 4 行目 ヒントが行に収まりません"},
        {"sums.xml",
         "<puzzle>\n<clues type=\"rows\"><line><count>1</count></line></clues>\n"
         "<clues type=\"columns\"><line/></clues>\n</puzzle>",
         "パズルファイルを読めません: 3 行目 行と列のヒントの合計が合いません"},
        {"picture.xml", PlusPicture(),
         "パズルファイルを読めません: 1 行目 XML の書式が正しくありません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedMessageBoxes boxes;
        OpenThroughMenu(Write(QString::fromLatin1(c.name), c.bytes));
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Texts()[0], QString::fromUtf8(c.message));
        EXPECT_TRUE(doc.HasPicture());
        EXPECT_EQ(doc.GetPuzzle().answer, before.answer);
        EXPECT_EQ(frame->windowTitle(), title);
    }
    // A cancelled dialog changes nothing either.
    ScriptedFileDialogs cancelled;
    frame->Action(ID_PUZZLE_OPEN)->trigger();
    EXPECT_EQ(doc.GetPuzzle().answer, before.answer);
}

}  // namespace
