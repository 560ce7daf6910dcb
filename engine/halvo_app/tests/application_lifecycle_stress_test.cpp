// Start and stop of the application in every state the threads can be in,
// many times over, on fakes (no graphics API). Each run must end within two
// seconds of its stop, and the update thread may never run more than one
// frame ahead of the render thread.
#include <halvo_app/Application/AHalvoApplication.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include <hlv_testing/slow_build.h>
#include <hlv_testing/watchdog.h>

#include "support/fake_application.h"

using namespace std::chrono_literals;
using hlv_app_test::CFakeApplication;
using hlv_testing::CWatchdog;
using hlv_testing::kThreadSanitizer;

namespace {

constexpr auto kStopLimit = 2s;
// Start-up itself is not bounded by the stop limit; it is given more room in
// instrumented builds.
constexpr auto kStartLimit = kThreadSanitizer ? 30s : 10s;

std::mt19937& Random()
{
    static std::mt19937 engine(20240611);
    return engine;
}

std::chrono::microseconds RandomDelay(int maxMicroseconds)
{
    return std::chrono::microseconds(std::uniform_int_distribution<int>(0, maxMicroseconds)(Random()));
}

template <class Condition>
bool Eventually(Condition condition)
{
    const auto end = std::chrono::steady_clock::now() + kStartLimit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(500us);
    }
    return true;
}

std::uint32_t Start(CFakeApplication& app)
{
    CWatchdog guard(kStartLimit, "start-up");
    hlv_app::g_application = &app;
    return hlv_app::StartApplication();
}

void StopWithinLimit(CFakeApplication& app, const std::string& what)
{
    CWatchdog guard(kStopLimit, what);
    app.StopThreads();
}

}  // namespace

TEST(LifecycleStress, StartAndStopCyclesWithRandomDelays)
{
    for (int cycle = 0; cycle < 200; ++cycle) {
        CFakeApplication app;
        app.renderer->initDelay = std::chrono::duration_cast<std::chrono::milliseconds>(RandomDelay(2000));
        ASSERT_EQ(Start(app), hlv_app::APPR_OK) << "cycle " << cycle;
        std::this_thread::sleep_for(RandomDelay(3000));
        StopWithinLimit(app, "stop of cycle " + std::to_string(cycle));
        ASSERT_EQ(app.threadsStoppedCalls.load(), 1);
        ASSERT_LE(app.maxLead.load(), 1u) << "cycle " << cycle;
        ASSERT_EQ(app.context.wrongThreadCalls.load(), 0u);
        ASSERT_EQ(app.context.tornFrames.load(), 0u) << "cycle " << cycle;
        ASSERT_FALSE(app.context.IsCurrent());
    }
}

TEST(LifecycleStress, StopWhileTheRenderThreadStaysInTheCreationQueue)
{
    for (int run = 0; run < 30; ++run) {
        CFakeApplication app;
        hlv_core::CResourceHandle<hlv_gfx::CTexture> texture = hlv_core::Adopt(new hlv_gfx::CTexture("texture"));
        app.userInit = [&] {
            // The render thread now serves every creation flush as it comes
            // and waits for the next one.
            app.getMTGfxSystem()->Flush(1);
            app.getMTGfxSystem()->CreateTexture(texture);
            app.getMTGfxSystem()->Flush(1);
            app.getMTGfxSystem()->WaitUntilDrained();
            std::thread stopper([&] {
                std::this_thread::sleep_for(RandomDelay(2000));
                StopWithinLimit(app, "stop in the creation queue");
            });
            stopper.join();
        };
        EXPECT_EQ(Start(app), hlv_app::APPR_INVALID_OPERATION);
        EXPECT_FALSE(app.log.Contains("UserStart"));
        EXPECT_EQ(app.threadsStoppedCalls.load(), 1);
    }
}

TEST(LifecycleStress, StopWhileTheRenderThreadWaitsForTheFramesFlush)
{
    for (int run = 0; run < 20; ++run) {
        CFakeApplication app;
        // The update thread takes long over each frame: the render thread is
        // done with the previous one and waits for the next flush.
        app.frameTime = 100ms;
        ASSERT_EQ(Start(app), hlv_app::APPR_OK);
        ASSERT_TRUE(Eventually([&] { return app.framesBuilt.load() >= 2; }));
        std::this_thread::sleep_for(10ms + RandomDelay(20000));
        StopWithinLimit(app, "stop while waiting for a flush");
        EXPECT_LE(app.maxLead.load(), 1u);
    }
}

