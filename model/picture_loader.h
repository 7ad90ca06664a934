// Loading a picture file in two phases, with nothing shown to the user: first the header,
// which is cheap and either refuses the file or tells its size, its canvas and the questions
// the user must answer; then, once the caller has had them answered, the pixels.  The caller
// turns refusals and questions into what the user sees.
#pragma once

#include <QIODevice>
#include <variant>
#include <vector>

#include "image/bmp_reader.h"
#include "image/byte_reader.h"
#include "image/square_canvas.h"
#include "model/picture.h"

// A canvas larger than this a side may not fit the input panel: the user is asked first.
constexpr int kPanelLimit = 260;

enum class PictureRefusal {
    kUnsupported,  // neither "P6" nor "BM", or a header this program does not read
    kTooLarge,     // a canvas larger than kMaxCanvasSide a side
    kEmpty,        // a width or a height of 0
    kOutOfMemory,  // the planes cannot be had
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

// The format code of the first two bytes of the device (ImageFormat, 0 when none matches);
// reads three bytes, the magic and the separator after it.
int SniffPictureFormat(QIODevice& device);

class PictureLoader {
public:
    // device: positioned after the three bytes SniffPictureFormat read; format: what it found.
    PictureLoader(QIODevice& device, int format);
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;

    // Phase one: the header, or why the file is refused.
    std::variant<PictureHeader, PictureRefusal> ReadHeader();
    // Phase two, after ReadHeader gave a header: the picture centred on its white canvas, or
    // kOutOfMemory.  Pixels the data does not supply stay white.
    std::variant<Picture, PictureRefusal> ReadPixels();

private:
    ByteReader m_reader;
    int m_nFormat;
    PictureHeader m_header;
    BmpHeader m_bmp;
    bool m_bHeaderRead = false;
};
