// Loading a picture into the view: the ways a picture arrives (the open dialog, a dropped file,
// the clipboard and image data dropped from another program), and the message boxes that the
// model's refusals and questions become.  The rules (formats, headers, sizes, the canvas) are
// the model's; the steps the view used to read through remain as thin steps over it.
#include <sys/stat.h>

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIODevice>
#include <QMimeData>
#include <QUrl>
#include <variant>

#include "construct/busy_cursor.h"
#include "construct/ngm_view.h"
#include "formats/puzzle_file.h"
#include "image/image_format.h"
#include "image/native_name.h"
#include "image/qt_reader.h"
#include "image/regular_file.h"
#include "model/picture_loader.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "session/ngm_doc.h"
#include "session/picture_refusal_text.h"

namespace {

const char* const kFewColorBits = QT_TRANSLATE_NOOP("CNGMView", "色ビット数が16ビット以下です。");
const char* const kSizeWarning = QT_TRANSLATE_NOOP(
    "CNGMView",
    "入力画像サイズが260X260を超えていて表示しきれない可能性があります。\n続けますか？");
const char* const kTooSmall =
    QT_TRANSLATE_NOOP("CNGMView", "入力画像サイズが小さすぎて表示できません。");
const char* const kSeveralFiles =
    QT_TRANSLATE_NOOP("CNGMView", "複数ファイルは対処できません。すみません。");
const char* const kFolder =
    QT_TRANSLATE_NOOP("CNGMView", "フォルダです。イメージファイルをD&Dしてください。");
const char* const kClipboard = QT_TRANSLATE_NOOP("CNGMView", "クリップボード");

// The MIME types of picture data tried first, lossless ones before the others; any other
// "image/" type comes after them.
const char* const kPictureMimeTypes[] = {
    "image/png",
    "image/bmp",
    "image/x-bmp",
    "image/webp",
    "image/tiff",
    "image/gif",
    "image/jpeg",
    "image/x-portable-pixmap",
    "image/x-portable-graymap",
    "image/x-portable-bitmap",
    "image/x-portable-anymap",
};

// A picture that does not come from a file: the bytes of a file in a format this program
// reads, or an image that arrives decoded already.
struct PictureData {
    QByteArray bytes;
    QImage image;
    bool Found() const { return !bytes.isEmpty() || !image.isNull(); }
};

PictureData PictureDataOf(const QMimeData& mime) {
    QStringList types;
    for (const char* type : kPictureMimeTypes)
        types << QString::fromLatin1(type);
    for (const QString& type : mime.formats()) {
        if (type.startsWith(QStringLiteral("image/")) && !types.contains(type))
            types << type;
    }
    const QStringList offered = mime.formats();
    PictureData data;
    for (const QString& type : types) {
        if (!offered.contains(type))
            continue;
        QByteArray bytes = mime.data(type);
        const int format = FormatFromHead(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                          static_cast<std::size_t>(bytes.size()));
        if (format != kFormatUnknown) {
            data.bytes = std::move(bytes);
            return data;
        }
    }
    // An image decoded by Qt from data of another type: within the same allocation limit.
    LimitQtAllocations();
    if (mime.hasImage())
        data.image = qvariant_cast<QImage>(mime.imageData());
    return data;
}

// True when the user answered Yes.
bool Ask(PictureQuestion question) {
    switch (question) {
        case PictureQuestion::kFewColorBits:
            return UserMessageBox(CNGMView::tr(kFewColorBits), MB_YESNO) == IDYES;
        case PictureQuestion::kLargerThanPanel:
            return UserMessageBox(CNGMView::tr(kSizeWarning),
                                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    }
    return false;
}

// How a flow ended.
enum class FlowEnd {
    kNewShown,       // the new picture is drawn
    kPreviousShown,  // after a refusal the previous picture is drawn again
    kStopped,        // cancelled, not opened, or no picture to draw
    kDeclined,       // the new picture was abandoned: everything stays as it was
    kKept,           // No to the question about the previous picture: nothing drawn
    kDamaged,        // a damaged picture, named in its message: nothing changed at all
};

// The window's side of reading a picture: the questions and refusals as message boxes, the
// size asked about shown in the information text first, the title the window's.
class MessageBoxAsker : public PictureAsker {
public:
    explicit MessageBoxAsker(CNGMView& view) : m_view(view) {}
    bool AskFewColorBits() override { return Ask(PictureQuestion::kFewColorBits); }
    bool AskLargePicture() override {
        m_view.UpdateData();
        return Ask(PictureQuestion::kLargerThanPanel);
    }
    void Refuse(PictureRefusal refusal, const QString& name) override {
        CNGMView::ShowRefusal(refusal, name);
    }
    void TellTooSmall() override {
        m_view.UpdateData();
        UserMessageBox(CNGMView::tr(kTooSmall), MB_ICONQUESTION | MB_OK);
    }
    QString ShowTitle(const QString& title) override {
        const QString before = m_view.window()->windowTitle();
        m_view.SetMainWindowTitle(title);
        return before;
    }

private:
    CNGMView& m_view;
};

// The steps every flow shares once the picture can be read: read it, show the information
// text, then draw the picture the session goes on with.
FlowEnd ReadAndShow(CNGMView& view, PictureLoader& loader, const QString& name,
                    const QString& pictureName) {
    MessageBoxAsker asker(view);
    const PictureIntake read = view.Session().ShowPicture(loader, name, pictureName, asker);
    if (read == PictureIntake::kDamaged)
        return FlowEnd::kDamaged;
    view.UpdateData();
    switch (read) {
        case PictureIntake::kAbandoned:
            return FlowEnd::kDeclined;
        case PictureIntake::kKept:
            return FlowEnd::kKept;
        case PictureIntake::kNoPicture:
            return FlowEnd::kStopped;
        default:
            break;
    }
    view.DrawInputImage();
    view.ScrollInfoToEnd();
    return read == PictureIntake::kRead ? FlowEnd::kNewShown : FlowEnd::kPreviousShown;
}

FlowEnd ReadAndShow(CNGMView& view, QFile& file, const QString& path) {
    PictureLoader loader(file, view.DetectFormat(file));
    const QFileInfo info(path);
    return ReadAndShow(view, loader, DisplayName(info.fileName()),
                       DisplayName(info.completeBaseName()));
}

FlowEnd ReadAndShow(CNGMView& view, PictureData& data, const QString& name,
                    const QString& pictureName) {
    if (data.bytes.isEmpty()) {
        PictureLoader loader(std::move(data.image));
        return ReadAndShow(view, loader, name, pictureName);
    }
    QBuffer buffer(&data.bytes);
    buffer.open(QIODevice::ReadOnly);
    PictureLoader loader(buffer, view.DetectFormat(buffer));
    return ReadAndShow(view, loader, name, pictureName);
}

FlowEnd ReadChosenFile(CNGMView& view, const QString& chosen);

// A name ending in .non or .xml is a puzzle file's.
bool IsPuzzleFileName(const QString& path) {
    const std::optional<PuzzleFileFormat> format = PuzzleFormatOfPath(path.toStdString());
    return format && IsPuzzleTextFormat(*format);
}

// The open-file dialog, then the file chosen.
FlowEnd RunOpenDialog(CNGMView& view) {
    FileDialogRequest request;
    request.caption = CNGMView::tr("開く");
    // Linux names are case-sensitive: the patterns name both cases.
    request.filter =
        CNGMView::tr(
            "ｲﾒｰｼﾞﾌｧｲﾙ(*.ppm;*bmp;*.png;*.jpg;*.jpeg;*.gif;*.webp;*.tif;*.tiff;*.pbm;*.pgm;*.pnm) "
            "(*.ppm *.PPM *bmp *BMP *.png *.PNG *.jpg *.JPG *.jpeg *.JPEG *.gif *.GIF *.webp "
            "*.WEBP *.tif *.TIF *.tiff *.TIFF *.pbm *.PBM *.pgm *.PGM *.pnm *.PNM);;"
            "ﾎﾟｰﾀﾌﾞﾙﾋﾟｸｾﾙﾏｯﾌﾟ(*.ppm) (*.ppm *.PPM);;"
            "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp) (*.bmp *.BMP);;") +
        CNGMView::tr("全てのファイル (*)");
    request.defaultSuffix = QStringLiteral("ppm");
    const QString chosen = RunFileDialog(nullptr, request);
    if (chosen.isEmpty())
        return FlowEnd::kStopped;
    return ReadChosenFile(view, chosen);
}

// A file chosen in the open dialog or named on the command line: the same messages, the same
// title and the same questions.
FlowEnd ReadChosenFile(CNGMView& view, const QString& chosen) {
    // From here a large picture takes a while: the window is drawn again where the dialog
    // was before the reading begins.
    BusyCursor busy;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    view.window()->repaint();

    const QFileInfo info(chosen);
    MessageBoxAsker asker(view);
    view.Session().NamePicture(
        {DisplayName(info.fileName()),
         QStringLiteral("NGM - [") + DisplayName(info.absoluteFilePath()) + QStringLiteral("]")},
        asker);

    QFile file;
    switch (OpenRegularFile(chosen, file)) {
        case RegularFileOpen::kNotRegularFile:
            UserMessageBox(NotPictureText(), MB_ICONINFORMATION);
            return FlowEnd::kStopped;
        case RegularFileOpen::kFailed:
            UserMessageBox(CannotOpenText(), MB_OK);
            return FlowEnd::kStopped;
        case RegularFileOpen::kOpened:
            break;
    }
    return ReadAndShow(view, file, chosen);
}

}  // namespace

void CNGMView::ShowRefusal(PictureRefusal refusal, const QString& name) {
    switch (refusal) {
        case PictureRefusal::kDamaged:
            UserMessageBox((name.isEmpty() ? QString() : name + QStringLiteral("\n")) +
                               PictureRefusalText(PictureRefusal::kDamaged),
                           MB_OK);
            break;
        case PictureRefusal::kUnsupported:
            UserMessageBox(PictureRefusalText(PictureRefusal::kUnsupported), MB_OK);
            break;
        case PictureRefusal::kTooLarge:
            UserMessageBox(PictureRefusalText(PictureRefusal::kTooLarge), MB_OK);
            break;
        case PictureRefusal::kEmpty:
            UserMessageBox(PictureRefusalText(PictureRefusal::kEmpty), MB_ICONQUESTION | MB_OK);
            break;
        case PictureRefusal::kOutOfMemory:
            UserMessageBox(PictureRefusalText(PictureRefusal::kOutOfMemory), MB_OK);
            break;
    }
}

int CNGMView::DetectFormat(QIODevice& file) {
    return SniffPictureFormat(file);
}

void CNGMView::OnInput() {
    const FlowEnd end = RunOpenDialog(*this);
    // A picture left as it was keeps its controls, the play button included.
    if (end != FlowEnd::kDeclined && end != FlowEnd::kKept && end != FlowEnd::kDamaged)
        ApplyPicturePresentState();
}

void CNGMView::OnFileOpen() {
    OnInput();
}

bool CNGMView::OpenPictureFile(const QString& path) {
    const FlowEnd end = ReadChosenFile(*this, path);
    if (end != FlowEnd::kDeclined && end != FlowEnd::kKept && end != FlowEnd::kDamaged)
        ApplyPicturePresentState();
    return end == FlowEnd::kNewShown;
}

void CNGMView::OnDropFiles(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    if (paths.size() != 1) {
        UserMessageBox(CNGMView::tr(kSeveralFiles), MB_ICONINFORMATION);
        return;
    }
    const QString& path = paths.front();
    // The status follows symbolic links; one that cannot be read counts as a folder.
    struct stat status {};
    if (::stat(NativeFromName(path).constData(), &status) != 0 || S_ISDIR(status.st_mode)) {
        UserMessageBox(CNGMView::tr(kFolder), MB_ICONINFORMATION);
        return;
    }
    // A puzzle file dropped on the form opens as with パズルを開く.
    if (IsPuzzleFileName(path)) {
        OpenPuzzleFile(path);
        return;
    }
    BusyCursor busy;
    QFile file;
    switch (OpenRegularFile(path, file)) {
        case RegularFileOpen::kNotRegularFile:  // devices, pipes and sockets
            UserMessageBox(NotPictureText(), MB_ICONINFORMATION);
            return;
        case RegularFileOpen::kFailed:
            UserMessageBox(CannotOpenText(), MB_OK);
            return;
        case RegularFileOpen::kOpened:
            break;
    }
    const FlowEnd end = ReadAndShow(*this, file, path);
    if (end == FlowEnd::kNewShown || end == FlowEnd::kPreviousShown)
        ApplyPicturePresentState();
}

void CNGMView::OnPaste() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    PictureData data = mime ? PictureDataOf(*mime) : PictureData{};
    if (!data.Found()) {
        UserMessageBox(PictureRefusalText(PictureRefusal::kUnsupported), MB_OK);
        return;
    }
    BusyCursor busy;
    // Like a file chosen in the dialog, under the clipboard's name.
    const QString clipboard = CNGMView::tr(kClipboard);
    MessageBoxAsker asker(*this);
    m_session.NamePicture(
        {clipboard, QStringLiteral("NGM - [") + clipboard + QStringLiteral("]"), true}, asker);
    const FlowEnd end = ReadAndShow(*this, data, clipboard, clipboard);
    if (end != FlowEnd::kDeclined && end != FlowEnd::kKept && end != FlowEnd::kDamaged)
        ApplyPicturePresentState();
}

bool CNGMView::HasPictureData(const QMimeData& mime) {
    if (mime.hasImage())
        return true;
    for (const QString& type : mime.formats()) {
        if (type.startsWith(QStringLiteral("image/")))
            return true;
    }
    return false;
}

void CNGMView::OnDropPictureData(const QMimeData& mime) {
    PictureData data = PictureDataOf(mime);
    if (!data.Found()) {
        UserMessageBox(PictureRefusalText(PictureRefusal::kUnsupported), MB_OK);
        return;
    }
    BusyCursor busy;
    // Like a dropped file: only the size lines, the title as it was.  The picture is named
    // after the address it came from, when the drop tells it.
    const QList<QUrl> urls = mime.urls();
    const QString name = urls.isEmpty() ? QString() : QFileInfo(urls.front().path()).fileName();
    const QString pictureName =
        urls.isEmpty() ? QString() : QFileInfo(urls.front().path()).completeBaseName();
    const FlowEnd end = ReadAndShow(*this, data, name, pictureName);
    if (end == FlowEnd::kNewShown || end == FlowEnd::kPreviousShown)
        ApplyPicturePresentState();
}
