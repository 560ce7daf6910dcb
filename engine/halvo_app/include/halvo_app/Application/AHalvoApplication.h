#pragma once
// The engine's abstract application: owns the two multithreaded front ends,
// the real renderer and graphics system they wrap, the application context,
// the render and update threads with their shared state, the application
// timer and the per-frame handlers.
//
// Life: construction -> the concrete application sets the real graphics
// system and renderer -> StartApplication -> event loop -> StopThreads ->
// UserShutdown.
//
// Stopping: StopThreads sets both threads' stop flags, releases every wait of
// both front ends (their Shutdown) and joins both threads, whatever they are
// doing: waiting for a flush, paused after a renderer error, or still
// starting. It may be called at any time, from any thread, more than once;
// no thread is started after it.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <boost/thread/thread.hpp>

#include <halvo_app/APP_RESULT.h>
#include <halvo_app/Application/CApplicationContext.h>
#include <halvo_app/Application/IFrameHandler.h>
#include <halvo_app/Application/IRenderContext.h>
#include <halvo_app/Application/render_thread.h>
#include <halvo_app/Application/render_thread_state.h>
#include <halvo_app/Application/update_thread.h>
#include <halvo_app/Application/update_thread_state.h>
#include <halvo_core/handle.h>
#include <halvo_core/timer.h>
#include <halvo_gfx/gfx_system.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_gfx/renderer.h>
#include <halvo_io/handler_listener.h>
#include <halvo_io/message_handler.h>

namespace hlv_app {

class AHalvoApplication {
public:
    template <typename T>
    using Handle = hlv_core::CResourceHandle<T>;

    // Passes the real renderer's error reports to the application: rendering
    // pauses for good and the messages reach OnRendererHalted.
    class renderer_error_handler : public hlv_io::IMessageHandler {
    public:
        explicit renderer_error_handler(AHalvoApplication* application) : m_application(application) {}
        std::uint32_t HandleMessages(const std::list<std::string>& messages) override;
        std::uint32_t HandleMessage(const std::string& message) override;

    private:
        AHalvoApplication* m_application;
    };

    AHalvoApplication();
    AHalvoApplication(const AHalvoApplication&) = delete;
    AHalvoApplication& operator=(const AHalvoApplication&) = delete;
    // Stops and joins the threads if they still run (without OnThreadsStopped),
    // then releases what the application owns.
    virtual ~AHalvoApplication();

    // The concrete application's own initialisation; the render thread runs.
    virtual void UserInit() = 0;
    // Called by main after StopThreads.
    virtual void UserShutdown() = 0;
    // The first frames are rendered: start of playback.
    virtual void UserStart() = 0;
    // A progress or status text.
    virtual void ShowMessage(const std::string& message) = 0;
    virtual void CloseSplashScreen() = 0;
    // Last step of StopThreads.
    virtual void OnThreadsStopped() = 0;
    // Renderer errors; called on the thread the renderer reports from (the
    // render thread), after rendering was halted.
    virtual void OnRendererHalted(const std::list<std::string>& messages) = 0;
    virtual void OnRendererHalted(const std::string& message) = 0;
    // The context the render thread draws into.
    virtual IRenderContext* GetRenderContext() = 0;
    // Builds the run-time objects: thread states, context, thread bodies.
    virtual void Init();

    // Main thread, before StartApplication.
    void setRenderer(const Handle<hlv_gfx::IRenderer>& renderer);
    void setGfxSystem(const Handle<hlv_gfx::IGfxSystem>& system);
    // Without a timer, an owned performance-counter timer is installed. An
    // owned timer that is replaced is deleted. Main thread, before
    // StartApplication.
    void setTimer(hlv_core::ITimer* timer = nullptr, bool owned = false);

    Handle<hlv_gfx::IGfxSystem> getGfxSystem() const { return m_gfxSystem; }
    Handle<hlv_gfx::IRenderer> getRenderer() const { return m_renderer; }
    Handle<hlv_gfx::MTGfxSystem> getMTGfxSystem() const { return m_mtGfxSystem; }
    Handle<hlv_gfx::MTRenderer> getMTRenderer() const { return m_mtRenderer; }
    // The context's scene graph; empty before Init.
    Handle<hlv_sg::CDefaultSceneGraph> getSceneGraph() const;
    hlv_core::ITimer* GetTimer() const { return m_timer; }
    // Null until Init.
    CApplicationContext* GetContext() const;
    bool IsValid() const { return m_valid; }

    void StartRenderThread();
    void StartUpdateThread();
    void StopThreads();
    // Update thread, once per frame.
    void CallFrameHandlers();

    // Appends a handler that the update thread calls once per frame (not
    // owned); returns its index.
    std::size_t AddFrameHandler(IFrameHandler* handler);
    // The entry at index is skipped from the next frame on.
    void RemoveFrameHandler(std::size_t index);

    // True once a stop was requested or the render thread could not start.
    bool IsStopRequested() const;
    // The render thread ended without rendering.
    bool RenderThreadFailed() const;
    // Rendering is halted after a renderer error.
    bool IsRenderingPaused() const;
    // Start-up: waits until the render thread has presented more than
    // `frame` frames; false when rendering was halted, the render thread
    // ended or stop was requested first.
    bool WaitForRenderedFrames(std::uint64_t frame);

protected:
    // StopThreads without OnThreadsStopped, for destructors of classes whose
    // threads use what they own. True for the call that stopped the threads
    // of a valid application.
    bool HaltThreads();

private:
    // Halts rendering for good (renderer error).
    void PauseRendering();

    std::mutex m_applicationMutex;  // the per-frame handlers
    std::vector<IFrameHandler*> m_frameHandlers;
    Handle<hlv_gfx::MTGfxSystem> m_mtGfxSystem;
    Handle<hlv_gfx::MTRenderer> m_mtRenderer;
    std::atomic<bool> m_valid{false};
    std::unique_ptr<update_thread_state> m_updateThreadState;
    std::unique_ptr<render_thread_state> m_renderThreadState;
    std::unique_ptr<update_thread> m_updateThread;
    std::unique_ptr<render_thread> m_renderThread;
    Handle<hlv_gfx::IRenderer> m_renderer;
    Handle<hlv_gfx::IGfxSystem> m_gfxSystem;
    boost::thread_group m_threads;
    hlv_core::ITimer* m_timer = nullptr;
    std::unique_ptr<hlv_core::ITimer> m_ownedTimer;
    // The listeners setRenderer registered; their handlers are detached when
    // the application goes, as the renderer may outlive it.
    std::vector<Handle<hlv_io::CHandlerListener>> m_errorListeners;

    // Thread start against stop: no thread starts once a stop was requested.
    mutable std::mutex m_lifecycleMutex;
    bool m_stopRequested = false;
    bool m_threadsStopped = false;
    // Serialises whole stop sequences.
    std::mutex m_stopMutex;
};

// The running application, set by main right after constructing it.
extern AHalvoApplication* g_application;

// Start-up of g_application: Init, render thread, UserInit, update thread,
// the first frames, UserStart, splash screen closed. Returns
//   APPR_OK                      running (or, for an invalid application,
//                                continuing without threads);
//   APPR_RENDER_THREAD_HALTED    running, but a renderer error halted
//                                rendering during start-up;
//   APPR_FAIL                    the render thread could not start: the
//                                caller stops the threads and ends the
//                                program with a non-zero status;
//   APPR_INVALID_OPERATION       a stop was requested during start-up: the
//                                caller stops the threads and ends normally.
std::uint32_t StartApplication();

}  // namespace hlv_app