TEST(LifecycleStress, StopWhileRenderingIsPaused)
{
    for (int run = 0; run < 10; ++run) {
        CFakeApplication app;
        app.renderer->errorAtFrame = 3 + run % 3;
        ASSERT_EQ(Start(app), hlv_app::APPR_OK);
        ASSERT_TRUE(Eventually([&] { return app.IsRenderingPaused(); }));
        // Into the paused loop's sleep, at a random point of it.
        std::this_thread::sleep_for(RandomDelay(250000));
        const std::uint64_t executed = app.renderer->framesExecuted.load();
        StopWithinLimit(app, "stop while paused");
        EXPECT_EQ(app.renderer->framesExecuted.load(), executed);
        EXPECT_LE(app.maxLead.load(), 1u);
        EXPECT_EQ(app.threadsStoppedCalls.load(), 1);
    }
}

TEST(LifecycleStress, StopDuringStartUp)
{
    for (int run = 0; run < 60; ++run) {
        CFakeApplication app;
        app.renderer->initDelay = std::chrono::duration_cast<std::chrono::milliseconds>(RandomDelay(10000));
        const auto stopAfter = RandomDelay(15000);
        std::thread stopper([&] {
            std::this_thread::sleep_for(stopAfter);
            StopWithinLimit(app, "stop during start-up");
        });
        const std::uint32_t result = Start(app);
        stopper.join();
        EXPECT_TRUE(result == hlv_app::APPR_OK || result == hlv_app::APPR_INVALID_OPERATION) << result;
        EXPECT_LE(app.threadsStoppedCalls.load(), 1);
        EXPECT_FALSE(app.context.IsCurrent());
        EXPECT_LE(app.maxLead.load(), 1u);
    }
}

TEST(LifecycleStress, RendererErrorInTheFirstFrames)
{
    for (int run = 0; run < 40; ++run) {
        CFakeApplication app;
        // 0: in a start-up frame; else in one of the update thread's first
        // frames, which may come before or after the start-up wait ends.
        const int frame = run % 4;
        if (frame == 0)
            app.FailDuringStartUp();
        else
            app.renderer->errorAtFrame = frame - 1;
        const std::uint32_t result = Start(app);
        if (frame == 0) {
            // The start-up frames are never all presented.
            EXPECT_EQ(result, hlv_app::APPR_RENDER_THREAD_HALTED);
        } else {
            EXPECT_TRUE(result == hlv_app::APPR_OK || result == hlv_app::APPR_RENDER_THREAD_HALTED) << result;
        }
        ASSERT_TRUE(Eventually([&] { return app.IsRenderingPaused(); }));
        std::this_thread::sleep_for(RandomDelay(5000));
        StopWithinLimit(app, "stop after an error in the first frames");
        EXPECT_TRUE(app.log.Contains("halted: scripted renderer error"));
        EXPECT_LE(app.maxLead.load(), 1u);
    }
}

TEST(LifecycleStress, ARendererThatFailsToStart)
{
    for (int run = 0; run < 30; ++run) {
        CFakeApplication app;
        app.renderer->initResult = 1;
        app.renderer->initDelay = std::chrono::duration_cast<std::chrono::milliseconds>(RandomDelay(5000));
        app.userInit = [&] {
            app.getMTGfxSystem()->Flush(1);
            app.getMTGfxSystem()->WaitUntilDrained();
        };
        testing::internal::CaptureStdout();
        const std::uint32_t result = Start(app);
        StopWithinLimit(app, "stop after a failed start");
        const std::string output = testing::internal::GetCapturedStdout();
        EXPECT_EQ(result, hlv_app::APPR_FAIL);
        EXPECT_EQ(output, " render_thread::operator()render thread can not start, renderer init failed.\n");
        EXPECT_EQ(app.framesBuilt.load(), 0u);
    }
}
