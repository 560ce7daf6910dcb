#include <halvo_app/Application/render_thread_state.h>
#include <halvo_app/Application/update_thread_state.h>

#include <utility>

namespace hlv_app {

render_thread_state::render_thread_state(hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem> gfx,
                                         hlv_core::CResourceHandle<hlv_gfx::MTRenderer> render)
    : gfxSystem(std::move(gfx)), renderer(std::move(render))
{
}

void render_thread_state::Announce()
{
    // Taking the mutex orders the change before any waiter's next test.
    {
        std::lock_guard<std::mutex> lock(m_mutex);
    }
    m_changed.notify_all();
}

void render_thread_state::RequestStop()
{
    stop.store(true);
    Announce();
}

void render_thread_state::Pause()
{
    pause.store(true);
    // Producers waiting for render commands to come back give up.
    if (renderer) renderer->SetPaused(true);
    Announce();
}

void render_thread_state::AnnounceFrame() { Announce(); }

void render_thread_state::MarkFinished()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_all();
}

void render_thread_state::MarkStartFailed()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_startFailed = true;
    }
    m_changed.notify_all();
}

bool render_thread_state::IsFinished() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_finished;
}

bool render_thread_state::StartFailed() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_startFailed;
}

void render_thread_state::SleepUnlessStopped(std::chrono::milliseconds duration)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait_for(lock, duration, [this] { return stop.load(); });
}

bool render_thread_state::WaitForFrameOrHalt(std::uint64_t frame)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    bool reached = false;
    m_changed.wait(lock, [&] {
        reached = renderer->GetFrameCount() > frame;
        return reached || pause.load() || stop.load() || m_finished || m_startFailed;
    });
    return reached;
}

update_thread_state::update_thread_state(std::unique_ptr<CApplicationContext> applicationContext)
    : context(std::move(applicationContext))
{
}

void update_thread_state::MarkFinished()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_finished = true;
}

bool update_thread_state::IsFinished() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_finished;
}

}  // namespace hlv_app
