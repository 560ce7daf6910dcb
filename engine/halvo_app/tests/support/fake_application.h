#pragma once
// An application on fakes (no graphics API): a recording graphics system, a
// scripted renderer and a fake render context. Its hooks write to one event
// log; its per-frame handler posts one marker per frame and measures how far
// the update thread runs ahead of the render thread.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <thread>

#include <halvo_app/Application/AHalvoApplication.h>
#include <halvo_core/handle.h>
#include <recording_gfx_system.h>

#include "event_log.h"
#include "fake_render_context.h"
#include "scripted_renderer.h"

namespace hlv_app_test {

struct FAKE_PARTS {
    bool renderer = true;
    bool gfxSystem = true;
    bool renderContext = true;
};

class CFakeApplication : public hlv_app::AHalvoApplication, private hlv_app::IFrameHandler {
public:
    explicit CFakeApplication(FAKE_PARTS parts = {})
        : renderer(hlv_core::Adopt(new CScriptedRenderer(log, context))),
          gfxSystem(hlv_core::Adopt(new hlv_gfx_test::CRecordingGfxSystem())),
          m_parts(parts)
    {
        if (parts.gfxSystem) setGfxSystem(Handle<hlv_gfx::IGfxSystem>(gfxSystem));
        if (parts.renderer) setRenderer(Handle<hlv_gfx::IRenderer>(renderer));
        context.openFrame = &renderer->frameOpen;
        AddFrameHandler(this);
    }
    // The threads call into this object: they go before it does.
    ~CFakeApplication() override { StopThreads(); }

    // Makes the renderer fail while it executes the first start-up frame:
    // UserInit queues the failing call before start-up hands its frames over.
    void FailDuringStartUp()
    {
        constexpr std::uint32_t kStartUpMarker = 1u << 30;
        renderer->errorAtFrame = kStartUpMarker;
        userInit = [this] { getMTRenderer()->Clear(kStartUpMarker); };
    }

    void UserInit() override
    {
        log.Add("UserInit");
        if (userInit) userInit();
    }
    void UserShutdown() override { log.Add("UserShutdown"); }
    void UserStart() override { log.Add("UserStart"); }
    void ShowMessage(const std::string& message) override { log.Add("message: " + message); }
    void CloseSplashScreen() override { log.Add("CloseSplashScreen"); }
    void OnThreadsStopped() override
    {
        threadsStoppedCalls.fetch_add(1);
        log.Add("OnThreadsStopped");
    }
    void OnRendererHalted(const std::list<std::string>& messages) override
    {
        for (const auto& message : messages) log.Add("halted: " + message);
    }
    void OnRendererHalted(const std::string& message) override { log.Add("halted: " + message); }
    hlv_app::IRenderContext* GetRenderContext() override { return m_parts.renderContext ? &context : nullptr; }

    CEventLog log;
    CFakeRenderContext context{log};
    Handle<CScriptedRenderer> renderer;
    Handle<hlv_gfx_test::CRecordingGfxSystem> gfxSystem;

    // Runs inside UserInit (main thread during start-up).
    std::function<void()> userInit;
    // How long each update-thread frame takes between its two markers.
    std::chrono::milliseconds frameTime{0};

    std::atomic<std::uint64_t> framesBuilt{0};
    // The largest number of posted frames the render thread had not executed
    // when the update thread began a frame.
    std::atomic<std::uint64_t> maxLead{0};
    std::atomic<int> threadsStoppedCalls{0};

private:
    void OnFrame() override
    {
        const std::uint64_t frame = framesBuilt.load();
        const std::uint64_t executed = renderer->framesExecuted.load();
        const std::uint64_t lead = frame > executed ? frame - executed : 0;
        std::uint64_t seen = maxLead.load();
        while (lead > seen && !maxLead.compare_exchange_weak(seen, lead)) {
        }
        getMTRenderer()->Clear(static_cast<std::uint32_t>(frame));
        framesBuilt.fetch_add(1);
        if (frameTime.count() > 0) std::this_thread::sleep_for(frameTime);
        getMTRenderer()->SetClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    }

    FAKE_PARTS m_parts;
};

}  // namespace hlv_app_test
