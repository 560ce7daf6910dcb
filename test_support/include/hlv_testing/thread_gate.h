#pragma once
// A gate in a thread's path: Pass waits while the gate is shut, then sleeps
// for the delay set, so that a test can hold a consumer thread or slow it down.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace hlv_testing {

class CThreadGate {
public:
    void Pass()
    {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_gateChanged.wait(lock, [this] { return m_open; });
        }
        if (const int delay = delayMicroseconds.load()) std::this_thread::sleep_for(std::chrono::microseconds(delay));
    }

    void SetOpen(bool open)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_open = open;
        }
        m_gateChanged.notify_all();
    }

    std::atomic<int> delayMicroseconds{0};

private:
    std::mutex m_mutex;
    std::condition_variable m_gateChanged;
    bool m_open = true;
};

}  // namespace hlv_testing
