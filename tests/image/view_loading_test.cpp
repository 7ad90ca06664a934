// Loading through the view: the open dialog and a drop (a real drop event with file URLs),
// what each appends, sets, allocates and shows, every message in its place, and what is kept
// when a file is refused.
#include <sys/stat.h>
#include <sys/types.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include "app/ngm_doc.h"
#include "construct/ngm_view.h"
#include "picture_bytes.h"
#include "res/dialog_template.h"
#include "support/scripted_ui.h"

namespace {

const QString kUnsupported = QStringLiteral("この形式はサポートされていません。");
const QString kTooLarge = QStringLiteral("入力画像サイズが大きすぎます。");
const QString kFewColorBits = QStringLiteral("色ビット数が16ビット以下です。");
const QString kCannotOpen = QStringLiteral("ファイルがオープンできません。");
const QString kSizeWarning = QStringLiteral(
    "入力画像サイズが260X260を超えていて表示しきれない可能性があります。\n続けますか？");
const QString kTooSmall = QStringLiteral("入力画像サイズが小さすぎて表示できません。");
const QString kAllocTooSmall = QStringLiteral("入力サイズが小さすぎます。");
const QString kSeveralFiles = QStringLiteral("複数ファイルは対処できません。すみません。");
const QString kFolder = QStringLiteral("フォルダです。イメージファイルをD&Dしてください。");
const QString kNotPicture = QStringLiteral("画像ファイルではありません。");

// The controls a present picture enables.
constexpr int kPictureControls[] = {
    IDC_ANALYZE,    IDC_TEST_MODE,  IDC_PLAY_MODE,    IDC_UPPER_CAPTION, IDC_LOWER_CAPTION,
    IDC_LOWER_EDIT, IDC_UPPER_EDIT, IDC_LOWER_SCROLL, IDC_UPPER_SCROLL,  IDC_BLOCKS};

QString SizeLines(int w, int h, int side) {
    return QStringLiteral("Xsize:%1\u2192%3\r\nYsize:%2\u2192%3\r\n").arg(w).arg(h).arg(side);
}

class ViewLoading : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        view.setWindowTitle(QStringLiteral("NGM - before"));
        view.show();
        view.OnInitialUpdate();
        view.EnsurePanelImages();
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    BOOL OpenThroughDialog(const QString& path) {
        dialogs.Choose(path);
        return view.OpenImageFile();
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
    void DropFiles(const QStringList& paths) {
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls << QUrl::fromLocalFile(p);
        Drop(urls);
    }

    bool Enabled(int id) const { return view.GetDlgItem(id)->isEnabled(); }
    bool PictureControlsEnabled() const {
        for (int id : kPictureControls) {
            if (!Enabled(id))
                return false;
        }
        return true;
    }
    bool AnyPictureControlEnabled() const {
        for (int id : kPictureControls) {
            if (Enabled(id))
                return true;
        }
        return false;
    }
    QString ShownInfo() const { return GetDlgItemText(view.Controls(), IDC_INFO); }
    COLORREF InputPanel(int x, int y) const { return view.m_dcInput.GetPixel(x, y); }
    static COLORREF Colour(const Rgb& c) { return RGB(c[0], c[1], c[2]); }

    // Loads a first picture (a 40 x 30 PPM through the dialog) and checks it took.
    void LoadFirstPicture() {
        ASSERT_TRUE(OpenThroughDialog(Write("first.ppm", Ppm(40, 30))));
        ASSERT_EQ(doc.m_nWidth, 40);
        boxes.Clear();
    }

    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    CNGMDoc doc;
    CNGMView view{&doc};
};

TEST_F(ViewLoading, DialogOffersFourFiltersInBothCases) {
    view.OnInput();  // cancelled: nothing changes
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_FALSE(dialogs.Requests()[0].save);
    const QStringList filters = dialogs.Requests()[0].filter.split(QStringLiteral(";;"));
    ASSERT_EQ(filters.size(), 4);
    EXPECT_TRUE(filters[0].startsWith(QStringLiteral("ｲﾒｰｼﾞﾌｧｲﾙ(*.ppm;*bmp)")));
    EXPECT_TRUE(filters[1].startsWith(QStringLiteral("ﾎﾟｰﾀﾌﾞﾙﾋﾟｸｾﾙﾏｯﾌﾟ(*.ppm)")));
    EXPECT_TRUE(filters[2].startsWith(QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)")));
    EXPECT_TRUE(filters[3].startsWith(QStringLiteral("全てのファイル")));
    // The patterns are those in the last parentheses of each entry.
    auto matches = [&](int entry, const QString& name) {
        const QString f = filters[entry];
        const int open = f.lastIndexOf('(');
        const QStringList patterns =
            f.mid(open + 1, f.size() - open - 2).split(' ', Qt::SkipEmptyParts);
        for (const QString& p : patterns) {
            const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p));
            if (re.match(name).hasMatch())
                return true;
        }
        return false;
    };
    for (const char* name : {"a.ppm", "A.PPM", "b.bmp", "B.BMP"}) {
        EXPECT_TRUE(matches(0, QString::fromLatin1(name))) << name;
        EXPECT_TRUE(matches(3, QString::fromLatin1(name))) << name;
    }
    EXPECT_TRUE(matches(1, QStringLiteral("A.PPM")));
    EXPECT_FALSE(matches(1, QStringLiteral("b.bmp")));
    EXPECT_TRUE(matches(2, QStringLiteral("B.BMP")));
    EXPECT_FALSE(matches(2, QStringLiteral("a.ppm")));
    EXPECT_TRUE(matches(3, QStringLiteral("README")));

