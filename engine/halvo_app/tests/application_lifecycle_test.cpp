// Start-up, threads and stop of the application on fakes (no graphics API).
#include <halvo_app/Application/AHalvoApplication.h>
#include <halvo_app/Application/RunApplication.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>

#include "support/fake_application.h"

using namespace std::chrono_literals;
using hlv_app_test::CFakeApplication;
using hlv_app_test::FAKE_PARTS;
using hlv_testing::CWatchdog;

namespace {

// Polls a condition for up to five seconds.
template <class Condition>
bool Eventually(Condition condition)
{
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

std::uint32_t Start(CFakeApplication& app)
{
    hlv_app::g_application = &app;
    return hlv_app::StartApplication();
}

class CountingHandler : public hlv_app::IFrameHandler {
public:
    void OnFrame() override { ++calls; }
    int calls = 0;
};

}  // namespace

TEST(ApplicationStart, RunsTheStepsInOrderAndRendersFrames)
{
    CWatchdog guard(10s, "start and stop");
    CFakeApplication app;
    hlv_core::CResourceHandle<hlv_gfx::CTexture> texture =
        hlv_core::Adopt(new hlv_gfx::CTexture("created in UserInit"));
    app.userInit = [&] { app.getMTGfxSystem()->CreateTexture(texture); };

    EXPECT_EQ(Start(app), hlv_app::APPR_OK);
    // The creation command of UserInit ran before start-up went on.
    bool created = false;
    for (const auto& call : app.gfxSystem->Calls()) created |= call.rfind("CreateTexture", 0) == 0;
    EXPECT_TRUE(created);
    ASSERT_TRUE(Eventually([&] { return app.renderer->framesExecuted.load() >= 20; }));
    app.StopThreads();

    const auto& log = app.log;
    EXPECT_LT(log.IndexOf("message: Application starts"), log.IndexOf("message: Start Render Thread"));
    EXPECT_LT(log.IndexOf("message: Start Render Thread"), log.IndexOf("message: Render Thread Started"));
    EXPECT_LT(log.IndexOf("message: Render Thread Started"), log.IndexOf("UserInit"));
    EXPECT_LT(log.IndexOf("UserInit"), log.IndexOf("UserStart"));
    EXPECT_LT(log.IndexOf("UserStart"), log.IndexOf("CloseSplashScreen"));
    EXPECT_EQ(app.threadsStoppedCalls.load(), 1);
    EXPECT_LE(app.maxLead.load(), 1u);
    EXPECT_EQ(app.context.wrongThreadCalls.load(), 0u);
}

// The render thread may present the first start-up frame before the second
// is handed over; a start-up frame end handed over while the update thread
// records would present half its frame. Seen mostly on a loaded machine.
TEST(ApplicationStart, StartUpFramesNeverCutAnUpdateFrameInTwo)
{
    CWatchdog guard(30s, "start-up frames");
    for (int run = 0; run < 20; ++run) {
        CFakeApplication app;
        app.frameTime = 1ms;
        ASSERT_EQ(Start(app), hlv_app::APPR_OK);
        ASSERT_TRUE(Eventually([&] { return app.framesBuilt.load() >= 4; }));
        app.StopThreads();
        EXPECT_EQ(app.context.tornFrames.load(), 0u) << "run " << run;
    }
}

TEST(ApplicationStart, TheRenderThreadLetsGoOfItsObjectsAndContextBeforeTheStopReturns)
{
    CWatchdog guard(10s, "release order");
    CFakeApplication app;
    ASSERT_EQ(Start(app), hlv_app::APPR_OK);
    app.StopThreads();

    const auto& log = app.log;
    EXPECT_FALSE(log.Contains("InitAPISpecific without context"));
    EXPECT_FALSE(log.Contains("ReleaseAPISpecific without context"));
    ASSERT_GE(log.IndexOf("ReleaseAPISpecific"), 0);
    EXPECT_LT(log.IndexOf("MakeCurrent"), log.IndexOf("InitAPISpecific"));
    EXPECT_LT(log.IndexOf("ReleaseAPISpecific"), log.IndexOf("DoneCurrent"));
    EXPECT_LT(log.IndexOf("DoneCurrent"), log.IndexOf("OnThreadsStopped"));
    EXPECT_FALSE(app.context.IsCurrent());
}

TEST(ApplicationStart, AnApplicationWithoutRendererAndGfxSystemRunsNoThreads)
{
    CWatchdog guard(10s, "invalid application");
    CFakeApplication app(FAKE_PARTS{false, false, true});
    testing::internal::CaptureStderr();
    EXPECT_EQ(Start(app), hlv_app::APPR_OK);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("AHalvoApplication::Init: No renderer specified. Check the concrete application object\n"),
              std::string::npos);
    EXPECT_NE(errors.find("AHalvoApplication::Init: No gfx system specified. Check the concrete application object\n"),
              std::string::npos);
    EXPECT_FALSE(app.IsValid());

