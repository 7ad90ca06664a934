#include "image/bmp_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "image/canvas_writer.h"

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// One colour channel of a masked pixel, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t max = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (mask == 0)
            return;
        shift = std::countr_zero(mask);
        max = mask >> shift;
    }
    std::uint8_t operator()(std::uint32_t pixel) const {
        if (max == 0)
            return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    }
};

// Decodes one stored row of 1, 4, 8, 16 or 32 bits per pixel, of which the first `supplied`
// bytes came from the file, into red, green, blue triples.  Pixels not supplied are white.
class RowDecoder {
public:
    RowDecoder(const BmpHeader& h, int width)
        : m_h(h), m_nWidth(width), m_red(h.masks[0]), m_green(h.masks[1]), m_blue(h.masks[2]) {}

    void Decode(const std::uint8_t* src, std::int64_t supplied, std::uint8_t* rgb) const {
        switch (m_h.bitCount) {
            case 32:
                DecodeMasked(src, supplied, rgb, 4);
                break;
            case 16:
                DecodeMasked(src, supplied, rgb, 2);
                break;
            default:
                DecodeIndexed(src, supplied, rgb);
                break;
        }
    }

private:
    void DecodeMasked(const std::uint8_t* src, std::int64_t supplied, std::uint8_t* rgb,
                      int bytes) const {
        for (int x = 0; x < m_nWidth; ++x, rgb += 3) {
            const std::int64_t at = std::int64_t{x} * bytes;
            if (at + bytes > supplied) {
                rgb[0] = rgb[1] = rgb[2] = 255;
                continue;
            }
            const std::uint32_t pixel = bytes == 4 ? Le32(src + at) : Le16(src + at);
            rgb[0] = m_red(pixel);
            rgb[1] = m_green(pixel);
            rgb[2] = m_blue(pixel);
        }
    }

    void DecodeIndexed(const std::uint8_t* src, std::int64_t supplied, std::uint8_t* rgb) const {
        const int bits = m_h.bitCount;
        const int perByte = 8 / bits;
        const unsigned valueMask = (1u << bits) - 1;
        for (int x = 0; x < m_nWidth; ++x, rgb += 3) {
            const int at = x / perByte;
            if (at >= supplied) {
                rgb[0] = rgb[1] = rgb[2] = 255;
                continue;
            }
            // The leftmost pixel sits in the highest bits of its byte.
            const int shift = 8 - bits * (x % perByte + 1);
            const unsigned index = (src[at] >> shift) & valueMask;
            if (index < m_h.palette.size()) {
                std::memcpy(rgb, m_h.palette[index].data(), 3);
            } else {
                // An index past the colour table has no colour; it is shown black.
                rgb[0] = rgb[1] = rgb[2] = 0;
            }
        }
    }

    const BmpHeader& m_h;
    int m_nWidth;
    Channel m_red, m_green, m_blue;
};

