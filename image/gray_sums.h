// The gray sums of a picture: R + G + B (0..765) of every canvas pixel, column-major like one
// of its planes.  The readers make them alongside the planes, so that every analysis can
// binarize from one small plane instead of three large ones.  They hold only as long as the
// planes they were made from are unchanged, which the planes' content stamp tells.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "image/column_buffer.h"

class GraySums {
public:
    GraySums() = default;
    GraySums(GraySums&& other) noexcept { *this = std::move(other); }
    GraySums& operator=(GraySums&& other) noexcept {
        if (this != &other) {
            m_data = std::move(other.m_data);
            m_nColumns = std::exchange(other.m_nColumns, 0);
            m_nLength = std::exchange(other.m_nLength, 0);
            m_nStamp = other.m_nStamp;
            m_bMade = std::exchange(other.m_bMade, false);
        }
        return *this;
    }

    // columns x length sums, not initialised and not yet made from any planes.  Throws
    // std::bad_alloc, and then keeps the previous contents.
    void Allocate(int columns, int length) {
        std::unique_ptr<std::uint16_t[], FreeSums> data;
        if (columns > 0 && length > 0) {
            data.reset(static_cast<std::uint16_t*>(AllocatePixelMemory(
                static_cast<std::size_t>(columns) * static_cast<std::size_t>(length) * 2)));
        }
        m_data = std::move(data);
        m_nColumns = m_data ? columns : 0;
        m_nLength = m_data ? length : 0;
        m_bMade = false;
    }
    void Free() { Allocate(0, 0); }

    bool IsAllocated() const { return m_data != nullptr; }
    int Columns() const { return m_nColumns; }
    int Length() const { return m_nLength; }

    // Writable access: the sums are being made, and hold nothing until MadeFrom.
    std::uint16_t* operator[](int column) {
        m_bMade = false;
        return m_data.get() +
               static_cast<std::size_t>(column) * static_cast<std::size_t>(m_nLength);
    }
    const std::uint16_t* operator[](int column) const {
        return m_data.get() +
               static_cast<std::size_t>(column) * static_cast<std::size_t>(m_nLength);
    }

    // Every sum has been written from the planes as they are now.
    void MadeFrom(const ColumnBuffer& planes) {
        m_nStamp = planes.ContentStamp();
        m_bMade = true;
    }
    // Every sum has been written from the pixels of a picture read without planes.
    void MadeWithoutPlanes() {
        m_nStamp = 0;
        m_bMade = true;
    }
    bool IsMade() const { return m_bMade; }
    // True when the sums are those of these planes: made from them, nothing written since.
    bool Match(const ColumnBuffer& planes) const {
        return m_bMade && planes.IsAllocated() && planes.Columns() == 3 * m_nColumns &&
               planes.Length() == m_nLength && planes.ContentStamp() == m_nStamp;
    }

private:
    struct FreeSums {
        void operator()(std::uint16_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint16_t[], FreeSums> m_data;
    int m_nColumns = 0;
    int m_nLength = 0;
    std::uint64_t m_nStamp = 0;
    bool m_bMade = false;
};
