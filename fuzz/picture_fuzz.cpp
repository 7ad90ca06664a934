// Any bytes through the whole loading sequence of a picture, as the flows run it: sniffing,
// the header with its refusals and size rules, then (every question answered Yes) the pixels
// on the canvas, into new planes, into those of the previous picture, or as gray sums alone.
// What comes out must be a whole canvas: the picture centred, white around it, samples 0..255
// and gray sums that match them (sums alone: 0..765, and 765 around the picture).  Each input
// is read again cut short, as a damaged file; the seeds hold cut files of every format.
#include <QBuffer>
#include <QByteArray>
#include <QtGlobal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <variant>

#include "model/picture_loader.h"

namespace {

// Pixels are read for canvases up to this side, so that a run stays quick; the header rules
// are the same above it.
constexpr int kMaxSideRead = 640;

// A broken promise is a finding: it is named, then the run stops as a crash does.
#define Check(condition) \
    ((condition) ? void() : (std::fprintf(stderr, "broken: %s\n", #condition), std::abort()))

void CheckCanvas(const Picture& p, const PictureHeader& h) {
    const int side = static_cast<int>(h.canvas.side);
    Check(p.CanvasWidth() == side && p.CanvasHeight() == side);
    Check(p.width == h.width && p.height == h.height);
    const bool sums = p.gray.Match(p.planes);
    const int left = static_cast<int>(h.canvas.padX / 2);
    const int top = static_cast<int>(h.canvas.padY / 2);
    for (int x = 0; x < side; ++x) {
        const bool insideX = x >= left && x < left + h.width;
        for (int y = 0; y < side; ++y) {
            const bool inside = insideX && y >= top && y < top + h.height;
            if (p.SumsOnly()) {
                Check(p.gray[x][y] <= 765 && (inside || p.gray[x][y] == 765));
                continue;
            }
            int sum = 0;
            for (int c = 0; c < 3; ++c) {
                const std::int32_t s = p.planes[3 * x + c][y];
                Check(s >= 0 && s <= 255 && (inside || s == 255));
                sum += s;
            }
            Check(!sums || p.gray[x][y] == sum);
        }
    }
}

}  // namespace

namespace {

// One picture's bytes through the loading sequence; `way` chooses how the pixels are read.
void Load(QByteArray bytes, int way, Picture& previous);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The picture of the previous input, whose planes a picture of the same canvas reuses.
    static Picture s_previous;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const int way = static_cast<int>(size % 3);
    Load(bytes, way, s_previous);
    // The same file cut short at a point its last byte chooses, as a download or a copy that
    // stopped: refused as damaged, or a whole canvas (P6 pads with white).
    if (size > 1)
        Load(bytes.left(static_cast<qsizetype>(size * data[size - 1] / 256)), way, s_previous);
    return 0;
}

namespace {

void Load(QByteArray bytes, int way, Picture& s_previous) {
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    PictureLoader loader(device, SniffPictureFormat(device));
    const auto header = loader.ReadHeader();
    const PictureHeader* h = std::get_if<PictureHeader>(&header);
    if (!h)
        return;
    Check(h->width > 0 && h->height > 0 && h->canvas.side <= kMaxCanvasSide);
    if (h->canvas.side > kMaxSideRead)
        return;
    // A third of the inputs reuse the previous planes when they fit, a third are read for
    // their gray sums alone (the command line's way).
    auto pixels =
        way == 2 ? loader.ReadGraySums() : loader.ReadPixels(way == 0 ? &s_previous : nullptr);
    if (Picture* p = std::get_if<Picture>(&pixels)) {
        CheckCanvas(*p, *h);
        if (!p->SumsOnly())
            s_previous = std::move(*p);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Qt's readers report broken data on the message handler; thousands of runs a second
    // would spend their time printing it.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}
