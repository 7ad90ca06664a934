// The ways a picture comes into the window: the 入力(I) dialog, a dropped file, the clipboard
// and dropped picture data.  What each shows (the messages, the title, the information text, the
// input panel) and what a refused or abandoned picture leaves as it was; the rules are the model's.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <fstream>

#include "../app/window_test.h"
#include "image/native_name.h"
#include "support/picture_files.h"

namespace {

using namespace picture_files;

const QString kUnsupported = QStringLiteral("この形式はサポートされていません。");
const QString kFewColorBits = QStringLiteral("色ビット数が16ビット以下です。");
const QString kSizeWarning = QStringLiteral(
    "入力画像サイズが260X260を超えていて表示しきれない可能性があります。\n続けますか？");
const QString kBefore = QStringLiteral("NGM - before");
const QString kClipboardTitle = QStringLiteral("NGM - [クリップボード]");

QString SizeLines(int w, int h, int side) {
    return QStringLiteral("Xsize:%1\u2192%3\r\nYsize:%2\u2192%3\r\n").arg(w).arg(h).arg(side);
}
COLORREF Colour(const Rgb& c) {
    return RGB(c[0], c[1], c[2]);
}

// Image data as a browser offers it when one of its pictures is dragged.
QMimeData* PictureMime(const QByteArray& bytes, const char* type = "image/png") {
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(type), bytes);
    mime->setUrls({QUrl(QStringLiteral("https://example.com/images/cat.png?size=big"))});
    return mime;
}

class ViewLoading : public ::testing::Test {
protected:
    void SetUp() override {
        view.setWindowTitle(kBefore);
        view.OnInitialUpdate();
        view.EnsurePanelImages();
    }
    QString Write(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    void Open(const QString& path) {
        dialogs.Choose(path);
        view.OnInput();
    }
    void Drop(QMimeData& mime) {
        const QPoint at = view.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &enter);
        if (!enter.isAccepted())
            return;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &drop);
    }
    void Drop(const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        Drop(mime);
    }
    void DropFile(const QString& path) { Drop(QList{QUrl::fromLocalFile(path)}); }
    bool Enabled(int id) const { return view.GetDlgItem(id)->isEnabled(); }
    COLORREF InputPanel(int x, int y) const { return view.m_dcInput.GetPixel(x, y); }
    std::vector<QImage> Panels() const {
        return {view.m_bmpInput.Image(), view.m_bmpBinary.Image(), view.m_bmpPreview.Image(),
                view.m_bmpResult.Image()};
    }

    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    CNGMDoc doc;
    CNGMView view{&doc};
};

TEST_F(ViewLoading, TheDialogShowsThePictureChosenAndAfterARefusalThePreviousOneAgain) {
    view.OnInput();  // cancelled: nothing changes
    EXPECT_EQ(view.windowTitle(), kBefore);
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    // The patterns of the first entry (in its last parentheses) list every picture file,
    // whatever the case of its name, and nothing else.
    const QString first = dialogs.Requests()[0].filter.section(QStringLiteral(";;"), 0, 0);
    const QString pictures =
        "A.PPM B.BMP C.PNG D.JPG E.JPEG F.GIF G.WEBP H.TIF I.TIFF J.PBM K.PGM L.PNM a.ppm b.bmp "
        "c.png d.jpg e.jpeg f.gif g.webp h.tif i.tiff j.pbm k.pgm l.pnm";
    for (const QString& name : (pictures + " README").split(' '))
        Write(name, {});
    const QStringList patterns = first.mid(first.lastIndexOf('(') + 1).chopped(1).split(' ');
    EXPECT_EQ(QDir(dir.path()).entryList(patterns, QDir::Files | QDir::CaseSensitive, QDir::Name),
              pictures.split(' '));

    // With no picture before, a refused file leaves nothing to draw.
    Open(Write("first", "P7\nWIDTH 4\nHEIGHT 2\nENDHDR\n"));
    EXPECT_EQ(
        boxes.Texts(),
        QStringList({kUnsupported, QStringLiteral("入力画像サイズが小さすぎて表示できません。")}));
    EXPECT_EQ(boxes.All().back().flags, MB_ICONQUESTION | MB_OK);
    EXPECT_FALSE(Enabled(IDC_ANALYZE));

    boxes.Clear();
    const QString path = Write("pic.ppm", Ppm(40, 30));
    Open(path);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(GetDlgItemText(view.Controls(), IDC_INFO),
              QStringLiteral("[first]\n[pic.ppm]\nXsize:40\u219240\nYsize:30\u219240\n"));
    EXPECT_EQ(view.windowTitle(), "NGM - [" + path + "]");
    // The input panel shows the canvas, the picture centred, from its top-left corner.
    EXPECT_EQ(std::tuple(InputPanel(0, 4), InputPanel(0, 5), InputPanel(40, 40)),
              std::tuple(RGB(255, 255, 255), Colour(Pattern(0, 0)), kFaceColor));
    EXPECT_TRUE(Enabled(IDC_ANALYZE));
    EXPECT_FALSE(Enabled(IDC_PLAY));

    view.OnAnalyze();  // so that the other panels have something to clear
    const struct {
        const char* name;
        QByteArray bytes;
        QString message;
    } refusals[] = {
        {"hostile.bmp", Bmp(4, INT32_MIN, {}), QStringLiteral("入力画像サイズが大きすぎます。")},
        // A file that cannot be opened: only the name line and the title change.
        {"missing.ppm", {}, QStringLiteral("ファイルがオープンできません。")},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.name);
        boxes.Clear();
        const QString name = QString::fromLatin1(r.name), info = view.Session().Info();
        const QString refused = r.bytes.isNull() ? dir.filePath(name) : Write(name, r.bytes);
        Open(refused);
        ASSERT_EQ(boxes.Texts(), QStringList{r.message});
        EXPECT_EQ(boxes.All()[0].flags, MB_OK);
        EXPECT_EQ(view.Session().Info(), info + "[" + name + "]\r\n");
        EXPECT_EQ(view.windowTitle(), "NGM - [" + refused + "]");
        // The picture of before, drawn again; the other panels cleared.
        EXPECT_EQ(InputPanel(39, 34), Colour(Pattern(39, 29)));
        EXPECT_EQ(view.m_dcPreview.GetPixel(5, 5), kFaceColor);
        EXPECT_FALSE(Enabled(IDC_PLAY));
    }
}

