#pragma once
// A lock for critical sections of a few instructions (a handle's pointer):
// one atomic exchange to take, one store to give back. Waiters spin briefly,
// then yield the processor so a preempted holder can finish.
#include <atomic>
#include <thread>

namespace hlv_core {

class CSpinLock {
public:
    void lock() noexcept
    {
        for (int spins = 0; m_locked.exchange(true, std::memory_order_acquire); ++spins) {
            while (m_locked.load(std::memory_order_relaxed)) {
                if (++spins > 64) std::this_thread::yield();
            }
        }
    }

    bool try_lock() noexcept { return !m_locked.exchange(true, std::memory_order_acquire); }

    void unlock() noexcept { m_locked.store(false, std::memory_order_release); }

private:
    std::atomic<bool> m_locked{false};
};

}  // namespace hlv_core
