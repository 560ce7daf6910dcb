#include <halvo_app/Application/AHalvoApplication.h>

#include <halvo_core/fatal.h>

namespace hlv_app {

namespace {
// The render thread has presented more than this many frames when start-up
// hands over to the concrete application.
constexpr std::uint64_t kStartFrames = 2;
}  // namespace

std::uint32_t StartApplication()
{
    HLV_FATAL_CHECK(g_application != nullptr, "StartApplication: no application object (g_application).");
    AHalvoApplication& application = *g_application;

    application.ShowMessage("Application starts");
    application.Init();
    application.StartRenderThread();
    // Creation commands queued here are executed by the running render thread.
    application.UserInit();

    const bool valid = application.IsValid();
    if (valid) {
        hlv_gfx::MTGfxSystem& gfxSystem = *application.getMTGfxSystem();
        hlv_gfx::MTRenderer& renderer = *application.getMTRenderer();
        // Every creation command queued so far has run; the creation queue
        // no longer holds the render thread.
        gfxSystem.Flush(0);
        gfxSystem.WaitUntilDrained();
        // Two empty frames let the update thread start its lockstep.
        for (std::uint64_t frame = 0; frame < kStartFrames; ++frame) {
            renderer.FlushSecondQueue();
            renderer.Flush(0);
        }
    }
    // Started once both start-up frames are handed over: the render thread
    // may present the first before the second is handed over, and a frame
    // end handed over while the update thread records would cut its frame
    // in two.
    application.StartUpdateThread();

    std::uint32_t result = APPR_OK;
    if (valid) {
        // Ends early when rendering halts, the render thread ends, or a stop
        // is requested: then nothing would ever present the frames.
        const bool framesShown = application.WaitForRenderedFrames(kStartFrames);

        if (application.RenderThreadFailed()) return APPR_FAIL;
        if (application.IsStopRequested()) return APPR_INVALID_OPERATION;
        if (!framesShown) result = APPR_RENDER_THREAD_HALTED;
    } else if (application.IsStopRequested()) {
        return APPR_INVALID_OPERATION;
    }

    application.UserStart();
    application.CloseSplashScreen();
    return result;
}

}  // namespace hlv_app