    const auto& log = app.log;
    EXPECT_TRUE(
        log.Contains("message: Dont start render thread. Application is in invalid state. No rendering possible."));
    EXPECT_TRUE(
        log.Contains("message: Dont start update thread. Application is in invalid state. No update possible."));
    EXPECT_FALSE(log.Contains("message: Start Render Thread"));
    EXPECT_TRUE(log.Contains("UserInit"));
    EXPECT_TRUE(log.Contains("UserStart"));
    EXPECT_TRUE(log.Contains("CloseSplashScreen"));
    EXPECT_FALSE(log.Contains("MakeCurrent"));

    // Nothing will execute queued commands, so no wait for them blocks.
    hlv_core::CResourceHandle<hlv_gfx::CTexture> texture = hlv_core::Adopt(new hlv_gfx::CTexture("never created"));
    app.getMTGfxSystem()->CreateTexture(texture);
    app.getMTGfxSystem()->Flush(2);
    EXPECT_FALSE(app.getMTGfxSystem()->WaitUntilDrained());

    app.StopThreads();
    EXPECT_EQ(app.threadsStoppedCalls.load(), 0);
}

TEST(ApplicationStart, AMissingRendererAloneMakesTheApplicationInvalid)
{
    CFakeApplication app(FAKE_PARTS{false, true, true});
    testing::internal::CaptureStderr();
    app.Init();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("No renderer specified"), std::string::npos);
    EXPECT_EQ(errors.find("No gfx system specified"), std::string::npos);
    EXPECT_FALSE(app.IsValid());
}

struct StartFailure {
    FAKE_PARTS parts;
    bool frontEndWithoutRenderer;
    std::uint32_t makeCurrentResult;
    std::uint32_t initResult;
    const char* output;
};

class RenderThreadStartFailure : public testing::TestWithParam<StartFailure> {};

TEST_P(RenderThreadStartFailure, PrintsWhyAndEndsStartUpWithAFailure)
{
    CWatchdog guard(10s, "failed render thread start");
    const StartFailure& failure = GetParam();
    CFakeApplication app(failure.parts);
    app.context.makeCurrentResult = failure.makeCurrentResult;
    app.renderer->initResult = failure.initResult;
    // A valid application whose render front end has no renderer to run on.
    if (failure.frontEndWithoutRenderer) app.getMTRenderer()->SetRenderer({});
    // The render thread never serves the creation queue that UserInit holds.
    app.userInit = [&] { app.getMTGfxSystem()->Flush(1); };

    testing::internal::CaptureStdout();
    EXPECT_EQ(Start(app), hlv_app::APPR_FAIL);
    app.StopThreads();
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output, std::string(failure.output) + "\n");
    EXPECT_FALSE(app.log.Contains("UserStart"));
    EXPECT_TRUE(app.RenderThreadFailed());
    EXPECT_FALSE(app.context.IsCurrent());
    EXPECT_FALSE(app.log.Contains("ReleaseAPISpecific"));
}

INSTANTIATE_TEST_SUITE_P(
    EachReason, RenderThreadStartFailure,
    testing::Values(
        StartFailure{{true, true, false},
                     false,
                     0,
                     0,
                     "render_thread::operator(): render thread can not start, no render context."},
        StartFailure{{true, true, true},
                     false,
                     1,
                     0,
                     "render_thread::operator(): render thread can not start, no render context."},
        StartFailure{
            {true, true, true}, true, 0, 0, "render_thread::operator() render thread can not start, no renderer."},
        StartFailure{{true, true, true},
                     false,
                     0,
                     7,
                     " render_thread::operator()render thread can not start, renderer init failed."}));

