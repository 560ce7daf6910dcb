#pragma once
// Fails a test that would hang: if the watchdog still lives when its deadline
// passes, it names what hung on the standard error stream and ends the
// process with a failure status (a hung thread cannot be made to return).
#include <chrono>
#include <condition_variable>
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
        if (m_wake.wait_for(lock, limit, [this] { return m_done; })) return;
        std::fprintf(stderr, "\nWATCHDOG: %s did not finish within %lld ms\n", m_what.c_str(),
                     static_cast<long long>(limit.count()));
        std::fflush(stderr);
        std::_Exit(3);
    }

    std::string m_what;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread;
};

}  // namespace hlv_testing
