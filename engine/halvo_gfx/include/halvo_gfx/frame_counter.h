#pragma once
// The count of presented frames that keeps the update thread at most one
// frame ahead of the render thread.
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace hlv_gfx {

class CFrameCounter {
public:
    // Blocks until more than `frame` frames are done, or until Shutdown.
    // Returns the count of frames done.
    std::uint64_t WaitForFrame(std::uint64_t frame)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return m_shutDown || m_frames > frame; });
        return m_frames;
    }

    // One more frame is done; wakes every waiter.
    void SignalFrameDone()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            ++m_frames;
        }
        m_changed.notify_all();
    }

    // Releases every waiter for good; the count still advances.
    void Shutdown()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_shutDown = true;
        }
        m_changed.notify_all();
    }

    std::uint64_t Frames() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_frames;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::uint64_t m_frames = 0;
    bool m_shutDown = false;
};

}  // namespace hlv_gfx
