// A column-major array of 32-bit values: buf[x][y], x the column (pixel column or block
// column), y the index within the column (row 0 at the top).  The columns lie in one
// contiguous block owned by the buffer.
#pragma once

#include <cstdint>
#include <memory>

class ColumnBuffer {
public:
    ColumnBuffer() = default;
    ColumnBuffer(ColumnBuffer&&) noexcept = default;
    ColumnBuffer& operator=(ColumnBuffer&&) noexcept = default;

    // Replaces the contents with columns x length values, not initialised.
    void Allocate(int columns, int length) {
        m_data.reset();
        m_nColumns = 0;
        m_nLength = 0;
        if (columns > 0 && length > 0) {
            m_data = std::make_unique_for_overwrite<std::int32_t[]>(
                static_cast<std::size_t>(columns) * static_cast<std::size_t>(length));
        }
        m_nColumns = columns > 0 && length > 0 ? columns : 0;
        m_nLength = m_nColumns > 0 ? length : 0;
    }
    void Free() {
        m_data.reset();
        m_nColumns = 0;
        m_nLength = 0;
    }
    void Fill(std::int32_t value) {
        std::int32_t* p = m_data.get();
        const std::size_t n = Size();
        for (std::size_t i = 0; i < n; ++i)
            p[i] = value;
    }

    bool IsAllocated() const { return m_data != nullptr; }
    int Columns() const { return m_nColumns; }
    int Length() const { return m_nLength; }
    std::size_t Size() const {
        return static_cast<std::size_t>(m_nColumns) * static_cast<std::size_t>(m_nLength);
    }

    std::int32_t* operator[](int column) {
        return m_data.get() +
               static_cast<std::size_t>(column) * static_cast<std::size_t>(m_nLength);
    }
    const std::int32_t* operator[](int column) const {
        return m_data.get() +
               static_cast<std::size_t>(column) * static_cast<std::size_t>(m_nLength);
    }
    std::int32_t* Data() { return m_data.get(); }
    const std::int32_t* Data() const { return m_data.get(); }

private:
    std::unique_ptr<std::int32_t[]> m_data;
    int m_nColumns = 0;
    int m_nLength = 0;
};