// A picture whose data ends early is named as damaged before any question, and nothing on screen
// changes: not the picture, its controls, the information text nor the title.  A file whose
// name is not UTF-8, chosen in the dialog, opens as any other.
TEST_F(ViewLoading, ADamagedPictureIsNamedAndChangesNothing) {
    const QByteArray native = QFile::encodeName(dir.path()) + "/\xe9t\xe9.ppm";
    std::ofstream(native.constData(), std::ios::binary) << Ppm(40, 30).toStdString();
    // Qt's dialog lists the name with a replacement mark for each byte that is not UTF-8.
    Open(DisplayName(NameFromNative(native)));
    ASSERT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join(u'|').toStdString();
    ASSERT_TRUE(doc.HasPicture());
    view.OnAnalyze();
    ASSERT_TRUE(Enabled(IDC_PLAY));
    const QString title = view.windowTitle(), info = view.Session().Info();
    const std::vector<QImage> panels = Panels();
    // A cut file in either reader of compressed pictures.
    for (const char* format : {"jpg", "png"}) {
        QByteArray cut = Encoded(PatternImage(300, 200), format);  // larger than the panel
        cut.truncate(cut.size() * 2 / 3);
        const QString name = QStringLiteral("cut.") + QLatin1String(format);
        boxes.Clear();
        Open(Write(name, cut));
        EXPECT_EQ(
            boxes.Texts(),
            QStringList{name + QStringLiteral("\n画像のデータが壊れているか途中で切れています。")});
        EXPECT_EQ(std::tuple(view.windowTitle(), view.Session().Info()), std::tuple(title, info));
        EXPECT_TRUE(Panels() == panels);
    }
    EXPECT_TRUE(Enabled(IDC_PLAY));
}

