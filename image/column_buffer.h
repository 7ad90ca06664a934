// A column-major array of 32-bit values: buf[x][y], x the column (pixel column or block
// column), y the index within the column (row 0 at the top).  The columns lie in one
// contiguous block owned by the buffer.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <new>
#include <utility>
#if defined(__linux__)
#include <sys/mman.h>
#endif

class ColumnBuffer {
public:
    ColumnBuffer() = default;
    ColumnBuffer(ColumnBuffer&&) noexcept = default;
    ColumnBuffer& operator=(ColumnBuffer&&) noexcept = default;

    // Replaces the contents with columns x length values, not initialised.  Throws
    // std::bad_alloc when the memory cannot be had, and then keeps the previous contents.
    void Allocate(int columns, int length) {
        const bool empty = columns <= 0 || length <= 0;
        std::unique_ptr<std::int32_t[], FreeValues> data;
        if (!empty) {
            data.reset(AllocateValues(static_cast<std::size_t>(columns) *
                                      static_cast<std::size_t>(length)));
        }
        m_data = std::move(data);
        m_nColumns = empty ? 0 : columns;
        m_nLength = empty ? 0 : length;
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

    // Test seam: while a gate is set, every allocation it answers false for fails as if the
    // memory had run out.  Returns the previous gate; an empty gate lets everything through.
    using AllocationGate = std::function<bool(std::size_t bytes)>;
    static AllocationGate SetAllocationGate(AllocationGate gate) {
        AllocationGate previous = std::move(Gate());
        Gate() = std::move(gate);
        return previous;
    }

private:
    struct FreeValues {
        void operator()(std::int32_t* p) const { std::free(p); }
    };
    // Large buffers (a picture's planes reach hundreds of megabytes) are asked to live on huge
    // pages: first touching them then costs a few hundred page faults instead of tens of
    // thousands.
    static std::int32_t* AllocateValues(std::size_t count) {
        constexpr std::size_t kHugePage = std::size_t{2} << 20;
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(std::int32_t) / 2)
            throw std::bad_alloc();
        const std::size_t bytes = count * sizeof(std::int32_t);
        if (Gate() && !Gate()(bytes))
            throw std::bad_alloc();
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

    static AllocationGate& Gate() {
        static AllocationGate gate;
        return gate;
    }

    std::unique_ptr<std::int32_t[], FreeValues> m_data;
    int m_nColumns = 0;
    int m_nLength = 0;
};