bool BitCountKnown(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

std::int64_t BmpRowStride(std::int64_t width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

BmpHeaderStatus ReadBmpHeader(ByteReader& reader, BmpHeader& h) {
    h = BmpHeader{};
    std::uint8_t head[kFileHeaderSize + kInfoHeaderSize];
    if (!reader.Seek(0) || reader.Read(head, sizeof head) != static_cast<std::int64_t>(sizeof head))
        return BmpHeaderStatus::kTruncated;
    const std::uint8_t* info = head + kFileHeaderSize;
    h.offBits = Le32(head + 10);
    h.infoSize = Le32(info);
    h.width = static_cast<std::int32_t>(Le32(info + 4));
    h.storedHeight = static_cast<std::int32_t>(Le32(info + 8));
    h.bitCount = Le16(info + 14);
    h.compression = Le32(info + 16);
    h.colorsUsed = Le32(info + 32);

    const bool bitfields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
    if (h.compression != kBiRgb && !bitfields)
        return BmpHeaderStatus::kUnsupported;
    if (bitfields && h.bitCount != 16 && h.bitCount != 32)
        return BmpHeaderStatus::kUnsupported;
    if (!BitCountKnown(h.bitCount))
        return BmpHeaderStatus::kUnsupported;
    // The older, shorter headers lay their fields out differently.
    if (h.infoSize < kInfoHeaderSize)
        return BmpHeaderStatus::kUnsupported;
    if (h.width < 0)
        return BmpHeaderStatus::kUnsupported;
    h.topDown = h.storedHeight < 0;
    h.height = h.topDown ? -std::int64_t{h.storedHeight} : std::int64_t{h.storedHeight};

    if (h.bitCount == 16)
        h.masks = {0x7C00, 0x03E0, 0x001F};
    if (h.bitCount == 32)
        h.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
    if (bitfields) {
        // Right after the 40-byte part: inside the later header versions, after the header
        // otherwise.
        std::uint8_t m[12];
        if (reader.Read(m, sizeof m) != static_cast<std::int64_t>(sizeof m))
            return BmpHeaderStatus::kTruncated;
        h.masks = {Le32(m), Le32(m + 4), Le32(m + 8)};
    }

    if (h.bitCount <= 8) {
        const std::int64_t tableStart = kFileHeaderSize + std::int64_t{h.infoSize};
        std::int64_t count = std::int64_t{1} << h.bitCount;
        if (h.colorsUsed != 0)
            count = std::min<std::int64_t>(count, h.colorsUsed);
        // A table never reaches into the pixel data.
        if (h.offBits >= tableStart)
            count = std::min<std::int64_t>(count, (h.offBits - tableStart) / 4);
        std::vector<std::uint8_t> table(static_cast<std::size_t>(count) * 4);
        if (!reader.Seek(tableStart) ||
            reader.Read(table.data(), static_cast<std::int64_t>(table.size())) !=
                static_cast<std::int64_t>(table.size()))
            return BmpHeaderStatus::kTruncated;
        h.palette.resize(static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < h.palette.size(); ++i) {
            const std::uint8_t* e = table.data() + i * 4;  // blue, green, red, unused
            h.palette[i] = {e[2], e[1], e[0]};
        }
    }
    return BmpHeaderStatus::kOk;
}

void ReadBmpPixels(ByteReader& reader, const BmpHeader& h, const SquareCanvas& canvas,
                   ColumnBuffer& planes, GraySums* gray) {
    const int width = h.width;
    const int height = static_cast<int>(h.height);
    CanvasWriter writer(planes, gray, canvas, width, height);
    if (width <= 0 || height <= 0) {
        writer.FillPadding();
        writer.Finish();
        return;
    }

    // Everything is taken before the first sample is written.
    const std::int64_t stride = BmpRowStride(width, h.bitCount);
    const int bandRows = std::min(writer.BandRows(), height);
    // 24-bit rows go to the writer as they are stored; the others are decoded into red,
    // green, blue rows first.
    const bool direct = h.bitCount == 24;
    const std::size_t rgbRow = static_cast<std::size_t>(width) * 3;
    const std::size_t storedBand = static_cast<std::size_t>(stride) * bandRows;
    std::vector<std::uint8_t> band(direct ? storedBand
                                          : rgbRow * static_cast<std::size_t>(bandRows));
    std::vector<std::uint8_t> row(direct ? 0 : static_cast<std::size_t>(stride));
    const RowDecoder decoder(h, width);
    writer.FillPadding();
    // Without the pixel data every pixel stays white.
    const bool atPixels = reader.Seek(h.offBits);

    // Bands follow the file's row order; within a band the rows are put in picture order.
    for (int first = 0, rows = 0; first < height; first += rows) {
        rows = h.topDown ? writer.BandRowsFrom(first) : writer.BandRowsUpTo(height - first);
        const int topRow = h.topDown ? first : height - first - rows;
        if (direct) {
            const std::int64_t want = stride * rows;
            const std::int64_t got = atPixels ? reader.Read(band.data(), want) : 0;
            // Bytes past the end of the data are white samples.
            if (got < want)
                std::memset(band.data() + got, 0xFF, static_cast<std::size_t>(want - got));
            // Bottom-up rows: the band's last row is the picture's upper one.
            const std::ptrdiff_t step = h.topDown ? stride : -stride;
            const std::uint8_t* top = h.topDown ? band.data() : band.data() + (rows - 1) * stride;
            writer.WriteRows(top, step, topRow, rows, PixelOrder::kBgr);
            continue;
        }
        for (int k = 0; k < rows; ++k) {
            const std::int64_t got = atPixels ? reader.Read(row.data(), stride) : 0;
            const int slot = h.topDown ? k : rows - 1 - k;
            decoder.Decode(row.data(), got, band.data() + rgbRow * static_cast<std::size_t>(slot));
        }
        writer.WriteRows(band.data(), topRow, rows);
    }
    writer.Finish();
}
