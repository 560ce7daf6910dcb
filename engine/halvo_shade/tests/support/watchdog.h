#pragma once
// Fails a test that would hang: when the deadline passes before the watchdog
// is destroyed, it names what hung on the standard error stream and ends the
// process with a failure status (a hung thread cannot be made to return).
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace hlv_shade_test {

class Watchdog {
public:
    Watchdog(std::chrono::milliseconds deadline, std::string what)
        : m_what(std::move(what)), m_thread([this, deadline] { Watch(deadline); })
    {
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

private:
    void Watch(std::chrono::milliseconds deadline)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_wake.wait_for(lock, deadline, [this] { return m_done; })) return;
        std::fprintf(stderr, "watchdog: %s did not finish within %lld ms\n", m_what.c_str(),
                     static_cast<long long>(deadline.count()));
        std::fflush(stderr);
        std::_Exit(3);
    }

    std::string m_what;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread;
};

}  // namespace hlv_shade_test
