// Loading a picture into the view: the sniffing step, the two readers, the square canvas and
// the two ways a file arrives (the open dialog and a drop).  The reading itself is done by the
// widget-free readers; these steps decide what is shown, stored and allocated around them.
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include "model/ngm_doc.h"
#include "construct/ngm_view.h"
#include "image/bmp_reader.h"
#include "image/byte_reader.h"
#include "image/image_format.h"
#include "image/ppm_reader.h"
#include "image/square_canvas.h"
#include "platform/message_box.h"
#include "platform/shell.h"

namespace {

const QString kUnsupported = QStringLiteral("この形式はサポートされていません。");
const QString kTooLarge = QStringLiteral("入力画像サイズが大きすぎます。");
const QString kFewColorBits = QStringLiteral("色ビット数が16ビット以下です。");
const QString kCannotOpen = QStringLiteral("ファイルがオープンできません。");
const QString kSizeWarning = QStringLiteral(
    "入力画像サイズが260X260を超えていて表示しきれない可能性があります。\n続けますか？");
const QString kTooSmall = QStringLiteral("入力画像サイズが小さすぎて表示できません。");
const QString kSeveralFiles = QStringLiteral("複数ファイルは対処できません。すみません。");
const QString kFolder = QStringLiteral("フォルダです。イメージファイルをD&Dしてください。");
const QString kNotPicture = QStringLiteral("画像ファイルではありません。");

// Pictures larger than this a side may not fit the input panel; the user is asked first.
constexpr int kPanelLimit = 260;

// Stores the file's size in the view, places the picture on its square canvas (which appends
// the size lines) and allocates the planes and the binary image.  False when the planes could
// not be allocated (a zero size): then there is nothing to read into.
bool PrepareCanvas(CNGMView& view, int width, int height, SquareCanvas& canvas) {
    view.m_nImageWidth = width;
    view.m_nImageHeight = height;
    int padX = 0;
    int padY = 0;
    view.MakeSquareCanvas(width, height, &padX, &padY);
    canvas.side = view.m_nImageWidth;
    canvas.padX = padX;
    canvas.padY = padY;
    const int side = view.m_nImageWidth;
    const BOOL planes = view.AllocBuffer(3 * side, side, 1);
    view.AllocBuffer(side, side, 2);
    return planes != FALSE;
}

// The steps both flows share once the file is open: sniff and read it, show the information
// text, then the two size checks.  True when the picture is to be drawn.
bool ReadAndCheck(CNGMView& view, QFile& file) {
    const int format = view.DetectFormat(file);
    view.ReadImage(file, format);
    file.close();
    view.UpdateData();
    if (view.m_nImageWidth > kPanelLimit || view.m_nImageHeight > kPanelLimit) {
        if (AppMessageBox(kSizeWarning, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
            return false;
        }
    }
    if (view.m_nImageWidth == 0 || view.m_nImageHeight == 0) {
        AppMessageBox(kTooSmall, MB_ICONQUESTION | MB_OK);
        return false;
    }
    return true;
}

// Publishes the size in the document, draws the input panel and shows the end of the text.
void ShowPicture(CNGMView& view) {
    view.GetDocument()->m_nWidth = view.m_nImageWidth;
    view.GetDocument()->m_nHeight = view.m_nImageHeight;
    view.DrawInputImage();
    view.ScrollInfoToEnd();
}

}  // namespace

int CNGMView::DetectFormat(QIODevice& file) {
    // A file shorter than the magic leaves zeros, which match nothing.
    char magic[3] = {0, 0, 0};
    file.read(magic, 2);
    const int format = FormatFromMagic(magic);
    // The separator after the magic.
    char separator = 0;
    file.read(&separator, 1);
    return format;
}

void CNGMView::ReadImage(QIODevice& file, int nFormat) {
    switch (nFormat) {
        case kFormatPpm:
            ReadPpm(file);
            break;
        case kFormatBmp:
            ReadBmp(file);
            break;
        default:
            AppMessageBox(kUnsupported, MB_OK);
            break;
    }
}

void CNGMView::ReadPpm(QIODevice& file) {
    ByteReader reader(file);
    PpmHeader header;
    // A broken or oversized header leaves the previous picture as it was.
    if (!ReadPpmHeader(reader, header)) {
        AppMessageBox(kUnsupported, MB_OK);
        return;
    }
    if (CanvasTooLarge(header.width, header.height)) {
        AppMessageBox(kTooLarge, MB_OK);
        return;
    }
    const int width = static_cast<int>(header.width);
    const int height = static_cast<int>(header.height);
    SquareCanvas canvas;
    if (!PrepareCanvas(*this, width, height, canvas))
        return;
    ReadPpmPixels(reader, width, height, canvas, GetDocument()->m_ppInputPlanes);
}

void CNGMView::ReadBmp(QIODevice& file) {
    ByteReader reader(file);
    BmpHeader header;
    // Refusals come first, before the question about the colour bits.
    if (ReadBmpHeader(reader, header) != BmpHeaderStatus::kOk) {
        AppMessageBox(kUnsupported, MB_OK);
        return;
    }
    if (CanvasTooLarge(header.width, header.height)) {
        AppMessageBox(kTooLarge, MB_OK);
        return;
    }
    if (header.bitCount < 16 && AppMessageBox(kFewColorBits, MB_YESNO) != IDYES)
        return;
    const int width = header.width;
    const int height = static_cast<int>(header.height);
    SquareCanvas canvas;
    if (!PrepareCanvas(*this, width, height, canvas))
        return;
    ReadBmpPixels(reader, header, canvas, GetDocument()->m_ppInputPlanes);
}

void CNGMView::MakeSquareCanvas(int nWidth, int nHeight, int* pPadX, int* pPadY) {
    const SquareCanvas canvas = ComputeSquareCanvas(nWidth, nHeight);
    *pPadX = static_cast<int>(canvas.padX);
    *pPadY = static_cast<int>(canvas.padY);
    m_nImageWidth = static_cast<int>(canvas.side);
    m_nImageHeight = static_cast<int>(canvas.side);
    m_strImageInfo += CanvasInfoLines(nWidth, nHeight, canvas.side);
}

BOOL CNGMView::OpenImageFile() {
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
        return FALSE;

    const QFileInfo info(chosen);
    m_strImageInfo += QStringLiteral("[") + info.fileName() + QStringLiteral("]\r\n");
    SetMainWindowTitle(QStringLiteral("NGM - [") + info.absoluteFilePath() + QStringLiteral("]"));

    QFile file(chosen);
    if (!file.open(QIODevice::ReadOnly)) {
        AppMessageBox(kCannotOpen, MB_OK);
        return FALSE;
    }
    if (!ReadAndCheck(*this, file))
        return FALSE;
    ShowPicture(*this);
    return TRUE;
}

void CNGMView::OnDropFiles(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    if (paths.size() != 1) {
        AppMessageBox(kSeveralFiles, MB_ICONINFORMATION);
        return;
    }
    const QString& path = paths.front();
    // The status follows symbolic links; one that cannot be read counts as a folder.
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || S_ISDIR(status.st_mode)) {
        AppMessageBox(kFolder, MB_ICONINFORMATION);
        return;
    }
    // Devices, pipes and sockets are no picture files.
    if (!S_ISREG(status.st_mode)) {
        AppMessageBox(kNotPicture, MB_ICONINFORMATION);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        AppMessageBox(kCannotOpen, MB_OK);
        return;
    }
    if (!ReadAndCheck(*this, file))
        return;
    ShowPicture(*this);
    ApplyPicturePresentState();
}