TEST_F(ViewLoading, ADropTakesOneLocalFileOrPictureDataWithOnlyTheSizeLinesAndAsksAbove260) {
    const QString good = Write("good.ppm", Ppm(4, 2));
    Drop({QUrl::fromLocalFile(good), QUrl::fromLocalFile(good)});
    Drop({QUrl::fromLocalFile(dir.path())});
    EXPECT_EQ(boxes.Texts(),
              QStringList({QStringLiteral("複数ファイルは対処できません。すみません。"),
                           QStringLiteral("フォルダです。イメージファイルをD&Dしてください。")}));
    for (const auto& shown : boxes.All())
        EXPECT_EQ(shown.flags, MB_ICONINFORMATION);
    EXPECT_FALSE(Enabled(IDC_ANALYZE));

    // 261 x 10 becomes 280 x 280 and is asked about; Yes: drawn, the picture-present state
    // applied, the title as it was.  Long paths are not cut.
    DropFile(good);
    view.OnAnalyze();
    ASSERT_TRUE(Enabled(IDC_PLAY));
    const QString deep = QStringList(6, QString(200, 'd')).join('/');
    ASSERT_TRUE(QDir(dir.path()).mkpath(deep));
    boxes.Clear();
    boxes.Answer(IDYES);
    DropFile(Write(deep + "/big.ppm", Ppm(261, 10)));
    ASSERT_EQ(boxes.Texts(), QStringList{kSizeWarning});
    EXPECT_EQ(boxes.All()[0].flags, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    EXPECT_EQ(view.Session().Info(), SizeLines(4, 2, 20) + SizeLines(261, 10, 280));
    EXPECT_EQ(view.windowTitle(), kBefore);
    EXPECT_EQ(view.Session().PictureName(), QStringLiteral("big"));
    EXPECT_EQ(doc.Width(), 280);
    EXPECT_EQ(InputPanel(10, 135), Colour(Pattern(1, 0)));
    EXPECT_FALSE(Enabled(IDC_PLAY));

    // Picture data dragged out of another program loads like a dropped file, named from the
    // address it came from.
    boxes.Clear();
    std::unique_ptr<QMimeData> mime(
        PictureMime(Encoded(PatternImage(21, 22), "webp"), "image/webp"));
    mime->setData(QStringLiteral("image/x-unknown"), "not a picture");
    Drop(*mime);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_TRUE(view.Session().Info().endsWith(SizeLines(261, 10, 280) + SizeLines(21, 22, 40)));
    EXPECT_EQ(view.windowTitle(), kBefore);
    EXPECT_EQ(view.Session().PictureName(), QStringLiteral("cat"));
    EXPECT_EQ(InputPanel(9, 9), Colour(Pattern(0, 0)));
}

// No at a question, through the dialog, a drop and the clipboard: the analysed 40 x 40 picture
// stays as it was, untouched, and no busy cursor is left.  (A picture whose planes cannot be
// had ends the same way in the session.)
TEST_F(ViewLoading, AnAbandonedPictureLeavesEverythingAsItWas) {
    Open(Write("first.ppm", Ppm(40, 40)));
    view.OnAnalyze();
    ASSERT_TRUE(Enabled(IDC_PLAY));
    const QByteArray both = Bmp(300, 2, {.bitCount = 8}, QByteArray(600, 0));
    for (const char* route : {"opened", "dropped", "pasted"}) {
        SCOPED_TRACE(route);
        const std::vector<QImage> panels = Panels();
        const std::int32_t* planes = doc.m_ppInputPlanes.Data();
        const QString title = view.windowTitle();
        boxes.Clear();
        boxes.Answer(IDYES);
        boxes.Answer(IDNO);
        int asked = 0;  // no planes are asked for a declined picture
        const auto gate = ColumnBuffer::SetAllocationGate([&](std::size_t) { return ++asked; });
        const QString path = Write(QStringLiteral("both.bmp"), both);
        if (route[0] == 'o') {
            Open(path);
        } else if (route[0] == 'd') {
            DropFile(path);
        } else {
            QGuiApplication::clipboard()->setMimeData(PictureMime(both));
            view.OnPaste();
        }
        ColumnBuffer::SetAllocationGate(gate);
        EXPECT_EQ(asked, 0);
        EXPECT_EQ(boxes.Texts(), QStringList({kFewColorBits, kSizeWarning}));
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        // Nothing drawn, the controls as they were (the play button included).
        EXPECT_EQ(Panels(), panels);
        EXPECT_EQ(std::tuple(doc.m_ppInputPlanes.Data(), view.windowTitle()),
                  std::tuple(planes, title));
        EXPECT_TRUE(Enabled(IDC_PLAY));
    }
}

class PasteInTheFrame : public WindowTest {};

TEST_F(PasteInTheFrame, CtrlVPastesThePictureUnlessATextFieldTakesIt) {
    ScriptedMessageBoxes boxes;
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    CNGMView* view = &a.View();
    QGuiApplication::clipboard()->setMimeData(PictureMime(Encoded(PatternImage(37, 35), "png")));
    // The information text is read-only: from it, Ctrl+V pastes the picture, like a file chosen
    // in the dialog, under the clipboard's name.
    view->GetDlgItem(IDC_INFO)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(boxes.Count(), 0);
    ASSERT_EQ(view->Session().Info(), "[クリップボード]\r\n" + SizeLines(37, 35, 40));
    EXPECT_EQ(Frame().windowTitle(), kClipboardTitle);
    EXPECT_EQ(view->Session().PictureName(), QStringLiteral("クリップボード"));
    EXPECT_EQ(view->m_dcInput.GetPixel(1, 2), Colour(Pattern(0, 0)));
    EXPECT_EQ(view->m_dcInput.GetPixel(37, 36), Colour(Pattern(36, 34)));
    // An image put there by a program, decoded already.
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    QGuiApplication::clipboard()->setImage(image);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(view->m_dcInput.GetPixel(9, 10), RGB(10, 20, 30));

    // The block count field accepts typing once a picture is there: it takes Ctrl+V itself.
    QGuiApplication::clipboard()->setText(QStringLiteral("10"));
    auto* blocks = qobject_cast<QComboBox*>(view->GetDlgItem(IDC_BLOCKS));
    ASSERT_TRUE(blocks->isEnabled());
    blocks->lineEdit()->clear();
    blocks->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(blocks->currentText(), QStringLiteral("10"));
    EXPECT_EQ(boxes.Count(), 0);  // no refusal of the text as a picture
    // Leaving the field takes the typed count while the window is whole.
    view->GetDlgItem(IDC_INFO)->setFocus();
}

}  // namespace
