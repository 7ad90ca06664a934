// Pictures in the formats of Qt's readers through the open dialog and a drop, broken data, the
// clipboard (the view's paste and Ctrl+V in the main window) and picture data dropped from
// another program: titles, information lines, canvases and what a refusal keeps.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <array>
#include <functional>

#include "app/main_frame.h"
#include "construct/ngm_view.h"
#include "model/ngm_doc.h"
#include "res/dialog_template.h"
#include "support/picture_files.h"
#include "support/scripted_ui.h"

namespace {

using Rgb = std::array<int, 3>;
using picture_files::ClaimingSize;
using picture_files::Encoded;

const QString kUnsupported = QStringLiteral("この形式はサポートされていません。");
const QString kTooLarge = QStringLiteral("入力画像サイズが大きすぎます。");
const QString kSizeWarning = QStringLiteral(
    "入力画像サイズが260X260を超えていて表示しきれない可能性があります。\n続けますか？");

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

QString SizeLines(int w, int h, int side) {
    return QStringLiteral("Xsize:%1\u2192%3\r\nYsize:%2\u2192%3\r\n").arg(w).arg(h).arg(side);
}

// Image data as a browser offers it when one of its pictures is dragged.
QMimeData* PictureMime(const QByteArray& bytes, const char* type = "image/png") {
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(type), bytes);
    mime->setUrls({QUrl(QStringLiteral("https://example.com/images/cat.png?size=big"))});
    return mime;
}

class PictureSources : public ::testing::Test {
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
    void Drop(QMimeData& mime) {
        const QPoint at = view.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &enter);
        if (!enter.isAccepted())
            return;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &drop);
    }
    // The canvas holds the picture centred, white around it; samples within the tolerance.
    void ExpectCanvas(int width, int height, const std::function<Rgb(int, int)>& expected,
                      int tolerance = 0) {
        const ColumnBuffer& planes = doc.m_ppInputPlanes;
        const int side = doc.Width();
        ASSERT_EQ(std::tuple(doc.m_picture.width, doc.m_picture.height), std::tuple(width, height));
        const int left = (side - width) / 2, top = (side - height) / 2;
        for (int x = 0; x < side; ++x) {
            for (int y = 0; y < side; ++y) {
                const bool inside = x >= left && x < left + width && y >= top && y < top + height;
                const Rgb want = inside ? expected(x - left, y - top) : Rgb{255, 255, 255};
                for (int s = 0; s < 3; ++s)
                    ASSERT_NEAR(planes[3 * x + s][y], want[s], tolerance) << x << "," << y;
            }
        }
    }
    bool PlayEnabled() const { return view.GetDlgItem(IDC_PLAY)->isEnabled(); }

    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    CNGMDoc doc;
    CNGMView view{&doc};
};