TEST(ApplicationRun, ARenderThreadThatCannotStartEndsTheRunWithStatusOne)
{
    CWatchdog guard(10s, "failed run");
    CFakeApplication app;
    app.renderer->initResult = 1;
    bool loopRan = false;
    testing::internal::CaptureStdout();
    const int status = hlv_app::RunApplication(app, [&] {
        loopRan = true;
        return 0;
    });
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(loopRan);
}

TEST(ApplicationRun, RunsTheEventLoopBetweenStartAndStop)
{
    CWatchdog guard(10s, "run");
    CFakeApplication app;
    const int status = hlv_app::RunApplication(app, [&] {
        app.log.Add("event loop");
        return Eventually([&] { return app.framesBuilt.load() >= 5; }) ? 0 : 9;
    });
    EXPECT_EQ(status, 0);
    EXPECT_LT(app.log.IndexOf("CloseSplashScreen"), app.log.IndexOf("event loop"));
    EXPECT_LT(app.log.IndexOf("event loop"), app.log.IndexOf("OnThreadsStopped"));
    EXPECT_LT(app.log.IndexOf("OnThreadsStopped"), app.log.IndexOf("UserShutdown"));
}

TEST(ApplicationRun, AStopDuringStartUpSkipsTheEventLoopAndEndsNormally)
{
    CWatchdog guard(10s, "stop during start-up");
    CFakeApplication app;
    bool loopRan = false;
    app.userInit = [&] { app.StopThreads(); };
    const int status = hlv_app::RunApplication(app, [&] {
        loopRan = true;
        return 5;
    });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(loopRan);
    EXPECT_FALSE(app.log.Contains("UserStart"));
    EXPECT_TRUE(app.log.Contains("UserShutdown"));
    EXPECT_EQ(app.threadsStoppedCalls.load(), 1);
}

TEST(ApplicationStop, ASecondStopChangesNothing)
{
    CWatchdog guard(10s, "second stop");
    CFakeApplication app;
    ASSERT_EQ(Start(app), hlv_app::APPR_OK);
    app.StopThreads();
    app.StopThreads();
    EXPECT_EQ(app.threadsStoppedCalls.load(), 1);
}

TEST(ApplicationStop, AStopFromTheUpdateThreadEndsBothLoopsAndALaterStopJoins)
{
    CWatchdog guard(10s, "stop from the update thread");
    CFakeApplication app;
    // Armed once start-up is over: a stop during start-up is another case.
    struct StopOnFrame : hlv_app::IFrameHandler {
        CFakeApplication* app;
        std::atomic<bool> armed{false};
        std::atomic<int> frames{0};
        void OnFrame() override
        {
            if (armed && ++frames == 5) app->StopThreads();
        }
    } handler;
    handler.app = &app;
    app.AddFrameHandler(&handler);
    ASSERT_EQ(Start(app), hlv_app::APPR_OK);
    handler.armed = true;
    ASSERT_TRUE(Eventually([&] { return app.IsStopRequested(); }));
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(handler.frames.load(), 5);
    EXPECT_EQ(app.threadsStoppedCalls.load(), 0);
    app.StopThreads();
    EXPECT_EQ(app.threadsStoppedCalls.load(), 1);
}

TEST(ApplicationStop, DestroyingARunningApplicationStopsItsThreads)
{
    CWatchdog guard(10s, "destruction");
    auto app = std::make_unique<CFakeApplication>();
    ASSERT_EQ(Start(*app), hlv_app::APPR_OK);
    ASSERT_TRUE(Eventually([&] { return app->framesBuilt.load() >= 3; }));
    app.reset();
}

