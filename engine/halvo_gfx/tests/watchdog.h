#pragma once
// Fails a test that hangs: if the watchdog is still alive after its deadline,
// it names what hung on the standard error stream and ends the process with a
// failure status (a hung thread cannot be made to return).
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

class Watchdog {
public:
    Watchdog(std::chrono::milliseconds limit, std::string what)
        : m_what(std::move(what)), m_thread([this, limit] { Watch(limit); })
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
        m_cv.notify_all();
        m_thread.join();
    }

private:
    void Watch(std::chrono::milliseconds limit)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_cv.wait_for(lock, limit, [this] { return m_done; })) {
            std::fprintf(stderr, "\nWATCHDOG: %s did not finish within %lld ms (deadlock?)\n",
                         m_what.c_str(), static_cast<long long>(limit.count()));
            std::fflush(stderr);
            std::_Exit(3);
        }
    }

    std::string m_what;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_done = false;
    std::thread m_thread;
};

// True in builds instrumented by a sanitizer or built without optimisation,
// which run several times slower: stress tests scale their iteration counts
// down there.
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
inline constexpr bool kSlowBuild = true;
#else
inline constexpr bool kSlowBuild = false;
#endif
