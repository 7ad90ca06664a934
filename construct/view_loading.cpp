// Loading a picture into the view: the two ways a file arrives (the open dialog and a drop),
// and the message boxes that the model's refusals and questions become.  The rules (formats,
// headers, sizes, the canvas) are the model's; the steps the view used to read through remain
// as thin steps over it.
#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <variant>

#include "construct/busy_cursor.h"
#include "construct/ngm_view.h"
#include "image/image_format.h"
#include "image/regular_file.h"
#include "image/square_canvas.h"
#include "model/ngm_doc.h"
#include "model/picture_loader.h"
#include "platform/message_box.h"
#include "platform/shell.h"

namespace {

const QString kUnsupported = QStringLiteral("この形式はサポートされていません。");
const QString kTooLarge = QStringLiteral("入力画像サイズが大きすぎます。");
const QString kEmpty = QStringLiteral("入力サイズが小さすぎます。");
const QString kOutOfMemory = QStringLiteral("メモリが不足しているため画像を読み込めません。");
const QString kFewColorBits = QStringLiteral("色ビット数が16ビット以下です。");
const QString kCannotOpen = QStringLiteral("ファイルがオープンできません。");
const QString kSizeWarning = QStringLiteral(
    "入力画像サイズが260X260を超えていて表示しきれない可能性があります。\n続けますか？");
const QString kTooSmall = QStringLiteral("入力画像サイズが小さすぎて表示できません。");
const QString kSeveralFiles = QStringLiteral("複数ファイルは対処できません。すみません。");
const QString kFolder = QStringLiteral("フォルダです。イメージファイルをD&Dしてください。");
const QString kNotPicture = QStringLiteral("画像ファイルではありません。");

// True when the user answered Yes.
bool Ask(PictureQuestion question) {
    switch (question) {
        case PictureQuestion::kFewColorBits:
            return UserMessageBox(kFewColorBits, MB_YESNO) == IDYES;
        case PictureQuestion::kLargerThanPanel:
            return UserMessageBox(kSizeWarning, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) ==
                   IDYES;
    }
    return false;
}

// How reading one file's picture ended.
enum class ReadEnd {
    kRead,       // the new picture is the document's
    kRefused,    // the file is refused; the previous picture goes on
    kAbandoned,  // declined at a question, empty, or no memory: nothing changed
};

// How a flow ended.
enum class FlowEnd {
    kNewShown,       // the new picture is drawn
    kPreviousShown,  // after a refusal the previous picture is drawn again
    kStopped,        // cancelled, not opened, or no picture to draw
    kDeclined,       // the new picture was abandoned: everything stays as it was
    kKept,           // No to the question about the previous picture: nothing drawn
};

// Header, questions, pixels; the new picture replaces the previous one only at the end.
ReadEnd ReadPicture(CNGMView& view, QIODevice& file, int format) {
    PictureLoader loader(file, format);
    const std::variant<PictureHeader, PictureRefusal> header = loader.ReadHeader();
    if (const PictureRefusal* refusal = std::get_if<PictureRefusal>(&header)) {
        CNGMView::ShowRefusal(*refusal);
        const bool onlyThisPicture =
            *refusal == PictureRefusal::kEmpty || *refusal == PictureRefusal::kOutOfMemory;
        return onlyThisPicture ? ReadEnd::kAbandoned : ReadEnd::kRefused;
    }
    const PictureHeader& h = std::get<PictureHeader>(header);
    if (h.Asks(PictureQuestion::kFewColorBits) && !Ask(PictureQuestion::kFewColorBits))
        return ReadEnd::kAbandoned;
    int padX = 0;
    int padY = 0;
    view.MakeSquareCanvas(h.width, h.height, &padX, &padY);
    if (h.Asks(PictureQuestion::kLargerThanPanel)) {
        view.UpdateData();  // the size asked about is in the information text
        if (!Ask(PictureQuestion::kLargerThanPanel))
            return ReadEnd::kAbandoned;
    }
    std::variant<Picture, PictureRefusal> pixels = loader.ReadPixels();
    if (const PictureRefusal* refusal = std::get_if<PictureRefusal>(&pixels)) {
        CNGMView::ShowRefusal(*refusal);
        return ReadEnd::kAbandoned;
    }
    CNGMDoc& doc = *view.GetDocument();
    doc.m_picture = std::get<Picture>(std::move(pixels));
    // The binary image was the previous picture's; the next analysis makes one for this one.
    view.m_ppBinaryImage.Free();
    return ReadEnd::kRead;
}

// The steps both flows share once the file is open: read it, show the information text and,
// after a refusal, check the previous picture again; then draw the picture.
FlowEnd ReadAndShow(CNGMView& view, QFile& file) {
    const ReadEnd read = ReadPicture(view, file, view.DetectFormat(file));
    file.close();
    view.UpdateData();
    if (read == ReadEnd::kAbandoned)
        return FlowEnd::kDeclined;
    if (read == ReadEnd::kRefused) {
        const CNGMDoc& doc = *view.GetDocument();
        if ((doc.Width() > kPanelLimit || doc.Height() > kPanelLimit) &&
            !Ask(PictureQuestion::kLargerThanPanel)) {
            return FlowEnd::kKept;
        }
        if (!doc.HasPicture()) {
            UserMessageBox(kTooSmall, MB_ICONQUESTION | MB_OK);
            return FlowEnd::kStopped;
        }
    }
    view.DrawInputImage();
    view.ScrollInfoToEnd();
    return read == ReadEnd::kRead ? FlowEnd::kNewShown : FlowEnd::kPreviousShown;
}

// The open-file dialog, then the file chosen.
FlowEnd RunOpenDialog(CNGMView& view) {
    FileDialogRequest request;
    request.caption = QStringLiteral("開く");
    // Linux names are case-sensitive: the patterns name both cases.
    request.filter = QStringLiteral(
        "ｲﾒｰｼﾞﾌｧｲﾙ(*.ppm;*bmp) (*.ppm *.PPM *bmp *BMP);;"
        "ﾎﾟｰﾀﾌﾞﾙﾋﾟｸｾﾙﾏｯﾌﾟ(*.ppm) (*.ppm *.PPM);;"
        "ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp) (*.bmp *.BMP);;"
        "全てのファイル (*)");
    request.defaultSuffix = QStringLiteral("ppm");
    const QString chosen = RunFileDialog(nullptr, request);
    if (chosen.isEmpty())
        return FlowEnd::kStopped;

    // From here a large picture takes a while: the window is drawn again where the dialog
    // was before the reading begins.
    BusyCursor busy;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    view.window()->repaint();

    const QFileInfo info(chosen);
    view.m_strImageInfo += QStringLiteral("[") + info.fileName() + QStringLiteral("]\r\n");
    const QString titleBefore = view.window()->windowTitle();
    view.SetMainWindowTitle(QStringLiteral("NGM - [") + info.absoluteFilePath() +
                            QStringLiteral("]"));

    QFile file;
    switch (OpenRegularFile(chosen, file)) {
        case RegularFileOpen::kNotRegularFile:
            UserMessageBox(kNotPicture, MB_ICONINFORMATION);
            return FlowEnd::kStopped;
        case RegularFileOpen::kFailed:
            UserMessageBox(kCannotOpen, MB_OK);
            return FlowEnd::kStopped;
        case RegularFileOpen::kOpened:
            break;
    }
    const FlowEnd end = ReadAndShow(view, file);
    if (end == FlowEnd::kDeclined)
        view.SetMainWindowTitle(titleBefore);
    if (end == FlowEnd::kNewShown)
        view.m_strPictureName = info.completeBaseName();
    return end;
}

}  // namespace

