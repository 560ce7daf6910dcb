// What the update thread hands the scene graph each frame, and the objects
// Init builds for it.
#include <halvo_app/Application/QtBackwardsApplication.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <halvo_sg/controller.h>
#include <recording_gfx_system.h>
#include <recording_renderer.h>

#include <hlv_testing/watchdog.h>

#include "support/fake_application.h"

using namespace std::chrono_literals;
using hlv_app_test::CFakeApplication;
using hlv_testing::CWatchdog;

namespace {

// A timer that moves by a second per tick.
class CSteppingTimer : public hlv_core::ITimer {
public:
    void Start() override {}
    void Stop() override { stops.fetch_add(1); }
    std::uint64_t GetMilliseconds() override { return ticks * 1000; }
    double GetSeconds() override { return static_cast<double>(ticks); }
    void Tick() override { ++ticks; }

    std::uint64_t ticks = 0;  // update thread
    std::atomic<int> stops{0};
};

class CRecordingController : public hlv_sg::IController {
public:
    std::uint32_t Update(const hlv_sg::frame_time_record& time) override
    {
        std::lock_guard<std::mutex> lock(mutex);
        records.push_back(time);
        return 0;
    }
    bool AcceptsNode(hlv_sg::INode*) override { return true; }

    std::vector<hlv_sg::frame_time_record> Records()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return records;
    }

    std::mutex mutex;
    std::vector<hlv_sg::frame_time_record> records;
};

class CBackwardsApplication : public hlv_app::QtBackwardsApplication {
public:
    explicit CBackwardsApplication(bool withGfxSystem)
    {
        if (withGfxSystem) setGfxSystem(hlv_core::Adopt(new hlv_gfx_test::CRecordingGfxSystem()));
        setRenderer(hlv_core::Adopt(new hlv_gfx_test::CRecordingRenderer()));
    }
    void UserInit() override {}
    void UserShutdown() override {}
    void UserStart() override {}
    void ShowMessage(const std::string&) override {}
    void CloseSplashScreen() override {}
    void OnThreadsStopped() override {}
    void OnRendererHalted(const std::list<std::string>&) override {}
    void OnRendererHalted(const std::string&) override {}
    hlv_app::IRenderContext* GetRenderContext() override { return nullptr; }
};

}  // namespace

TEST(SceneUpdate, EveryFrameRunsTheSceneGraphOnTheTimersTime)
{
    CWatchdog guard(10s, "scene update");
    CSteppingTimer timer;
    CRecordingController controller;
    {
        CFakeApplication app;
        app.setTimer(&timer, false);
        app.Init();
        ASSERT_TRUE(app.getSceneGraph().IsValid());
        EXPECT_EQ(app.getSceneGraph()->GetName(), "The Scene Graph");
        app.getSceneGraph()->GetRoot()->AddController(&controller);

        hlv_app::g_application = &app;
        // StartApplication calls Init itself: start the threads by hand.
        app.StartRenderThread();
        app.StartUpdateThread();
        app.getMTGfxSystem()->Flush(0);
        app.getMTRenderer()->Flush(0);
        while (controller.Records().size() < 5) std::this_thread::sleep_for(1ms);
        app.StopThreads();
        app.getSceneGraph()->GetRoot()->RemoveController(0);
    }
    EXPECT_EQ(timer.stops.load(), 1);

    const auto records = controller.Records();
    ASSERT_GE(records.size(), 5u);
    for (std::size_t k = 0; k < records.size(); ++k) {
        EXPECT_EQ(records[k].frameNumber, k);
        EXPECT_EQ(records[k].milliseconds, (k + 1) * 1000);
        EXPECT_DOUBLE_EQ(records[k].seconds, static_cast<double>(k + 1));
        EXPECT_EQ(records[k].deltaMilliseconds, 1000);
        EXPECT_EQ(records[k].absDeltaMilliseconds, 1000u);
        EXPECT_FLOAT_EQ(records[k].deltaSeconds, 1.0f);
        EXPECT_EQ(records[k].backwards, 0u);
    }
}

TEST(SceneUpdate, TheBackwardsApplicationAddsTheShadeNodeSystem)
{
    CBackwardsApplication app(true);
    app.Init();
    ASSERT_NE(app.GetContext(), nullptr);
    const auto& system = app.GetContext()->shadeNodeSystem;
    ASSERT_TRUE(system.IsValid());
    EXPECT_EQ(system->GetName(), "The Shade Node System");
    EXPECT_EQ(system->GetGfxSystem().get(), app.getMTGfxSystem().get());
    EXPECT_EQ(system->GetShaderLibrary()->GetGfxSystem().get(), app.getMTGfxSystem().get());
    EXPECT_TRUE(app.GetContext()->imageSystem.IsValid());
    EXPECT_EQ(app.GetContext()->imageSystem->GetName(), "Default Free Image System");
}

TEST(SceneUpdate, TheBackwardsApplicationNeedsAGraphicsSystem)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            CBackwardsApplication app(false);
            app.Init();
        },
        "AHalvoApplication::getGfxSystem\\(\\).IsValid\\(\\)");
}