TEST_F(PictureSources, EveryFormatComesInThroughTheDialogAndADrop) {
    QImage gray(32, 16, QImage::Format_RGB32);  // flat grays survive JPEG
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x)
            gray.setPixel(x, y, x < 16 ? qRgb(200, 200, 200) : qRgb(40, 40, 40));
    }
    const auto grayShown = [](int x, int) { return x < 16 ? Rgb{200, 200, 200} : Rgb{40, 40, 40}; };
    QByteArray p5 = "P5\n# gray\n19\n17\n255\n";
    for (int i = 0; i < 19 * 17; ++i)
        p5.append(static_cast<char>(i % 251));
    const struct {
        const char* name;
        QByteArray file;
        int width, height, side;
        std::function<Rgb(int, int)> expected;
        int tolerance;
    } cases[] = {
        {"photo.png", Encoded(PatternImage(45, 30), "png"), 45, 30, 60, Pattern, 0},
        {"photo.jpg", Encoded(gray, "jpeg"), 32, 16, 40, grayShown, 6},
        {"photo.webp", Encoded(PatternImage(30, 45), "webp"), 30, 45, 60, Pattern, 0},
        {"photo.tiff", Encoded(PatternImage(20, 20), "tiff"), 20, 20, 20, Pattern, 0},
        {"photo.gif", picture_files::Gif(2, 1, {0x123456, 0xABCDEF}, {1, 0}), 2, 1, 20,
         [](int x, int) {
             return x == 0 ? Rgb{0xAB, 0xCD, 0xEF} : Rgb{0x12, 0x34, 0x56};
         },
         0},
        {"photo.pgm", p5, 19, 17, 20,
         [](int x, int y) {
             const int v = (y * 19 + x) % 251;
             return Rgb{v, v, v};
         },
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Write(QString::fromLatin1(c.name), c.file);
        boxes.Clear();
        view.m_strImageInfo.clear();
        dialogs.Choose(path);
        view.OnInput();
        EXPECT_EQ(boxes.Count(), 0);
        EXPECT_EQ(view.windowTitle(), "NGM - [" + path + "]");
        EXPECT_EQ(view.m_strImageInfo, "[" + QString::fromLatin1(c.name) + "]\r\n" +
                                           SizeLines(c.width, c.height, c.side));
        EXPECT_EQ(view.m_strPictureName, QStringLiteral("photo"));
        ExpectCanvas(c.width, c.height, c.expected, c.tolerance);

        // Dropped: only the size lines, the title as it was.
        view.m_strImageInfo.clear();
        view.setWindowTitle(QStringLiteral("NGM - before"));
        doc.m_picture = Picture{};
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        Drop(mime);
        EXPECT_EQ(view.m_strImageInfo, SizeLines(c.width, c.height, c.side));
        EXPECT_EQ(view.windowTitle(), QStringLiteral("NGM - before"));
        ExpectCanvas(c.width, c.height, c.expected, c.tolerance);
    }
}

TEST_F(PictureSources, DataThatCannotBeDecodedIsRefusedAndThePreviousPictureStays) {
    dialogs.Choose(Write("first.png", Encoded(PatternImage(40, 30), "png")));
    view.OnInput();
    view.OnAnalyze();
    ASSERT_TRUE(PlayEnabled());
    const std::int32_t* planes = std::as_const(doc.m_ppInputPlanes).Data();

    // The header is whole, the data is cut: the size lines show, then the refusal.
    QByteArray cut = Encoded(PatternImage(60, 50), "png");
    cut.truncate(cut.size() / 2);
    const QString path = Write("cut.png", cut);
    boxes.Clear();
    const QString info = view.m_strImageInfo;
    dialogs.Choose(path);
    view.OnInput();
    EXPECT_EQ(boxes.Texts(), QStringList{kUnsupported});
    EXPECT_EQ(view.m_strImageInfo, info + "[cut.png]\r\n" + SizeLines(60, 50, 60));
    EXPECT_EQ(view.windowTitle(), "NGM - [" + path + "]");
    EXPECT_EQ(std::as_const(doc.m_ppInputPlanes).Data(), planes);
    ExpectCanvas(40, 30, Pattern);
    // The previous picture is drawn again, its analysis to be made anew.
    const Rgb first = Pattern(0, 0);
    EXPECT_EQ(view.m_dcInput.GetPixel(0, 5), RGB(first[0], first[1], first[2]));
    EXPECT_FALSE(PlayEnabled());
}

