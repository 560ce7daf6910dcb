#include <halvo_app/Application/update_thread.h>

#include <cstdint>

#include <pthread.h>

#include <halvo_app/Application/AHalvoApplication.h>
#include <halvo_app/Application/CFrameTimeBuilder.h>

namespace hlv_app {

void update_thread::operator()()
{
    // Named for profilers and thread listings.
    pthread_setname_np(pthread_self(), "hlv-update");
    CApplicationContext& context = *m_state->context;
    AHalvoApplication& application = *context.GetApplication();
    hlv_core::ITimer& timer = *application.GetTimer();
    hlv_gfx::MTRenderer& renderer = *context.renderer;
    // Set by Init, before the thread starts.
    const hlv_core::CResourceHandle<hlv_sg::CDefaultSceneGraph> sceneGraph = context.sceneGraph;

    CFrameTimeBuilder frameTime;
    std::uint64_t lastFrameSeen = 0;
    while (!m_state->stop.load()) {
        // At most one frame ahead of the render thread.
        lastFrameSeen = renderer.WaitForFrame(lastFrameSeen);
        if (m_state->stop.load()) break;

        timer.Tick();
        const double seconds = timer.GetSeconds();
        const std::uint64_t milliseconds = timer.GetMilliseconds();
        const hlv_sg::frame_time_record& record = frameTime.Next(seconds, milliseconds);

        application.CallFrameHandlers();
        if (sceneGraph) sceneGraph->Update(&record);

        renderer.FlushSecondQueue();
        renderer.Flush(0);
    }
    timer.Stop();
    m_state->MarkFinished();
}

}  // namespace hlv_app