    EXPECT_EQ(view.windowTitle(), QStringLiteral("NGM - before"));
    EXPECT_TRUE(view.m_strImageInfo.isEmpty());
    EXPECT_FALSE(AnyPictureControlEnabled());
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(ViewLoading, DialogLoadsAPpmCentredAndShowsIt) {
    const QString path = Write("pic.ppm", Ppm("P6\n#comment\n4 2\n255\n", 4, 2));
    dialogs.Choose(path);
    view.OnInput();
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(view.m_strImageInfo, QStringLiteral("[pic.ppm]\r\n") + SizeLines(4, 2, 20));
    EXPECT_EQ(ShownInfo(), QStringLiteral("[pic.ppm]\nXsize:4\u219220\nYsize:2\u219220\n"));
    EXPECT_EQ(view.windowTitle(), QStringLiteral("NGM - [") + path + QStringLiteral("]"));
    EXPECT_EQ(view.m_nImageWidth, 20);
    EXPECT_EQ(view.m_nImageHeight, 20);
    EXPECT_EQ(doc.m_nWidth, 20);
    EXPECT_EQ(doc.m_nHeight, 20);
    ExpectCanvas(doc.m_ppInputPlanes, 20, 8, 9, 4, 2, Pattern);
    EXPECT_EQ(view.m_ppBinaryImage.Columns(), 20);
    EXPECT_EQ(view.m_ppBinaryImage.Length(), 20);
    // The input panel shows the canvas from its top-left corner.
    EXPECT_EQ(InputPanel(8, 9), Colour(Pattern(0, 0)));
    EXPECT_EQ(InputPanel(11, 10), Colour(Pattern(3, 1)));
    EXPECT_EQ(InputPanel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(InputPanel(19, 19), RGB(255, 255, 255));
    EXPECT_EQ(InputPanel(20, 20), kFaceColor);
    EXPECT_TRUE(PictureControlsEnabled());
    EXPECT_FALSE(Enabled(IDC_PLAY));
}

TEST_F(ViewLoading, DialogLoadsABitmapUpright) {
    const QString path = Write("house.BMP", Bmp24(3, 2));
    EXPECT_TRUE(OpenThroughDialog(path));
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(view.m_strImageInfo, QStringLiteral("[house.BMP]\r\n") + SizeLines(3, 2, 20));
    ExpectCanvas(doc.m_ppInputPlanes, 20, 8, 9, 3, 2, Pattern);
    EXPECT_EQ(InputPanel(8, 10), Colour(Pattern(0, 1)));
    EXPECT_EQ(doc.m_nWidth, 20);
}

TEST_F(ViewLoading, RefusedAnymapAsFirstPictureIsTooSmall) {
    const QString path = Write("gray.pgm", Ppm("P5\n4 2\n255\n", 4, 2));
    EXPECT_FALSE(OpenThroughDialog(path));
    EXPECT_EQ(boxes.Texts(), QStringList({kUnsupported, kTooSmall}));
    EXPECT_EQ(boxes.All()[0].flags, MB_OK);
    EXPECT_EQ(boxes.All()[1].flags, MB_ICONQUESTION | MB_OK);
    // The title and the name line stay; no size lines, nothing allocated.
    EXPECT_EQ(view.windowTitle(), QStringLiteral("NGM - [") + path + QStringLiteral("]"));
    EXPECT_EQ(view.m_strImageInfo, QStringLiteral("[gray.pgm]\r\n"));
    EXPECT_EQ(view.m_nImageWidth, 0);
    EXPECT_FALSE(doc.m_ppInputPlanes.IsAllocated());
    view.ApplyPicturePresentState();
    EXPECT_FALSE(AnyPictureControlEnabled());
}

TEST_F(ViewLoading, EveryRefusedKindKeepsThePreviousPictureAndRedrawsIt) {
    LoadFirstPicture();
    view.OnAnalyze();
    ASSERT_TRUE(Enabled(IDC_PLAY));
    const std::int32_t* planes = doc.m_ppInputPlanes.Data();
    const std::int32_t* binary = view.m_ppBinaryImage.Data();

    struct Refusal {
        const char* name;
        QByteArray bytes;
        QString message;
    };
    BmpSpec rle;
    rle.width = 4;
    rle.height = 4;
    rle.bitCount = 8;
    rle.compression = 1;
    BmpSpec negativeWidth;
    negativeWidth.width = -4;
    negativeWidth.height = 4;
    BmpSpec hostile;
    hostile.width = 4;
    hostile.height = INT32_MIN;
    const Refusal refusals[] = {
        {"p1.pbm", "P1\n1 1\n1\n", kUnsupported},
        {"p2.pgm", "P2\n1 1\n255\n0\n", kUnsupported},
        {"p3.ppm", "P3\n1 1\n255\n0 0 0\n", kUnsupported},
        {"p4.pbm", QByteArray("P4\n8 1\n\x80", 8), kUnsupported},
        {"p5.pgm", Ppm("P5\n4 2\n255\n", 4, 2), kUnsupported},
        {"text.txt", "hello", kUnsupported},
        {"empty.ppm", "", kUnsupported},
        // Ends inside the header.
        {"cut.ppm", "P6\n#comment\n4 2", kUnsupported},
        {"cut.bmp", Bmp24(3, 2).left(30), kUnsupported},
        // Compressed: refused before the question about the colour bits.
        {"rle.bmp", Bmp(rle, QByteArray(16, '\0')), kUnsupported},
        {"negative.bmp", Bmp(negativeWidth, QByteArray(48, '\0')), kUnsupported},
        // A canvas larger than 8000 a side.
        {"wide.ppm", "P6\n8001 1\n255\n", kTooLarge},
        {"huge.ppm", "P6\n2147483648 2147483648\n255\n", kTooLarge},
        {"hostile.bmp", Bmp(hostile, QByteArray()), kTooLarge},
    };
    QString info = view.m_strImageInfo;
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        boxes.Clear();
        EXPECT_TRUE(OpenThroughDialog(Write(QString::fromLatin1(r.name), r.bytes)));
        ASSERT_EQ(boxes.Texts(), QStringList{r.message});
        EXPECT_EQ(boxes.All()[0].flags, MB_OK);
        info += QStringLiteral("[") + QString::fromLatin1(r.name) + QStringLiteral("]\r\n");
        EXPECT_EQ(view.m_strImageInfo, info);
        EXPECT_TRUE(view.windowTitle().endsWith(QString::fromLatin1(r.name) + ']'));
        // The picture, its sizes and buffers are those of before, drawn again.
        EXPECT_EQ(view.m_nImageWidth, 40);
        EXPECT_EQ(doc.m_nWidth, 40);
        EXPECT_EQ(doc.m_ppInputPlanes.Data(), planes);
        EXPECT_EQ(view.m_ppBinaryImage.Data(), binary);
        EXPECT_EQ(InputPanel(0, 5), Colour(Pattern(0, 0)));
        // Loading clears the other panels.
        EXPECT_EQ(view.m_dcPreview.GetPixel(5, 5), kFaceColor);
    }
    ExpectCanvas(doc.m_ppInputPlanes, 40, 0, 5, 40, 30, Pattern);
    // Each open attempt disables play again until the next analysis.
    view.OnInput();
    EXPECT_FALSE(Enabled(IDC_PLAY));
}

TEST_F(ViewLoading, ZeroSizeIsReportedByAllocationThenAsTooSmall) {
    LoadFirstPicture();
    const std::int32_t* planes = doc.m_ppInputPlanes.Data();
    EXPECT_FALSE(OpenThroughDialog(Write("zero.ppm", "P6\n0 0\n255\n")));
    EXPECT_EQ(boxes.Texts(), QStringList({kAllocTooSmall, kAllocTooSmall, kTooSmall}));
    EXPECT_TRUE(
        view.m_strImageInfo.endsWith(QStringLiteral("[zero.ppm]\r\n") + SizeLines(0, 0, 0)));
    EXPECT_EQ(view.m_nImageWidth, 0);
    EXPECT_EQ(doc.m_ppInputPlanes.Data(), planes);
    EXPECT_EQ(doc.m_nWidth, 40);
}

TEST_F(ViewLoading, SizeWarningAboveTwoHundredSixty) {
    const unsigned question = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
    // Exactly 260: no question.
    EXPECT_TRUE(OpenThroughDialog(Write("260.ppm", Ppm(260, 260))));
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(doc.m_nWidth, 260);

    // 261 x 10 becomes 280 x 280: asked; No keeps the document and the panels.
    const COLORREF shown = InputPanel(100, 100);
    EXPECT_FALSE(OpenThroughDialog(Write("261.ppm", Ppm(261, 10))));
    ASSERT_EQ(boxes.Texts(), QStringList{kSizeWarning});
    EXPECT_EQ(boxes.All()[0].flags, question);
    EXPECT_TRUE(view.m_strImageInfo.endsWith(SizeLines(261, 10, 280)));
    EXPECT_EQ(view.m_nImageWidth, 280);
    EXPECT_EQ(doc.m_ppInputPlanes.Columns(), 3 * 280);  // read, but not shown
    EXPECT_EQ(doc.m_nWidth, 260);
    EXPECT_EQ(InputPanel(100, 100), shown);

    // Yes completes the load.
    boxes.Clear();
    boxes.Answer(IDYES);
    EXPECT_TRUE(OpenThroughDialog(Write("300.ppm", Ppm(300, 200))));
    EXPECT_EQ(boxes.Texts(), QStringList{kSizeWarning});
    EXPECT_TRUE(
        view.m_strImageInfo.endsWith(QStringLiteral("[300.ppm]\r\n") + SizeLines(300, 200, 300)));
    EXPECT_EQ(doc.m_nWidth, 300);
    EXPECT_EQ(InputPanel(3, 50), Colour(Pattern(3, 0)));
}

TEST_F(ViewLoading, FileThatCannotBeOpenedKeepsTitleAndNameLine) {
    LoadFirstPicture();
    const QString path = dir.filePath(QStringLiteral("missing.ppm"));
    EXPECT_FALSE(OpenThroughDialog(path));
    EXPECT_EQ(boxes.Texts(), QStringList{kCannotOpen});
    EXPECT_EQ(boxes.All()[0].flags, MB_OK);
    EXPECT_EQ(view.windowTitle(), QStringLiteral("NGM - [") + path + QStringLiteral("]"));
    EXPECT_TRUE(view.m_strImageInfo.endsWith(QStringLiteral("[missing.ppm]\r\n")));
    EXPECT_EQ(doc.m_nWidth, 40);
}

TEST_F(ViewLoading, FewColourBitsAskFirstAndNoKeepsThePreviousPicture) {
    LoadFirstPicture();
    const std::int32_t* planes = doc.m_ppInputPlanes.Data();
    BmpSpec s;
    s.width = 4;
    s.height = 1;
    s.bitCount = 8;
    s.colorsUsed = 2;
    s.palette = {0xFF0000, 0x0000FF};
    const QString path = Write("palette.bmp", Bmp(s, QByteArray("\x00\x01\x01\x00", 4)));
    const QString before = view.m_strImageInfo;

    EXPECT_TRUE(OpenThroughDialog(path));  // the flow goes on with the old picture
    ASSERT_EQ(boxes.Texts(), QStringList{kFewColorBits});
    EXPECT_EQ(boxes.All()[0].flags, MB_YESNO);
    EXPECT_EQ(view.m_strImageInfo, before + QStringLiteral("[palette.bmp]\r\n"));
    EXPECT_EQ(doc.m_ppInputPlanes.Data(), planes);
    EXPECT_EQ(view.m_nImageWidth, 40);

    boxes.Clear();
    boxes.Answer(IDYES);
    EXPECT_TRUE(OpenThroughDialog(path));
    EXPECT_EQ(boxes.Texts(), QStringList{kFewColorBits});
    const Rgb colours[] = {{255, 0, 0}, {0, 0, 255}, {0, 0, 255}, {255, 0, 0}};
    ExpectCanvas(doc.m_ppInputPlanes, 20, 8, 9, 4, 1, [&](int x, int) { return colours[x]; });
}

// Every cut of a valid PPM and a valid bitmap, sniffed and read by the view: no cut crashes or
// hangs; a cut inside the headers is refused and keeps what was there, any later cut loads.
TEST_F(ViewLoading, EveryCutOfAValidFileIsReadOrRefused) {
    const QByteArray ppm = Ppm("P6\n# c\n6 3\n255\n", 6, 3);
    const int ppmHeader = static_cast<int>(ppm.size()) - 6 * 3 * 3;
    BmpSpec s;
    s.width = 5;
    s.height = -3;
    const QByteArray bmp = Bmp(s, Bmp24Rows(5, 3, true));
    const int bmpHeader = 54;
    // The first pixel's red sample is byte 0 of the PPM pixels but byte 2 of the bitmap's.
    const struct {
        QByteArray file;
        int headerSize;
        int redAt, blueAt;
    } files[] = {{ppm, ppmHeader, 0, 2}, {bmp, bmpHeader, 2, 0}};
    for (const auto& [file, headerSize, redAt, blueAt] : files) {
        for (int n = 0; n <= file.size(); ++n) {
            SCOPED_TRACE(n);
            boxes.Clear();
            const int widthBefore = view.m_nImageWidth;
            const std::int32_t* planesBefore = doc.m_ppInputPlanes.Data();
            QByteArray bytes = file.left(n);
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            view.ReadImage(buffer, view.DetectFormat(buffer));
            if (n < headerSize) {
                EXPECT_EQ(boxes.Texts(), QStringList{kUnsupported});
                EXPECT_EQ(view.m_nImageWidth, widthBefore);
                EXPECT_EQ(doc.m_ppInputPlanes.Data(), planesBefore);
            } else {
                EXPECT_EQ(boxes.Count(), 0);
                EXPECT_EQ(view.m_nImageWidth, 20);
                ASSERT_EQ(doc.m_ppInputPlanes.Columns(), 60);
                // The first pixel's samples are there once the data reaches them.
                const int x = 7, y = 8;
                EXPECT_EQ(doc.m_ppInputPlanes[3 * x][y],
                          n > headerSize + redAt ? Pattern(0, 0)[0] : 255);
                EXPECT_EQ(doc.m_ppInputPlanes[3 * x + 2][y],
                          n > headerSize + blueAt ? Pattern(0, 0)[2] : 255);
            }
        }
    }
}

TEST_F(ViewLoading, DroppedFileLoadsWithOnlyTheSizeLines) {
    view.setWindowTitle(QStringLiteral("NGM - before"));
    DropFiles({Write("drop.ppm", Ppm(40, 30))});
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(view.m_strImageInfo, SizeLines(40, 30, 40));
    EXPECT_EQ(view.windowTitle(), QStringLiteral("NGM - before"));
    EXPECT_EQ(doc.m_nWidth, 40);
    ExpectCanvas(doc.m_ppInputPlanes, 40, 0, 5, 40, 30, Pattern);
    EXPECT_EQ(InputPanel(0, 5), Colour(Pattern(0, 0)));
    EXPECT_TRUE(PictureControlsEnabled());

    // After an analysis a new drop disables play again.
    view.OnAnalyze();
    ASSERT_TRUE(Enabled(IDC_PLAY));
    DropFiles({Write("drop.bmp", Bmp24(7, 3))});
    EXPECT_EQ(view.m_strImageInfo, SizeLines(40, 30, 40) + SizeLines(7, 3, 20));
    ExpectCanvas(doc.m_ppInputPlanes, 20, 6, 8, 7, 3, Pattern);
    EXPECT_FALSE(Enabled(IDC_PLAY));
}

TEST_F(ViewLoading, DropsThatAreNotOnePictureFileAreTurnedAway) {
    const QString good = Write("good.ppm", Ppm(4, 2));
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QStringList paths;
        QString message;
    } cases[] = {
        {{good, good}, kSeveralFiles},
        {{dir.path()}, kFolder},
        {{dir.filePath(QStringLiteral("missing.ppm"))}, kFolder},
        {{fifo}, kNotPicture},  // never opened, so nothing waits for a writer
        {{QStringLiteral("/dev/null")}, kNotPicture},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paths.join(' ').toStdString());
        boxes.Clear();
        DropFiles(c.paths);
        ASSERT_EQ(boxes.Texts(), QStringList{c.message});
        EXPECT_EQ(boxes.All()[0].flags, MB_ICONINFORMATION);
    }
    // A drop without local files is ignored.
    boxes.Clear();
    Drop({QUrl(QStringLiteral("https://example.com/a.ppm"))});
    view.OnDropFiles({});
    EXPECT_EQ(boxes.Count(), 0);

    EXPECT_TRUE(view.m_strImageInfo.isEmpty());
    EXPECT_FALSE(doc.m_ppInputPlanes.IsAllocated());
    EXPECT_FALSE(AnyPictureControlEnabled());
}