TEST_F(PictureSources, PasteTakesThePictureOnTheClipboard) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Bytes of a file: like a file chosen in the dialog, under the clipboard's name.
    clipboard->setMimeData(PictureMime(Encoded(PatternImage(37, 35), "png")));
    view.OnPaste();
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(view.windowTitle(), QStringLiteral("NGM - [クリップボード]"));
    EXPECT_EQ(view.m_strImageInfo, "[クリップボード]\r\n" + SizeLines(37, 35, 40));
    EXPECT_EQ(view.m_strPictureName, QStringLiteral("クリップボード"));
    ExpectCanvas(37, 35, Pattern);
    EXPECT_TRUE(view.GetDlgItem(IDC_ANALYZE)->isEnabled());

    // An image put there by a program, decoded already; transparency over white.
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 0, 0));
    image.setPixel(1, 1, qRgba(10, 20, 30, 255));
    clipboard->setImage(image);
    view.OnPaste();
    ExpectCanvas(3, 2, [](int x, int y) {
        return x == 1 && y == 1 ? Rgb{10, 20, 30} : Rgb{255, 255, 255};
    });

    // What cannot be had keeps the picture: text, a size beyond the limit, No to the question.
    const std::int32_t* planes = std::as_const(doc.m_ppInputPlanes).Data();
    const struct {
        const char* name;
        std::function<void()> put;
        std::vector<int> answers;
        QStringList shown;
        QString title;
    } kept[] = {
        {"text",
         [&] { clipboard->setText(QStringLiteral("hello")); },
         {},
         {kUnsupported},
         QStringLiteral("NGM - before")},
        {"huge",
         [&] {
             clipboard->setMimeData(
                 PictureMime(ClaimingSize(Encoded(PatternImage(4, 4), "png"), 60000, 60000)));
         },
         {},
         {kTooLarge},
         QStringLiteral("NGM - [クリップボード]")},
        {"declined",
         [&] { clipboard->setMimeData(PictureMime(Encoded(PatternImage(300, 2), "png"))); },
         {IDNO},
         {kSizeWarning},
         QStringLiteral("NGM - before")},
    };
    for (const auto& k : kept) {
        SCOPED_TRACE(k.name);
        view.setWindowTitle(QStringLiteral("NGM - before"));
        boxes.Clear();
        for (int answer : k.answers)
            boxes.Answer(answer);
        k.put();
        view.OnPaste();
        EXPECT_EQ(boxes.Texts(), k.shown);
        EXPECT_EQ(view.windowTitle(), k.title);
        EXPECT_EQ(std::as_const(doc.m_ppInputPlanes).Data(), planes);
        EXPECT_EQ(std::tuple(doc.m_picture.width, doc.m_picture.height), std::tuple(3, 2));
    }
}

TEST_F(PictureSources, PictureDataDroppedFromAnotherProgramLoadsLikeADroppedFile) {
    auto* mime = PictureMime(Encoded(PatternImage(21, 22), "webp"), "image/webp");
    mime->setData(QStringLiteral("image/x-unknown"), "not a picture");
    std::unique_ptr<QMimeData> owned(mime);
    Drop(*mime);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(view.m_strImageInfo, SizeLines(21, 22, 40));
    EXPECT_EQ(view.windowTitle(), QStringLiteral("NGM - before"));
    EXPECT_EQ(view.m_strPictureName, QStringLiteral("cat"));  // from the address it came from
    ExpectCanvas(21, 22, Pattern);
    EXPECT_TRUE(view.GetDlgItem(IDC_ANALYZE)->isEnabled());

    // Text alone is not taken; data of a picture type that is no picture is refused.
    QMimeData text;
    text.setText(QStringLiteral("hello"));
    Drop(text);
    EXPECT_EQ(boxes.Count(), 0);
    QMimeData junk;
    junk.setData(QStringLiteral("image/png"), "junk");
    Drop(junk);
    EXPECT_EQ(boxes.Texts(), QStringList{kUnsupported});
    ExpectCanvas(21, 22, Pattern);
}

class PasteInTheFrame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        frame = std::make_unique<CMainFrame>(&doc);
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    CNGMDoc doc;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(PasteInTheFrame, CtrlVPastesThePictureUnlessATextFieldTakesIt) {
    QAction* paste = frame->Action(ID_EDIT_PASTE);
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->text(), QStringLiteral("画像を貼り付け\tCtrl+V"));
    EXPECT_EQ(paste->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    QMenu* functions = frame->menuBar()->actions()[2]->menu();
    ASSERT_NE(functions, nullptr);
    EXPECT_TRUE(functions->actions().contains(paste));

    CNGMView* view = frame->View();
    QGuiApplication::clipboard()->setMimeData(PictureMime(Encoded(PatternImage(8, 6), "png")));
    // The block count field accepts typing once a picture is there: it takes Ctrl+V itself.
    // The information text is read-only: from it, Ctrl+V pastes the picture.
    view->GetDlgItem(IDC_INFO)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(boxes.Count(), 0);
    ASSERT_EQ(std::tuple(doc.m_picture.width, doc.m_picture.height), std::tuple(8, 6));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("NGM - [クリップボード]"));

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
