#pragma once
// A render thread for tests: executes the multithreaded renderer's commands
// on the renderer it was given, frame after frame, until it is stopped.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include <halvo_gfx/mt_renderer.h>

namespace hlv_shade_test {

class CTestRenderThread {
public:
    // With startPaused the thread executes nothing until SetPaused(false).
    explicit CTestRenderThread(hlv_gfx::MTRenderer& renderer, bool startPaused = false)
        : m_renderer(renderer), m_paused(startPaused), m_thread([this] { Run(); })
    {
        m_renderer.SetPaused(startPaused);
    }
    CTestRenderThread(const CTestRenderThread&) = delete;
    CTestRenderThread& operator=(const CTestRenderThread&) = delete;
    ~CTestRenderThread() { Stop(); }

    // Ends the frame recorded so far (the update thread's end-of-frame flush)
    // and waits until the render thread has executed it.
    void FinishFrame()
    {
        m_renderer.FlushSecondQueue();
        m_renderer.Flush(0);
        m_renderer.WaitForFrame(m_framesFinished++);
    }

    // While paused the thread executes nothing, as the application's render
    // thread after a renderer error; the front end is told so. A thread that
    // is executing a frame when it is paused finishes that frame first.
    void SetPaused(bool paused)
    {
        m_paused.store(paused);
        m_renderer.SetPaused(paused);
    }

    // Shuts the front end down and joins the thread.
    void Stop()
    {
        if (!m_thread.joinable()) return;
        m_stop.store(true);
        m_renderer.Shutdown();
        m_thread.join();
    }

private:
    void Run()
    {
        while (!m_stop.load() && !m_renderer.IsShutDown()) {
            if (m_paused.load()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            m_renderer.ProcessCommands();
            if (m_stop.load() || m_renderer.IsShutDown()) break;
            m_renderer.SignalFrameDone();
        }
    }

    hlv_gfx::MTRenderer& m_renderer;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_paused{false};
    std::uint64_t m_framesFinished = 0;
    std::thread m_thread;
};

}  // namespace hlv_shade_test
