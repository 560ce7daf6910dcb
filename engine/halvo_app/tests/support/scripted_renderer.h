#pragma once
// A renderer for application tests: its start can be slowed down or made to
// fail, it counts the frames the update thread posts (each starts with a
// Clear whose mask is the frame number and ends with a SetClearColor) and it
// can report an error while executing a chosen frame, the way a real renderer
// reports a failed call.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

#include <recording_renderer.h>

#include "event_log.h"
#include "fake_render_context.h"

namespace hlv_app_test {

class CScriptedRenderer : public hlv_gfx_test::CRecordingRenderer {
public:
    CScriptedRenderer(CEventLog& log, CFakeRenderContext& context)
        : CRecordingRenderer("scripted renderer"), m_log(log), m_context(context)
    {
    }

    std::uint32_t InitAPISpecific() override
    {
        m_log.Add("InitAPISpecific");
        if (!m_context.IsCurrentHere()) m_log.Add("InitAPISpecific without context");
        std::this_thread::sleep_for(initDelay);
        return initResult;
    }
    std::uint32_t ReleaseAPISpecific() override
    {
        m_log.Add("ReleaseAPISpecific");
        if (!m_context.IsCurrentHere()) m_log.Add("ReleaseAPISpecific without context");
        return 0;
    }
    // The frame marker of the update thread.
    std::uint32_t Clear(std::uint32_t frame) override
    {
        if (static_cast<std::int64_t>(frame) == errorAtFrame.load()) {
            BroadcastMessage("scripted renderer error");
        }
        frameOpen = true;
        framesExecuted.fetch_add(1);
        return 0;
    }
    // The end marker of an update frame.
    std::uint32_t SetClearColor(float, float, float, float) override
    {
        frameOpen = false;
        return 0;
    }

    // Set before the render thread starts.
    std::uint32_t initResult = 0;
    std::chrono::milliseconds initDelay{0};
    // The frame whose marker reports an error; -1 for none.
    std::atomic<std::int64_t> errorAtFrame{-1};
    std::atomic<std::uint64_t> framesExecuted{0};
    std::atomic<bool> frameOpen{false};

private:
    CEventLog& m_log;
    CFakeRenderContext& m_context;
};

}  // namespace hlv_app_test
