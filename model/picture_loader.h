// Loading a picture file in two phases, with nothing shown to the user: first the header,
// which is cheap and either refuses the file or tells its size, its canvas and the questions
// the user must answer; then, once the caller has had them answered, the pixels.  The caller
// turns refusals and questions into what the user sees.
#pragma once

#include <QIODevice>
#include <QImage>
#include <QImageReader>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "image/bmp_reader.h"
#include "image/byte_reader.h"
#include "image/netpbm_header.h"
#include "image/square_canvas.h"
#include "model/picture.h"

// A canvas larger than this a side may not fit the input panel: the user is asked first.
constexpr int kPanelLimit = 260;

enum class PictureRefusal {
    kUnsupported,  // no format this program reads, or a header or data it cannot read
    kTooLarge,     // a canvas larger than kMaxCanvasSide a side
    kEmpty,        // a width or a height of 0
    kOutOfMemory,  // the planes cannot be had
    kDamaged,      // a format this program reads, whose header or data ends early or is corrupt
};

// Questions are asked in this order: the colour bits before the size lines are shown, the
// panel size after them.
enum class PictureQuestion {
    kFewColorBits,     // a bitmap of fewer than 16 bits per pixel
    kLargerThanPanel,  // a canvas wider or taller than kPanelLimit
};

struct PictureHeader {
    int width = 0;
    int height = 0;
    SquareCanvas canvas;
    // What the user must answer Yes to before the pixels are read, in the order asked.
    std::vector<PictureQuestion> questions;

    bool Asks(PictureQuestion question) const;
};

// The format code of the data's first bytes (ImageFormat, kFormatUnknown when none matches).
// Reads nothing: the device stays where it was.
int SniffPictureFormat(QIODevice& device);

class PictureLoader {
public:
    // device: the picture's data, read from its start; format: what SniffPictureFormat found.
    PictureLoader(QIODevice& device, int format);
    // A picture that arrives decoded already (an image on the clipboard).
    explicit PictureLoader(QImage image);
    ~PictureLoader();
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;

    // Phase one: the header, or why the picture is refused.
    std::variant<PictureHeader, PictureRefusal> ReadHeader();
    // Between the phases, after ReadHeader gave a header: decodes the data of the formats that
    // are decoded whole (all but P6 and bitmaps) and measures a bitmap's data against its
    // header, so that a damaged picture is refused before the user is asked anything.  Empty,
    // or kDamaged or kOutOfMemory.  ReadPixels does it when it has not been done.  The data of
    // a P6 picture that ends early is read with white for what is missing.
    std::optional<PictureRefusal> ReadData();
    // After ReadHeader gave a header: the bytes ReadData's decoding of the whole picture may
    // take (none for P6 and bitmaps, which are read a band at a time).
    std::int64_t DecodedBytes() const;
    // Phase two, after ReadHeader gave a header: the picture centred on its white canvas, or
    // why it is refused (kOutOfMemory, or kUnsupported for data that cannot be decoded).
    // Pixels the data does not supply stay white.  reuse: a picture whose planes may be
    // written over when they have this canvas's size, instead of allocating new ones; it is
    // left as it was unless a picture is returned, and then empty.
    std::variant<Picture, PictureRefusal> ReadPixels(Picture* reuse = nullptr);
    // Phase two for the gray sums alone (R + G + B of every canvas pixel, no planes): all a
    // puzzle of the picture needs, in a sixth of the memory.  The picture is SumsOnly().
    std::variant<Picture, PictureRefusal> ReadGraySums();

private:
    bool ReadQtHeader(std::int64_t& width, std::int64_t& height);
    Picture TakeCanvas(Picture* reuse) const;
    std::variant<Picture, PictureRefusal> ReadAllPixels(Picture* reuse);

    QIODevice* m_pDevice = nullptr;
    std::optional<ByteReader> m_reader;
    int m_nFormat = 0;
    PictureHeader m_header;
    BmpHeader m_bmp;
    NetpbmHeader m_netpbm;
    std::unique_ptr<QImageReader> m_qt;
    QImage m_image;
    bool m_bDecoded = false;
    bool m_bDataRead = false;
    bool m_bHeaderRead = false;
    bool m_bSumsOnly = false;
};
