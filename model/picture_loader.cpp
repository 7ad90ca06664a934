#include "model/picture_loader.h"

#include <algorithm>
#include <new>

#include "image/image_format.h"
#include "image/ppm_reader.h"

bool PictureHeader::Asks(PictureQuestion question) const {
    return std::ranges::find(questions, question) != questions.end();
}

int SniffPictureFormat(QIODevice& device) {
    // A file shorter than the magic leaves zeros, which match nothing.
    char magic[3] = {0, 0, 0};
    device.read(magic, 2);
    const int format = FormatFromMagic(magic);
    char separator = 0;
    device.read(&separator, 1);
    return format;
}

PictureLoader::PictureLoader(QIODevice& device, int format) : m_reader(device), m_nFormat(format) {}

std::variant<PictureHeader, PictureRefusal> PictureLoader::ReadHeader() {
    m_bHeaderRead = false;
    m_header = PictureHeader{};
    std::int64_t width = 0;
    std::int64_t height = 0;
    try {
        if (m_nFormat == kFormatPpm) {
            PpmHeader ppm;
            if (!ReadPpmHeader(m_reader, ppm))
                return PictureRefusal::kUnsupported;
            width = ppm.width;
            height = ppm.height;
        } else if (m_nFormat == kFormatBmp) {
            if (ReadBmpHeader(m_reader, m_bmp) != BmpHeaderStatus::kOk)
                return PictureRefusal::kUnsupported;
            width = m_bmp.width;
            height = m_bmp.height;
        } else {
            return PictureRefusal::kUnsupported;
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

std::variant<Picture, PictureRefusal> PictureLoader::ReadPixels() {
    if (!m_bHeaderRead)
        return PictureRefusal::kUnsupported;
    const PictureHeader& h = m_header;
    const int side = static_cast<int>(h.canvas.side);
    try {
        Picture picture;
        picture.planes.Allocate(3 * side, side);
        picture.width = h.width;
        picture.height = h.height;
        if (m_nFormat == kFormatPpm) {
            ReadPpmPixels(m_reader, h.width, h.height, h.canvas, picture.planes);
        } else {
            ReadBmpPixels(m_reader, m_bmp, h.canvas, picture.planes);
        }
        return picture;
    } catch (const std::bad_alloc&) {
        // The planes, or the band of rows the readers decode into: whatever was taken is
        // given back as the picture goes.
        return PictureRefusal::kOutOfMemory;
    }
}
