#include <halvo_app/Application/render_thread.h>

#include <chrono>
#include <iostream>

#include <pthread.h>

namespace hlv_app {

namespace {
// How long a paused render thread waits between two showings of the clear
// colour.
constexpr std::chrono::milliseconds kPausedFrameTime{200};
}  // namespace

void render_thread::FailStart(const char* message)
{
    std::cout << message << std::endl;
    // Marked first: whoever is released by what follows sees why.
    m_state->MarkStartFailed();
    m_updateState->RequestStop();
    m_state->RequestStop();
    m_state->gfxSystem->Shutdown();
    m_state->renderer->Shutdown();
}

void render_thread::operator()()
{
    // Named for profilers and thread listings.
    pthread_setname_np(pthread_self(), "hlv-render");
    if (!m_context) {
        FailStart("render_thread::operator(): render thread can not start, no render context.");
        return;
    }
    if (m_context->MakeCurrent() != 0) {
        FailStart("render_thread::operator(): render thread can not start, no render context.");
        return;
    }
    const hlv_core::CResourceHandle<hlv_gfx::IRenderer> renderer = m_state->renderer->GetRenderer();
    if (!renderer) {
        m_context->DoneCurrent();
        FailStart("render_thread::operator() render thread can not start, no renderer.");
        return;
    }
    if (renderer->InitAPISpecific() != 0) {
        m_context->DoneCurrent();
        FailStart(" render_thread::operator()render thread can not start, renderer init failed.");
        return;
    }

    RenderLoop();

    // An update thread waiting for a frame wakes and sees its stop flag.
    m_state->renderer->SignalFrameDone();
    renderer->ReleaseAPISpecific();
    m_context->DoneCurrent();
    m_state->MarkFinished();
}

void render_thread::RenderLoop()
{
    hlv_gfx::MTGfxSystem& gfxSystem = *m_state->gfxSystem;
    hlv_gfx::MTRenderer& renderer = *m_state->renderer;
    while (!m_state->stop.load()) {
        gfxSystem.ProcessCommands();
        if (m_state->pause.load()) {
            // The frame counter stands still: the update thread stays blocked.
            m_state->SleepUnlessStopped(kPausedFrameTime);
            if (m_state->stop.load()) break;
            m_context->Clear();
            m_context->SwapBuffers();
        } else {
            renderer.ProcessCommands();
            m_context->SwapBuffers();
            renderer.SignalFrameDone();
            m_state->AnnounceFrame();
        }
    }
}

}  // namespace hlv_app
