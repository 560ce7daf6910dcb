// Thread start and stop of the application.
#include <halvo_app/Application/AHalvoApplication.h>

namespace hlv_app {

void AHalvoApplication::StartRenderThread()
{
    if (!m_valid) {
        ShowMessage("Dont start render thread. Application is in invalid state. No rendering possible.");
        return;
    }
    ShowMessage("Start Render Thread");
    {
        std::lock_guard<std::mutex> lock(m_lifecycleMutex);
        if (m_stopRequested) return;
        render_thread* body = m_renderThread.get();
        m_threads.create_thread([body] { (*body)(); });
    }
    ShowMessage("Render Thread Started");
}

void AHalvoApplication::StartUpdateThread()
{
    if (!m_valid) {
        ShowMessage("Dont start update thread. Application is in invalid state. No update possible.");
        return;
    }
    std::lock_guard<std::mutex> lock(m_lifecycleMutex);
    if (m_stopRequested) return;
    update_thread* body = m_updateThread.get();
    m_threads.create_thread([body] { (*body)(); });
}

bool AHalvoApplication::HaltThreads()
{
    // Called on the render or update thread itself (from a hook): stop the
    // loops and release the waits; the thread cannot join itself, a later
    // call from outside joins.
    const bool onOwnThread = m_threads.is_this_thread_in();
    std::unique_lock<std::mutex> stopLock(m_stopMutex, std::defer_lock);
    if (!onOwnThread) stopLock.lock();
    bool valid = false;
    {
        std::lock_guard<std::mutex> lock(m_lifecycleMutex);
        m_stopRequested = true;
        if (m_updateThreadState) m_updateThreadState->RequestStop();
        if (m_renderThreadState) m_renderThreadState->RequestStop();
        valid = m_valid;
    }
    // Every wait in the front ends returns from now on: a render thread
    // waiting for a flush or for creation commands, an update thread waiting
    // for a frame, start-up waiting for a drain.
    if (m_mtGfxSystem) m_mtGfxSystem->Shutdown();
    if (m_mtRenderer) m_mtRenderer->Shutdown();
    if (onOwnThread) return false;
    // No thread starts after the stop request, so this joins all of them.
    m_threads.join_all();

    const bool firstStop = valid && !m_threadsStopped;
    if (valid) m_threadsStopped = true;
    return firstStop;
}

void AHalvoApplication::StopThreads()
{
    if (HaltThreads()) OnThreadsStopped();
}

bool AHalvoApplication::IsStopRequested() const
{
    std::lock_guard<std::mutex> lock(m_lifecycleMutex);
    return m_stopRequested || (m_renderThreadState && m_renderThreadState->StartFailed());
}

bool AHalvoApplication::RenderThreadFailed() const
{
    std::lock_guard<std::mutex> lock(m_lifecycleMutex);
    return m_renderThreadState && m_renderThreadState->StartFailed();
}

bool AHalvoApplication::IsRenderingPaused() const
{
    std::lock_guard<std::mutex> lock(m_lifecycleMutex);
    return m_renderThreadState && m_renderThreadState->pause.load();
}

bool AHalvoApplication::WaitForRenderedFrames(std::uint64_t frame)
{
    render_thread_state* state = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_lifecycleMutex);
        state = m_renderThreadState.get();
    }
    return state && state->WaitForFrameOrHalt(frame);
}

}  // namespace hlv_app
