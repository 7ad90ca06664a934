// A column-major array of 32-bit values: buf[x][y], x the column (pixel column or block
// column), y the index within the column (row 0 at the top).  The columns lie in one
// contiguous block owned by the buffer.  Also the memory both it and the gray sums live in.
#pragma once

#include <atomic>
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

// Memory for large pixel buffers.  Large blocks (a picture's planes reach hundreds of
// megabytes) are asked to live on huge pages: first touching them then costs a few hundred
// page faults instead of tens of thousands.  Throws std::bad_alloc; give back with std::free.
inline void* AllocatePixelMemory(std::size_t bytes) {
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    if (bytes > std::numeric_limits<std::size_t>::max() / 2)
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
        // Aligned like the large blocks' columns, so that vector code sees the same layout.
        p = std::aligned_alloc(64, (bytes + 63) / 64 * 64);
    }
    if (!p)
        throw std::bad_alloc();
    return p;
}

class ColumnBuffer {
public:
    ColumnBuffer() = default;
    ColumnBuffer(ColumnBuffer&& other) noexcept { *this = std::move(other); }
    ColumnBuffer& operator=(ColumnBuffer&& other) noexcept {
        if (this != &other) {
            m_data = std::move(other.m_data);
            m_nColumns = std::exchange(other.m_nColumns, 0);
            m_nLength = std::exchange(other.m_nLength, 0);
            // The contents moved with their stamp: what was made from them still holds.
            m_nStamp = other.m_nStamp;
            m_bTouched = other.m_bTouched;
            other.m_bTouched = true;
        }
        return *this;
    }

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
        m_bTouched = true;
    }
    void Free() {
        m_data.reset();
        m_nColumns = 0;
        m_nLength = 0;
        m_bTouched = true;
    }
    void Fill(std::int32_t value) {
        std::int32_t* p = Data();
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

    // Writable access counts as a change of the contents (see ContentStamp).
    std::int32_t* operator[](int column) {
        m_bTouched = true;
        return m_data.get() +
               static_cast<std::size_t>(column) * static_cast<std::size_t>(m_nLength);
    }
    const std::int32_t* operator[](int column) const {
        return m_data.get() +
               static_cast<std::size_t>(column) * static_cast<std::size_t>(m_nLength);
    }
    std::int32_t* Data() {
        m_bTouched = true;
        return m_data.get();
    }
    const std::int32_t* Data() const { return m_data.get(); }

    // A number that is the same for two calls exactly when the contents cannot have changed in
    // between: every allocation, move-in and writable access since the last call gives a new
    // one, never given to any buffer before.  Data derived from the contents (the gray sums of
    // a picture) keeps the stamp it was made at, to know whether it still holds.
    std::uint64_t ContentStamp() const {
        if (m_bTouched) {
            static std::atomic<std::uint64_t> s_next{1};
            m_nStamp = s_next.fetch_add(1, std::memory_order_relaxed);
            m_bTouched = false;
        }
        return m_nStamp;
    }

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
    static std::int32_t* AllocateValues(std::size_t count) {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(std::int32_t) / 2)
            throw std::bad_alloc();
        const std::size_t bytes = count * sizeof(std::int32_t);
        if (Gate() && !Gate()(bytes))
            throw std::bad_alloc();
        return static_cast<std::int32_t*>(AllocatePixelMemory(bytes));
    }

    static AllocationGate& Gate() {
        static AllocationGate gate;
        return gate;
    }

    std::unique_ptr<std::int32_t[], FreeValues> m_data;
    int m_nColumns = 0;
    int m_nLength = 0;
    mutable std::uint64_t m_nStamp = 0;
    mutable bool m_bTouched = true;
};
