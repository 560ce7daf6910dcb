#pragma once
// Turns a hang into a failure: if the guard still lives when its deadline
// passes, it names what hung on the standard error stream and ends the
// process with a failure status (a hung thread cannot be made to return).
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace hlv_app_test {

// True in builds instrumented by the thread sanitizer, which run several
// times slower.
#if defined(__SANITIZE_THREAD__)
inline constexpr bool kThreadSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
inline constexpr bool kThreadSanitizer = true;
#else
inline constexpr bool kThreadSanitizer = false;
#endif
#else
inline constexpr bool kThreadSanitizer = false;
#endif

class CDeadlineGuard {
public:
    CDeadlineGuard(std::chrono::milliseconds limit, std::string what)
        : m_what(std::move(what)), m_thread([this, limit] { Watch(limit); })
    {
    }
    CDeadlineGuard(const CDeadlineGuard&) = delete;
    CDeadlineGuard& operator=(const CDeadlineGuard&) = delete;

    ~CDeadlineGuard()
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
            std::fprintf(stderr, "\nDEADLINE: %s did not finish within %lld ms\n", m_what.c_str(),
                         static_cast<long long>(limit.count()));
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

}  // namespace hlv_app_test
