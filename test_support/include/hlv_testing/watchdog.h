#pragma once
// Fails a test that would hang: if the watchdog still lives when its deadline
// passes, it names what hung on the standard error stream and ends the
// process with a failure status (a hung thread cannot be made to return).
// A long test reports Progress(): its watchdog then fails only when a whole
// limit passes without progress, so a slow machine is not taken for a hang.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace hlv_testing {

class CWatchdog {
public:
    CWatchdog(std::chrono::milliseconds limit, std::string what) : m_what(std::move(what))
    {
        m_thread = std::thread([this, limit] { Watch(limit); });
    }
    CWatchdog(const CWatchdog&) = delete;
    CWatchdog& operator=(const CWatchdog&) = delete;

    // The watched work advanced.
    void Progress() noexcept { m_progress.fetch_add(1, std::memory_order_relaxed); }

    ~CWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

private:
    void Watch(std::chrono::milliseconds limit)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        std::uint64_t seen = 0;
        while (!m_wake.wait_for(lock, limit, [this] { return m_done; })) {
            const std::uint64_t progress = m_progress.load(std::memory_order_relaxed);
            if (progress == seen) break;
            seen = progress;
        }
        if (m_done) return;
        std::fprintf(stderr, "\nWATCHDOG: %s %s %lld ms\n", m_what.c_str(),
                     seen == 0 ? "did not finish within" : "made no progress for",
                     static_cast<long long>(limit.count()));
        std::fflush(stderr);
        std::_Exit(3);
    }

    std::string m_what;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::atomic<std::uint64_t> m_progress{0};
    std::thread m_thread;
};

}  // namespace hlv_testing
