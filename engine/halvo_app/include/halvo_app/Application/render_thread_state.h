#pragma once
// What the render thread shares with the application.
//
// stop and pause are polled flags. Everything a waiter tests under the mutex
// (finished, a failed start, the frame count of the render front end, and the
// two flags, which are set before the mutex is taken for the announcement)
// is announced on `changed` after it changes, so no waiter misses a change
// between its test and its wait.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include <halvo_core/handle.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_gfx/mt_renderer.h>

namespace hlv_app {

struct render_thread_state {
    render_thread_state(hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem> gfx,
                        hlv_core::CResourceHandle<hlv_gfx::MTRenderer> render);

    // Set by StopThreads (or by a render thread that cannot start).
    void RequestStop();
    // Set by the renderer error handler; never cleared.
    void Pause();
    // The render thread's loop has ended (after it let go of the context).
    void MarkFinished();
    // The render thread could not start and has ended.
    void MarkStartFailed();
    // The render thread presented a frame (after SignalFrameDone).
    void AnnounceFrame();

    bool IsFinished() const;
    bool StartFailed() const;

    // Render thread, while paused: sleeps for `duration`, or less when stop
    // is requested meanwhile.
    void SleepUnlessStopped(std::chrono::milliseconds duration);

    // Start-up: blocks until the render front end counts more than `frame`
    // frames, rendering pauses, the render thread ends (finished or failed to
    // start) or stop is requested. True when the frames were reached.
    bool WaitForFrameOrHalt(std::uint64_t frame);

    hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem> gfxSystem;
    hlv_core::CResourceHandle<hlv_gfx::MTRenderer> renderer;
    std::atomic<bool> stop{false};
    std::atomic<bool> pause{false};

private:
    void Announce();

    bool m_finished = false;
    bool m_startFailed = false;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
};

}  // namespace hlv_app
