#include "model/picture_loader.h"

#include <algorithm>
#include <new>

#include "image/image_format.h"
#include "image/library_messages.h"
#include "image/ppm_reader.h"
#include "image/qt_reader.h"

bool PictureHeader::Asks(PictureQuestion question) const {
    return std::ranges::find(questions, question) != questions.end();
}

int SniffPictureFormat(QIODevice& device) {
    const QByteArray head = device.peek(static_cast<qint64>(kSniffBytes));
    return FormatFromHead(reinterpret_cast<const std::uint8_t*>(head.constData()),
                          static_cast<std::size_t>(head.size()));
}

PictureLoader::PictureLoader(QIODevice& device, int format)
    : m_pDevice(&device), m_nFormat(format) {
    m_reader.emplace(device);
}

PictureLoader::PictureLoader(QImage image) : m_image(std::move(image)), m_bDecoded(true) {}

PictureLoader::~PictureLoader() = default;

bool PictureLoader::ReadQtHeader(std::int64_t& width, std::int64_t& height) {
    const char* name = QtFormatName(m_nFormat);
    // The data from its start: the sniffing step read nothing, so data that cannot go back
    // (a pipe) is read from where it is.
    if (!name || (!m_pDevice->isSequential() && !m_pDevice->seek(0)))
        return false;
    m_qt = OpenQtReader(*m_pDevice, name);
    const LibraryMessages quiet;
    const QSize size = QtPictureSize(*m_qt);
    if (!size.isValid())
        return false;
    width = size.width();
    height = size.height();
    return true;
}

std::variant<PictureHeader, PictureRefusal> PictureLoader::ReadHeader() {
    m_bHeaderRead = false;
    m_bDataRead = false;
    m_header = PictureHeader{};
    std::int64_t width = 0;
    std::int64_t height = 0;
    try {
        if (m_bDecoded) {
            if (m_image.isNull())
                return PictureRefusal::kUnsupported;
            width = m_image.width();
            height = m_image.height();
        } else if (m_nFormat >= kFormatP1 && m_nFormat <= kFormatPpm) {
            // The whole netpbm family by the same header rules; the sizes decide before any
            // reader decodes.  Only P6 is read here, the others by Qt's readers.
            if ((!m_pDevice->isSequential() && !m_reader->Seek(0)) ||
                !ReadNetpbmHeader(*m_reader, m_netpbm) || m_netpbm.kind != m_nFormat)
                return PictureRefusal::kUnsupported;
            width = m_netpbm.width;
            height = m_netpbm.height;
            if (m_nFormat != kFormatPpm && !CanvasTooLarge(width, height) && width > 0 &&
                height > 0) {
                std::int64_t qtWidth = 0;
                std::int64_t qtHeight = 0;
                if (!ReadQtHeader(qtWidth, qtHeight))
                    return PictureRefusal::kDamaged;
            }
        } else if (m_nFormat == kFormatBmp) {
            const BmpHeaderStatus status = ReadBmpHeader(*m_reader, m_bmp);
            if (status != BmpHeaderStatus::kOk)
                return status == BmpHeaderStatus::kTruncated ? PictureRefusal::kDamaged
                                                             : PictureRefusal::kUnsupported;
            width = m_bmp.width;
            height = m_bmp.height;
        } else if (!ReadQtHeader(width, height)) {
            // With a format's signature, its reader could not make out the header.
            return QtFormatName(m_nFormat) ? PictureRefusal::kDamaged
                                           : PictureRefusal::kUnsupported;
        }
    } catch (const std::bad_alloc&) {
        return PictureRefusal::kOutOfMemory;  // a colour table, or the reader's block
    }
    // Refusals first, then the questions in the order they are asked.
    if (CanvasTooLarge(width, height))
        return PictureRefusal::kTooLarge;
    if (width == 0 || height == 0)
        return PictureRefusal::kEmpty;
    m_header.width = static_cast<int>(width);
    m_header.height = static_cast<int>(height);
    m_header.canvas = ComputeSquareCanvas(width, height);
    if (m_nFormat == kFormatBmp && m_bmp.bitCount < 16)
        m_header.questions.push_back(PictureQuestion::kFewColorBits);
    if (m_header.canvas.side > kPanelLimit)
        m_header.questions.push_back(PictureQuestion::kLargerThanPanel);
    m_bHeaderRead = true;
    return m_header;
}