TEST(RendererErrors, HaltRenderingForGoodAndReachTheApplication)
{
    CWatchdog guard(10s, "renderer error");
    CFakeApplication app;
    app.renderer->errorAtFrame = 5;
    ASSERT_EQ(Start(app), hlv_app::APPR_OK);
    ASSERT_TRUE(Eventually([&] { return app.IsRenderingPaused(); }));
    EXPECT_TRUE(app.log.Contains("halted: scripted renderer error"));
    // Producers waiting for render commands to come back are told.
    EXPECT_TRUE(app.getMTRenderer()->IsPaused());
    EXPECT_FALSE(app.getMTRenderer()->WaitUntilDrainedFor(10s));

    // The paused render thread shows the clear colour about every 200 ms and
    // presents no more frames; the update thread stays blocked.
    ASSERT_TRUE(Eventually([&] { return app.context.clears.load() >= 2; }));
    const std::uint64_t built = app.framesBuilt.load();
    const std::uint64_t executed = app.renderer->framesExecuted.load();
    std::this_thread::sleep_for(450ms);
    EXPECT_EQ(app.framesBuilt.load(), built);
    EXPECT_EQ(app.renderer->framesExecuted.load(), executed);
    EXPECT_GE(app.context.clears.load(), 3u);

    const auto stopBegins = std::chrono::steady_clock::now();
    app.StopThreads();
    // No full paused sleep is waited out.
    EXPECT_LT(std::chrono::steady_clock::now() - stopBegins, 2s);
    EXPECT_EQ(app.threadsStoppedCalls.load(), 1);
}

TEST(RendererErrors, AnErrorInTheStartUpFramesEndsTheStartUpWait)
{
    CWatchdog guard(10s, "error in the start-up frames");
    CFakeApplication app;
    app.FailDuringStartUp();
    EXPECT_EQ(Start(app), hlv_app::APPR_RENDER_THREAD_HALTED);
    EXPECT_TRUE(app.log.Contains("UserStart"));
    EXPECT_TRUE(app.log.Contains("CloseSplashScreen"));
    app.StopThreads();
}

TEST(RendererErrors, EverySetRendererRegistersOneMoreListener)
{
    CFakeApplication app;
    const std::size_t before = app.renderer->GetMessageListeners().size();
    app.setRenderer(app.renderer);
    ASSERT_EQ(app.renderer->GetMessageListeners().size(), before + 1);
    EXPECT_EQ(app.renderer->GetMessageListeners().back()->GetName(), "Application's handler listener");

    app.renderer->BroadcastMessage("twice");
    std::size_t reports = 0;
    for (const auto& event : app.log.Events()) reports += event == "halted: twice";
    EXPECT_EQ(reports, before + 1);
}

TEST(RendererErrors, AListOfMessagesIsPassedWhole)
{
    CFakeApplication app;
    app.Init();
    app.renderer->GetMessageListeners().back()->OnMessages({"first", "second"});
    EXPECT_TRUE(app.IsRenderingPaused());
    EXPECT_LT(app.log.IndexOf("halted: first"), app.log.IndexOf("halted: second"));
}

TEST(FrameHandlers, RunInOrderAndRemovedOnesAreSkipped)
{
    CFakeApplication app;
    CountingHandler first;
    CountingHandler second;
    const std::size_t firstIndex = app.AddFrameHandler(&first);
    app.AddFrameHandler(&second);
    app.CallFrameHandlers();
    app.RemoveFrameHandler(firstIndex);
    app.RemoveFrameHandler(1000);
    app.CallFrameHandlers();
    EXPECT_EQ(first.calls, 1);
    EXPECT_EQ(second.calls, 2);
}

TEST(ApplicationContext, RequiresAnApplication)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(hlv_app::CApplicationContext context(nullptr), "Application pointer not valid.");
}

TEST(ApplicationContext, HoldsTheFrontEndsAfterInit)
{
    CFakeApplication app;
    EXPECT_EQ(app.GetContext(), nullptr);
    app.Init();
    ASSERT_NE(app.GetContext(), nullptr);
    EXPECT_EQ(app.GetContext()->GetApplication(), &app);
    EXPECT_EQ(app.GetContext()->renderer.get(), app.getMTRenderer().get());
    EXPECT_EQ(app.GetContext()->gfxSystem.get(), app.getMTGfxSystem().get());
    EXPECT_EQ(app.getMTRenderer()->GetName(), "The Multi Threaded Renderer");
    EXPECT_EQ(app.getMTGfxSystem()->GetName(), "The Multi Threaded Gfx System");
}
