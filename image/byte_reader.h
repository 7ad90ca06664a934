// Buffered reading of a picture file: bytes come from the device in blocks, so that the
// readers can take them one at a time without a system call per byte.  The end of the data
// (or a read error, which is treated the same way) is reported, never waited for.
#pragma once

#include <QIODevice>
#include <cstdint>
#include <vector>

class ByteReader {
public:
    explicit ByteReader(QIODevice& device, int blockSize = 64 * 1024);
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    // The next byte; false once the data has ended.
    bool Get(std::uint8_t& byte) {
        if (m_nPos == m_nEnd && !Refill())
            return false;
        byte = m_buffer[m_nPos++];
        return true;
    }
    // Up to count bytes into dst; fewer only when the data has ended.  Returns the number read.
    std::int64_t Read(std::uint8_t* dst, std::int64_t count);
    // Skips up to count bytes; returns the number skipped.
    std::int64_t Skip(std::int64_t count);
    // Moves to an absolute position of the device; false when the device cannot get there,
    // in which case the reader reports the end of the data from then on.
    bool Seek(std::int64_t position);
    // True once a read has found no more data.
    bool AtEnd() const { return m_bEnded && m_nPos == m_nEnd; }

private:
    bool Refill();

    QIODevice& m_device;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_nPos = 0;
    std::size_t m_nEnd = 0;
    bool m_bEnded = false;
};
