#pragma once
// Ends the test program when a test runs past its deadline, so a hang shows
// up as a failure with a message instead of a stuck run.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

class Watchdog {
public:
    Watchdog(std::chrono::milliseconds limit, std::string what)
        : m_what(std::move(what)), m_thread([this, limit] { Watch(limit); })
    {
    }

    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    void Watch(std::chrono::milliseconds limit)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_wake.wait_for(lock, limit, [this] { return m_done; })) return;
        std::fprintf(stderr, "Watchdog: %s did not finish within %lld ms\n", m_what.c_str(),
                     static_cast<long long>(limit.count()));
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::string m_what;
    std::thread m_thread;
};
