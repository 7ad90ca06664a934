// Picture files built in memory for the reader tests: encoded by Qt's writers, a GIF written
// here (Qt has no GIF writer), and edits that make a file claim another size or carry a JPEG
// orientation.  Header-only and widget-free, for the model's tests as well as the window's.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>
#include <cstdint>
#include <vector>

namespace picture_files {

// The image encoded by Qt's writer of `format`; quality 100 makes WebP lossless.
inline QByteArray Encoded(const QImage& image, const char* format, int quality = 100) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    return writer.write(image) ? bytes : QByteArray();
}

// A GIF89a of width x height colour-table indices (row by row) into palette (0xRRGGBB, at
// most 128 entries); transparent: the index shown as transparent, or -1.  The image data is
// written without compression: every code is a literal, and a clear code comes before the
// code width would grow.
inline QByteArray Gif(int width, int height, const std::vector<std::uint32_t>& palette,
                      const std::vector<int>& indices, int transparent = -1) {
    QByteArray b("GIF89a");
    auto le16 = [&b](int v) {
        b.append(static_cast<char>(v & 0xFF));
        b.append(static_cast<char>((v >> 8) & 0xFF));
    };
    le16(width);
    le16(height);
    b.append(static_cast<char>(0xF6));  // global table of 128 entries
    b.append('\0');
    b.append('\0');
    for (int i = 0; i < 128; ++i) {
        const std::uint32_t c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        b.append(static_cast<char>(c >> 16));
        b.append(static_cast<char>(c >> 8));
        b.append(static_cast<char>(c));
    }
    if (transparent >= 0) {
        b.append(QByteArray::fromHex("21f90401000000"));  // ends with the index
        b[b.size() - 1] = static_cast<char>(transparent);
        b.append('\0');
    }
    b.append(',');
    le16(0);
    le16(0);
    le16(width);
    le16(height);
    b.append('\0');
    // Codes of 8 bits: 0..127 literals, 128 clear, 129 end.
    constexpr int kMinCodeSize = 7;
    std::vector<int> codes{128};
    int sinceClear = 0;
    for (int index : indices) {
        codes.push_back(index);
        // The decoder adds a table entry per code after the first; clear before the table
        // reaches 256 entries, where codes would take 9 bits.
        if (++sinceClear == 125) {
            codes.push_back(128);
            sinceClear = 0;
        }
    }
    codes.push_back(129);
    b.append(static_cast<char>(kMinCodeSize));
    QByteArray data;
    for (int code : codes)
        data.append(static_cast<char>(code));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        b.append(static_cast<char>(block.size()));
        b.append(block);
    }
    b.append('\0');
    b.append(';');
    return b;
}

namespace detail {

inline std::uint32_t Crc32(const char* data, qsizetype size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i) {
        crc ^= static_cast<std::uint8_t>(data[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline void PutBe(QByteArray& b, qsizetype at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<char>(v >> (8 * (bytes - 1 - i)));
}
inline void PutLe(QByteArray& b, qsizetype at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<char>(v >> (8 * i));
}
inline std::uint32_t GetLe(const QByteArray& b, qsizetype at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | static_cast<std::uint8_t>(b[at + i]);
    return v;
}

}  // namespace detail

// The file with its header changed to claim width x height; the rest as it was.  Knows the
// files of Encoded (PNG, JPEG, little-endian TIFF, lossless WebP) and Gif.
inline QByteArray ClaimingSize(QByteArray file, int width, int height) {
    using namespace detail;
    if (file.startsWith("\x89PNG")) {
        PutBe(file, 16, static_cast<std::uint32_t>(width), 4);
        PutBe(file, 20, static_cast<std::uint32_t>(height), 4);
        PutBe(file, 29, Crc32(file.constData() + 12, 17), 4);  // IHDR: type and data
    } else if (file.startsWith("\xFF\xD8")) {
        // The frame header (SOF0 or SOF2): precision, height, width.
        for (qsizetype at = 2; at + 9 < file.size();) {
            const auto marker = static_cast<std::uint8_t>(file[at + 1]);
            if (marker == 0xC0 || marker == 0xC2) {
                PutBe(file, at + 5, static_cast<std::uint32_t>(height), 2);
                PutBe(file, at + 7, static_cast<std::uint32_t>(width), 2);
                break;
            }
            at += 2 + (static_cast<std::uint8_t>(file[at + 2]) << 8 |
                       static_cast<std::uint8_t>(file[at + 3]));
        }
    } else if (file.startsWith("GIF")) {
        PutLe(file, 6, static_cast<std::uint32_t>(width), 2);
        PutLe(file, 8, static_cast<std::uint32_t>(height), 2);
        const qsizetype descriptor = file.indexOf(',', 13 + 3 * 128);
        PutLe(file, descriptor + 5, static_cast<std::uint32_t>(width), 2);
        PutLe(file, descriptor + 7, static_cast<std::uint32_t>(height), 2);
    } else if (file.startsWith("II*")) {
        const std::uint32_t ifd = GetLe(file, 4, 4);
        const std::uint32_t count = GetLe(file, ifd, 2);
        for (std::uint32_t i = 0; i < count; ++i) {
            const qsizetype entry = ifd + 2 + 12 * i;
            const std::uint32_t tag = GetLe(file, entry, 2);
            const int bytes = GetLe(file, entry + 2, 2) == 3 ? 2 : 4;  // SHORT or LONG
            if (tag == 256)
                PutLe(file, entry + 8, static_cast<std::uint32_t>(width), bytes);
            if (tag == 257)
                PutLe(file, entry + 8, static_cast<std::uint32_t>(height), bytes);
        }
    } else if (file.startsWith("RIFF") && file.mid(12, 4) == "VP8L") {
        // 14 bits each of width - 1 and height - 1 after the signature byte.
        const std::uint32_t bits = static_cast<std::uint32_t>(width - 1) |
                                   static_cast<std::uint32_t>(height - 1) << 14 |
                                   (GetLe(file, 21, 4) & 0xF0000000u);
        PutLe(file, 21, bits, 4);
    }
    return file;
}

// A JPEG with an Exif block right after its start that gives the orientation (1..8).
inline QByteArray WithOrientation(const QByteArray& jpeg, int orientation) {
    // Exif header, a little-endian TIFF header and one directory with the orientation tag.
    QByteArray exif("Exif\0\0", 6);
    exif += QByteArray::fromHex(
        "49492a0008000000"
        "0100"
        "120103000100000000000000"
        "00000000");
    exif[6 + 8 + 2 + 8] = static_cast<char>(orientation);
    QByteArray app1 = QByteArray::fromHex("ffe1");
    app1.append(static_cast<char>((exif.size() + 2) >> 8));
    app1.append(static_cast<char>((exif.size() + 2) & 0xFF));
    app1 += exif;
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

}  // namespace picture_files
