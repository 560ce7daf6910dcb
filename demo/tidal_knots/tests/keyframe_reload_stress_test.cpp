// The F5 reload of camera files against the update thread: one thread
// reloads the camera files over and over while another runs the per-frame
// slot update; no record is read after it was freed and the slots always
// hold a value of one of the files.
#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>
#include <unistd.h>

#include <halvo_app/Context/CManagedContext.h>
#include <hlv_testing/slow_build.h>
#include <hlv_testing/watchdog.h>
#include <tidal_knots/Controllers/CSlotUpdateController.h>
#include <tidal_knots/KeyframeAnimationStore.h>

#include "support/keyframe_xml.h"

using namespace dmo_nimra;

TEST(KeyframeReloadStress, ReloadsWhileTheUpdateThreadEvaluates)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("dmo_reload_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    // Two versions of each camera file: x is 1 in the first, 2 in the second.
    for (const char* name : {"Main Camera Position", "Main Camera Lookat"}) {
        for (int version = 1; version <= 2; ++version) {
            dmo_nimra_test::KeyframeFile file(name, "vec3");
            const std::string x = std::to_string(version);
            file.keys = {{0, x + ";0;0"}, {100000, x + ";1;1"}};
            file.Write(dir / (std::string(name) + std::to_string(version) + ".xml"));
        }
    }
    auto path = [&dir](const char* name, int version) {
        return (dir / (std::string(name) + std::to_string(version) + ".xml")).string();
    };

    hlv_app::CManagedContext context;
    auto& vectors = context.VariantSlots<pld_math::vector<float, 3>>();
    CKeyframeAnimationStore store;
    CSlotUpdateController controller(&context);
    for (const char* name : {"Main Camera Position", "Main Camera Lookat"}) {
        ASSERT_TRUE(store.Load(path(name, 1), nullptr));
        // Two bindings to one record: both must follow a reload.
        const std::size_t slot = vectors.AddSlot(name, {});
        controller.AddVec3Binding(store.FindVector(name), slot);
        controller.AddVec3Binding(store.FindVector(name), vectors.AddSlot(std::string(name) + " copy", {}));
    }

    const int frames = hlv_testing::kSlowBuild ? 2000 : 10000;
    hlv_testing::CWatchdog watchdog(std::chrono::seconds(60), "keyframe reload stress");
    std::atomic<bool> done{false};
    std::atomic<int> badValues{0};
    std::thread update([&] {
        hlv_sg::frame_time_record time;
        for (int frame = 0; frame < frames; ++frame) {
            time.milliseconds = static_cast<std::uint64_t>(frame) * 7 % 100000;
            controller.Update(time);
            for (std::size_t i = 0; i < vectors.size(); ++i) {
                const float x = vectors.GetSlot(i)->Value()[0];
                if (x != 1.0f && x != 2.0f) badValues.fetch_add(1);
            }
            watchdog.Progress();
        }
        done = true;
    });
    int reloads = 0;
    while (!done) {
        for (const char* name : {"Main Camera Position", "Main Camera Lookat"})
            ASSERT_TRUE(store.Load(path(name, reloads % 2 + 1), &controller));
        ++reloads;
    }
    update.join();
    std::filesystem::remove_all(dir);
    EXPECT_EQ(badValues.load(), 0);
    EXPECT_GT(reloads, 1);
}