TEST_F(ViewLoading, DroppedPathsAreNotCut) {
    QString folder = dir.path();
    while (QFile::encodeName(folder).size() < 1100) {
        folder += QStringLiteral("/") + QString(200, QChar('d'));
        ASSERT_TRUE(QDir().mkpath(folder));
    }
    const QString path = folder + QStringLiteral("/deep.ppm");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Ppm(4, 2));
    f.close();
    DropFiles({path});
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(doc.m_nWidth, 20);
    ExpectCanvas(doc.m_ppInputPlanes, 20, 8, 9, 4, 2, Pattern);
}

TEST_F(ViewLoading, DropStopsAtTheSizeWarningOrTheTooSmallTest) {
    // No: the size lines are there, the picture is read but not shown, the controls unchanged.
    DropFiles({Write("big.ppm", Ppm(300, 200))});
    EXPECT_EQ(boxes.Texts(), QStringList{kSizeWarning});
    EXPECT_EQ(view.m_strImageInfo, SizeLines(300, 200, 300));
    EXPECT_EQ(view.m_nImageWidth, 300);
    EXPECT_EQ(doc.m_nWidth, 0);
    EXPECT_FALSE(AnyPictureControlEnabled());

    // Yes: drawn, clipped to the panel, and the controls enabled.
    boxes.Clear();
    boxes.Answer(IDYES);
    DropFiles({Write("big.ppm", Ppm(300, 200))});
    EXPECT_EQ(doc.m_nWidth, 300);
    EXPECT_EQ(InputPanel(10, 60), Colour(Pattern(10, 10)));
    EXPECT_TRUE(PictureControlsEnabled());

    // A refused file after that: the old picture goes on and is shown again.
    boxes.Clear();
    DropFiles({Write("gray.pgm", Ppm("P5\n4 2\n255\n", 4, 2))});
    EXPECT_EQ(boxes.Texts(), QStringList({kUnsupported, kSizeWarning}));
    EXPECT_EQ(doc.m_nWidth, 300);
}

}  // namespace
