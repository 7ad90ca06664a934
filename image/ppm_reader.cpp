#include "image/ppm_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/canvas_writer.h"

namespace {

constexpr std::uint8_t kSpace = 0x20;
constexpr std::uint8_t kLineFeed = 0x0A;
// Far above any canvas the program accepts, far below overflow.
constexpr std::int64_t kNumberBound = std::int64_t{1} << 40;

void AddDigit(std::int64_t& value, std::uint8_t byte) {
    const int digit = byte >= '0' && byte <= '9' ? byte - '0' : 0;
    value = std::min(value * 10 + digit, kNumberBound);
}

// Skips bytes up to and including the next LF; false if the data ends first.
bool SkipLine(ByteReader& reader) {
    std::uint8_t b = 0;
    while (reader.Get(b)) {
        if (b == kLineFeed)
            return true;
    }
    return false;
}

}  // namespace

bool ReadPpmHeader(ByteReader& reader, PpmHeader& header) {
    header = PpmHeader{};
    std::uint8_t b = 0;
    if (!reader.Get(b))
        return false;
    if (b == '#') {
        if (!SkipLine(reader) || !reader.Get(b))
            return false;
    }
    // Width: b is its first byte; the field ends at the first space.
    while (b != kSpace) {
        AddDigit(header.width, b);
        if (!reader.Get(b))
            return false;
    }
    // Height: up to the first LF.
    for (;;) {
        if (!reader.Get(b))
            return false;
        if (b == kLineFeed)
            break;
        AddDigit(header.height, b);
    }
    // The maximum sample value line is not read.
    return SkipLine(reader);
}

void ReadPpmPixels(ByteReader& reader, int width, int height, const SquareCanvas& canvas,
                   ColumnBuffer& planes) {
    CanvasWriter writer(planes, canvas, width, height);
    writer.FillPadding();
    if (width <= 0 || height <= 0)
        return;
    const int bandRows = std::min(writer.BandRows(), height);
    const std::int64_t rowBytes = std::int64_t{width} * 3;
    std::vector<std::uint8_t> band(static_cast<std::size_t>(rowBytes * bandRows));
    for (int y = 0; y < height; y += bandRows) {
        const int rows = std::min(bandRows, height - y);
        const std::int64_t want = rowBytes * rows;
        const std::int64_t got = reader.Read(band.data(), want);
        // Samples past the end of the data stay white.
        if (got < want)
            std::memset(band.data() + got, 0xFF, static_cast<std::size_t>(want - got));
        writer.WriteRows(band.data(), y, rows);
    }
}
