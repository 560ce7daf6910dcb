#pragma once
// A render context without a graphics API: it records which thread holds it
// and counts presented buffers and clears, and the buffers presented while
// the update thread's frame was half executed.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include <halvo_app/Application/IRenderContext.h>

#include "event_log.h"

namespace hlv_app_test {

class CFakeRenderContext : public hlv_app::IRenderContext {
public:
    explicit CFakeRenderContext(CEventLog& log) : m_log(log) {}

    std::uint32_t MakeCurrent() override
    {
        m_log.Add("MakeCurrent");
        if (makeCurrentResult != 0) return makeCurrentResult;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_owner = std::this_thread::get_id();
        m_current = true;
        return 0;
    }
    std::uint32_t DoneCurrent() override
    {
        m_log.Add("DoneCurrent");
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!IsHeldHere()) wrongThreadCalls.fetch_add(1);
        m_current = false;
        return 0;
    }
    std::uint32_t SwapBuffers() override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!IsHeldHere()) wrongThreadCalls.fetch_add(1);
        }
        if (openFrame != nullptr && openFrame->load()) tornFrames.fetch_add(1);
        swaps.fetch_add(1);
        return 0;
    }
    std::uint32_t Clear() override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!IsHeldHere()) wrongThreadCalls.fetch_add(1);
        }
        clears.fetch_add(1);
        return 0;
    }

    // True when the calling thread made the context current and has not
    // released it.
    bool IsCurrentHere() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return IsHeldHere();
    }
    bool IsCurrent() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_current;
    }

    std::uint32_t makeCurrentResult = 0;  // set before the render thread starts
    // True between the executed start and end of an update frame; set
    // before the render thread starts.
    const std::atomic<bool>* openFrame = nullptr;
    std::atomic<std::uint64_t> tornFrames{0};
    std::atomic<std::uint64_t> swaps{0};
    std::atomic<std::uint64_t> clears{0};
    // Operations called on a thread that does not hold the context.
    std::atomic<std::uint64_t> wrongThreadCalls{0};

private:
    bool IsHeldHere() const { return m_current && m_owner == std::this_thread::get_id(); }

    CEventLog& m_log;
    mutable std::mutex m_mutex;
    std::thread::id m_owner;
    bool m_current = false;
};

}  // namespace hlv_app_test
