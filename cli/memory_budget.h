// Memory shared by the workers of a batch: a worker takes what its picture will need before it
// decodes it, and waits while the others hold too much, so that a batch needs about the budget
// whatever the number of cores.  A picture that needs more than the whole budget waits until
// nothing is taken, and then runs alone.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

class MemoryBudget {
public:
    explicit MemoryBudget(std::int64_t bytes) : m_nBudget(bytes) {}
    MemoryBudget(const MemoryBudget&) = delete;
    MemoryBudget& operator=(const MemoryBudget&) = delete;

    // What one picture holds, given back when the lease goes.
    class Lease {
    public:
        Lease() = default;
        Lease(Lease&& other) noexcept { *this = std::move(other); }
        Lease& operator=(Lease&& other) noexcept {
            if (this != &other) {
                Release();
                m_pBudget = other.m_pBudget;
                m_nBytes = other.m_nBytes;
                other.m_pBudget = nullptr;
            }
            return *this;
        }
        ~Lease() { Release(); }
        void Release() {
            if (m_pBudget)
                m_pBudget->Give(m_nBytes);
            m_pBudget = nullptr;
        }

    private:
        friend class MemoryBudget;
        MemoryBudget* m_pBudget = nullptr;
        std::int64_t m_nBytes = 0;
    };

    // Waits until `bytes` fit beside what the others hold (or nothing is held), then takes them.
    Lease Take(std::int64_t bytes) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_freed.wait(lock, [&] { return m_nTaken == 0 || m_nTaken + bytes <= m_nBudget; });
        m_nTaken += bytes;
        Lease lease;
        lease.m_pBudget = this;
        lease.m_nBytes = bytes;
        return lease;
    }

private:
    void Give(std::int64_t bytes) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_nTaken -= bytes;
        }
        m_freed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_freed;
    std::int64_t m_nBudget;
    std::int64_t m_nTaken = 0;
};
