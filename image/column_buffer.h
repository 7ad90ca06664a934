// A column-major array of 32-bit values: buf[x][y], x the column (pixel column or block
// column), y the index within the column (row 0 at the top).  The columns lie in one
// contiguous block owned by the buffer.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#if defined(__linux__)
#include <sys/mman.h>
#endif

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
            m_data.reset(AllocateValues(static_cast<std::size_t>(columns) *
                                        static_cast<std::size_t>(length)));
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
    struct FreeValues {
        void operator()(std::int32_t* p) const { std::free(p); }
    };
    // Large buffers (a picture's planes reach hundreds of megabytes) are asked to live on huge
    // pages: first touching them then costs a few hundred page faults instead of tens of
    // thousands.
    static std::int32_t* AllocateValues(std::size_t count) {
        constexpr std::size_t kHugePage = std::size_t{2} << 20;
        const std::size_t bytes = count * sizeof(std::int32_t);
        void* p = nullptr;
        if (bytes >= kHugePage) {
            const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
            p = std::aligned_alloc(kHugePage, rounded);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
            if (p)
                madvise(p, rounded, MADV_HUGEPAGE);
#endif
        } else {
            p = std::malloc(bytes);
        }
        if (!p)
            throw std::bad_alloc();
        return static_cast<std::int32_t*>(p);
    }

    std::unique_ptr<std::int32_t[], FreeValues> m_data;
    int m_nColumns = 0;
    int m_nLength = 0;
};