void CNGMView::ShowRefusal(PictureRefusal refusal) {
    switch (refusal) {
        case PictureRefusal::kUnsupported:
            UserMessageBox(kUnsupported, MB_OK);
            break;
        case PictureRefusal::kTooLarge:
            UserMessageBox(kTooLarge, MB_OK);
            break;
        case PictureRefusal::kEmpty:
            UserMessageBox(kEmpty, MB_ICONQUESTION | MB_OK);
            break;
        case PictureRefusal::kOutOfMemory:
            UserMessageBox(kOutOfMemory, MB_OK);
            break;
    }
}

int CNGMView::DetectFormat(QIODevice& file) {
    return SniffPictureFormat(file);
}

void CNGMView::ReadImage(QIODevice& file, int nFormat) {
    ReadPicture(*this, file, nFormat);
}

void CNGMView::ReadPpm(QIODevice& file) {
    ReadPicture(*this, file, kFormatPpm);
}

void CNGMView::ReadBmp(QIODevice& file) {
    ReadPicture(*this, file, kFormatBmp);
}

void CNGMView::MakeSquareCanvas(int nWidth, int nHeight, int* pPadX, int* pPadY) {
    const SquareCanvas canvas = ComputeSquareCanvas(nWidth, nHeight);
    *pPadX = static_cast<int>(canvas.padX);
    *pPadY = static_cast<int>(canvas.padY);
    m_strImageInfo += CanvasInfoLines(nWidth, nHeight, canvas.side);
}

BOOL CNGMView::OpenImageFile() {
    const FlowEnd end = RunOpenDialog(*this);
    return end == FlowEnd::kNewShown || end == FlowEnd::kPreviousShown ? TRUE : FALSE;
}

void CNGMView::OnInput() {
    const FlowEnd end = RunOpenDialog(*this);
    // A picture left as it was keeps its controls, the play button included.
    if (end != FlowEnd::kDeclined && end != FlowEnd::kKept)
        ApplyPicturePresentState();
}

void CNGMView::OnFileOpen() {
    OnInput();
}

void CNGMView::OnDropFiles(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    if (paths.size() != 1) {
        UserMessageBox(kSeveralFiles, MB_ICONINFORMATION);
        return;
    }
    const QString& path = paths.front();
    // The status follows symbolic links; one that cannot be read counts as a folder.
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || S_ISDIR(status.st_mode)) {
        UserMessageBox(kFolder, MB_ICONINFORMATION);
        return;
    }
    BusyCursor busy;
    QFile file;
    switch (OpenRegularFile(path, file)) {
        case RegularFileOpen::kNotRegularFile:  // devices, pipes and sockets
            UserMessageBox(kNotPicture, MB_ICONINFORMATION);
            return;
        case RegularFileOpen::kFailed:
            UserMessageBox(kCannotOpen, MB_OK);
            return;
        case RegularFileOpen::kOpened:
            break;
    }
    const FlowEnd end = ReadAndShow(*this, file);
    if (end == FlowEnd::kNewShown)
        m_strPictureName = QFileInfo(path).completeBaseName();
    if (end == FlowEnd::kNewShown || end == FlowEnd::kPreviousShown)
        ApplyPicturePresentState();
}
