#include "image/byte_reader.h"

#include <algorithm>
#include <cstring>

ByteReader::ByteReader(QIODevice& device, int blockSize)
    : m_device(device), m_buffer(static_cast<std::size_t>(std::max(blockSize, 1))) {}

bool ByteReader::Refill() {
    m_nPos = 0;
    m_nEnd = 0;
    if (m_bEnded)
        return false;
    const qint64 got = m_device.read(reinterpret_cast<char*>(m_buffer.data()),
                                     static_cast<qint64>(m_buffer.size()));
    // A file or memory buffer that returns nothing has ended; an error ends the data too.
    if (got <= 0) {
        m_bEnded = true;
        return false;
    }
    m_nEnd = static_cast<std::size_t>(got);
    return true;
}

std::int64_t ByteReader::Read(std::uint8_t* dst, std::int64_t count) {
    std::int64_t done = 0;
    while (done < count) {
        if (m_nPos == m_nEnd) {
            // Large requests go straight from the device into dst, without the extra copy.
            const std::int64_t rest = count - done;
            if (rest >= static_cast<std::int64_t>(m_buffer.size()) && !m_bEnded) {
                const qint64 got = m_device.read(reinterpret_cast<char*>(dst + done), rest);
                if (got <= 0) {
                    m_bEnded = true;
                    break;
                }
                done += got;
                continue;
            }
            if (!Refill())
                break;
        }
        const std::size_t n = std::min(m_nEnd - m_nPos, static_cast<std::size_t>(count - done));
        std::memcpy(dst + done, m_buffer.data() + m_nPos, n);
        m_nPos += n;
        done += static_cast<std::int64_t>(n);
    }
    return done;
}

std::int64_t ByteReader::Skip(std::int64_t count) {
    std::int64_t done = 0;
    while (done < count) {
        if (m_nPos == m_nEnd && !Refill())
            break;
        const std::size_t n = std::min(m_nEnd - m_nPos, static_cast<std::size_t>(count - done));
        m_nPos += n;
        done += static_cast<std::int64_t>(n);
    }
    return done;
}

bool ByteReader::Seek(std::int64_t position) {
    m_nPos = 0;
    m_nEnd = 0;
    m_bEnded = false;
    // A position beyond the end of a file holds no data; asking the device to go there would
    // make some devices complain or grow.
    if (position < 0 || (!m_device.isSequential() && position > m_device.size()) ||
        !m_device.seek(position)) {
        m_bEnded = true;
        return false;
    }
    return true;
}
