#include "image/ppm_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/canvas_writer.h"

namespace {

// 0..255 for every value a sample of the file can hold: scaled from 0..maxval, rounded to
// the nearest; values above maxval give 255.
std::vector<std::uint8_t> ScaleTable(int maxval, int sampleBytes) {
    std::vector<std::uint8_t> table(std::size_t{1} << (8 * sampleBytes), 255);
    for (int v = 0; v <= maxval; ++v) {
        table[static_cast<std::size_t>(v)] =
            static_cast<std::uint8_t>((v * 255 + maxval / 2) / maxval);
    }
    return table;
}

}  // namespace

void ReadPpmPixels(ByteReader& reader, const NetpbmHeader& header, const SquareCanvas& canvas,
                   ColumnBuffer& planes, GraySums* gray) {
    const int width = static_cast<int>(header.width);
    const int height = static_cast<int>(header.height);
    CanvasWriter writer(planes, gray, canvas, width, height);
    const int bandRows = std::max(1, std::min(writer.BandRows(), height));
    const int sampleBytes = header.SampleBytes();
    const std::size_t rgbRow = static_cast<std::size_t>(std::max(width, 0)) * 3;
    const std::size_t fileRow = rgbRow * static_cast<std::size_t>(sampleBytes);
    // Samples of 0..255 are the bytes of the file as they are; others go through a table.
    // Everything is taken before the first sample is written.
    const bool plain = header.maxval == 255;
    std::vector<std::uint8_t> band(fileRow * static_cast<std::size_t>(bandRows));
    std::vector<std::uint8_t> rgb(plain ? 0 : rgbRow * static_cast<std::size_t>(bandRows));
    const std::vector<std::uint8_t> table =
        plain ? std::vector<std::uint8_t>() : ScaleTable(header.maxval, sampleBytes);

    writer.FillPadding();
    for (int y = 0, rows = 0; y < height && width > 0; y += rows) {
        rows = writer.BandRowsFrom(y);
        const std::int64_t want = static_cast<std::int64_t>(fileRow) * rows;
        const std::int64_t got = reader.Read(band.data(), want);
        if (plain) {
            // Samples past the end of the data stay white.
            if (got < want)
                std::memset(band.data() + got, 0xFF, static_cast<std::size_t>(want - got));
            writer.WriteRows(band.data(), y, rows);
            continue;
        }
        const std::size_t samples = static_cast<std::size_t>(want / sampleBytes);
        const std::size_t supplied = static_cast<std::size_t>(got / sampleBytes);
        for (std::size_t i = 0; i < samples; ++i) {
            if (i >= supplied) {
                rgb[i] = 255;
            } else if (sampleBytes == 1) {
                rgb[i] = table[band[i]];
            } else {
                rgb[i] = table[std::size_t{band[2 * i]} << 8 | band[2 * i + 1]];
            }
        }
        writer.WriteRows(rgb.data(), y, rows);
    }
    writer.Finish();
}