Picture PictureLoader::TakeCanvas(Picture* reuse) const {
    const int side = static_cast<int>(m_header.canvas.side);
    Picture picture;
    if (m_bSumsOnly) {
        picture.gray.Allocate(side, side);  // all there is of the picture: it must be had
    } else if (reuse && reuse->planes.Columns() == 3 * side && reuse->planes.Length() == side) {
        picture = std::move(*reuse);
    } else {
        picture.planes.Allocate(3 * side, side);
    }
    if (picture.gray.Columns() != side || picture.gray.Length() != side) {
        // The gray sums only spare the analysis work: without the memory for them the
        // picture does without.
        try {
            picture.gray.Allocate(side, side);
        } catch (const std::bad_alloc&) {
            picture.gray.Free();
        }
    }
    picture.width = m_header.width;
    picture.height = m_header.height;
    return picture;
}

std::int64_t PictureLoader::DecodedBytes() const {
    if (m_nFormat == kFormatPpm || m_nFormat == kFormatBmp)
        return 0;
    // 4 bytes a pixel, twice: 16-bit samples, or the copy a conversion makes.
    return std::int64_t{m_header.width} * m_header.height * 8;
}

std::optional<PictureRefusal> PictureLoader::ReadData() {
    if (!m_bHeaderRead)
        return PictureRefusal::kUnsupported;
    if (m_bDataRead)
        return std::nullopt;
    if (m_nFormat == kFormatBmp && !m_pDevice->isSequential()) {
        // Rows the file promises but does not hold.
        const std::int64_t need =
            m_bmp.offBits + BmpRowStride(m_bmp.width, m_bmp.bitCount) * m_bmp.height;
        if (m_pDevice->size() < need)
            return PictureRefusal::kDamaged;
    }
    const bool qt = m_bDecoded || (m_nFormat != kFormatPpm && m_nFormat != kFormatBmp);
    if (qt) {
        // Decoded in full before the canvas is touched, so that broken data leaves the
        // picture to reuse as it was.  A reader that warns has met damaged data, even when
        // it made a picture of what it could read.
        if (!m_bDecoded) {
            const LibraryMessages watch;
            try {
                m_image = m_qt->read();
            } catch (const std::bad_alloc&) {
                return PictureRefusal::kOutOfMemory;
            }
            m_bDecoded = true;
            if (m_image.isNull() || watch.Warned()) {
                m_image = QImage();
                return PictureRefusal::kDamaged;
            }
        }
        if (!PrepareImagePixels(m_image))
            return m_image.isNull() ? PictureRefusal::kDamaged : PictureRefusal::kOutOfMemory;
    }
    m_bDataRead = true;
    return std::nullopt;
}

std::variant<Picture, PictureRefusal> PictureLoader::ReadAllPixels(Picture* reuse) {
    const PictureHeader& h = m_header;
    if (const std::optional<PictureRefusal> refusal = ReadData())
        return *refusal;
    const bool qt = m_bDecoded || (m_nFormat != kFormatPpm && m_nFormat != kFormatBmp);
    const int reusedWidth = reuse ? reuse->width : 0;
    const int reusedHeight = reuse ? reuse->height : 0;
    Picture picture = TakeCanvas(reuse);
    GraySums* gray = picture.gray.IsAllocated() ? &picture.gray : nullptr;
    try {
        // Each reader takes what it needs before it writes the first sample.
        if (qt) {
            WriteImagePixels(m_image, h.width, h.height, h.canvas, picture.planes, gray);
        } else if (m_nFormat == kFormatPpm) {
            ReadPpmPixels(*m_reader, m_netpbm, h.canvas, picture.planes, gray);
        } else {
            ReadBmpPixels(*m_reader, m_bmp, h.canvas, picture.planes, gray);
        }
    } catch (const std::bad_alloc&) {
        // Nothing was written yet: the picture taken over goes back as it was.
        if (reuse && reuse->IsEmpty() && !picture.IsEmpty()) {
            *reuse = std::move(picture);
            reuse->width = reusedWidth;
            reuse->height = reusedHeight;
        }
        throw;
    }
    return picture;
}

std::variant<Picture, PictureRefusal> PictureLoader::ReadGraySums() {
    m_bSumsOnly = true;
    std::variant<Picture, PictureRefusal> read = ReadPixels();
    m_bSumsOnly = false;
    return read;
}

std::variant<Picture, PictureRefusal> PictureLoader::ReadPixels(Picture* reuse) {
    if (!m_bHeaderRead)
        return PictureRefusal::kUnsupported;
    try {
        return ReadAllPixels(reuse);
    } catch (const std::bad_alloc&) {
        // The planes, or the band of rows the readers decode into: whatever was taken is
        // given back as the picture goes.
        return PictureRefusal::kOutOfMemory;
    }
}
