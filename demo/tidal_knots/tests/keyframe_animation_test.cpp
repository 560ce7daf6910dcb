// Keyframe records in demo time: activity, local time, the per-frame slot
// update, the blending curve and the loading of records from files.
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include <halvo_app/Context/CManagedContext.h>
#include <tidal_knots/Controllers/CSceneBlendingAnimationController.h>
#include <tidal_knots/Controllers/CSlotUpdateController.h>
#include <tidal_knots/KeyframeAnimation.h>
#include <tidal_knots/KeyframeAnimationStore.h>

#include "support/keyframe_xml.h"

using namespace dmo_nimra;
using dmo_nimra_test::KeyframeFile;

namespace {

constexpr std::uint64_t kAll = ~std::uint64_t{0};

ScalarKeyframeAnimation Record(std::uint64_t start, std::uint64_t duration, std::uint32_t mode,
                               std::initializer_list<std::pair<std::uint64_t, float>> keys)
{
    ScalarKeyframeAnimation record;
    record.start = start;
    record.duration = duration;
    record.playMode = mode;
    for (const auto& [time, value] : keys) record.sequence.add_key({value, time});
    return record;
}

hlv_sg::frame_time_record At(std::uint64_t milliseconds)
{
    hlv_sg::frame_time_record time;
    time.milliseconds = milliseconds;
    time.seconds = static_cast<double>(milliseconds) / 1000.0;
    return time;
}

struct TempDir {
    TempDir() : path(std::filesystem::temp_directory_path() / ("dmo_keyframes_" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

}  // namespace

TEST(KeyframeLocalTime, PlayModesMapDemoTimeIntoTheSequence)
{
    // Clamp, unbounded, keys 0..500, start 100: active only inside the keys.
    auto clamp = Record(100, kAll, AM_CLAMP, {{0, 0.0f}, {500, 1.0f}});
    EXPECT_TRUE(clamp.IsActiveAt(300));
    EXPECT_EQ(clamp.GetLocalTime(300), 200u);
    EXPECT_FALSE(clamp.IsActiveAt(700));

    // Repeat, start 0, duration 800, last key 300: L = 300.
    auto repeat = Record(0, 800, AM_REPEAT, {{0, 0.0f}, {300, 1.0f}});
    EXPECT_EQ(repeat.GetLocalTime(300), 300u);
    EXPECT_EQ(repeat.GetLocalTime(700), 100u);
    EXPECT_TRUE(repeat.IsActiveAt(800));
    EXPECT_FALSE(repeat.IsActiveAt(801));

    auto back = Record(0, kAll, AM_BACK, {{0, 0.0f}, {400, 1.0f}});
    EXPECT_EQ(back.GetLocalTime(100), 300u);
    EXPECT_EQ(back.GetLocalTime(500), 0u);

    auto cycle = Record(0, kAll, AM_CYCLE, {{0, 0.0f}, {400, 1.0f}});
    EXPECT_EQ(cycle.GetLocalTime(123), 400u);
}

TEST(KeyframeLocalTime, TimesOutsideTheRecordNeverWrapOrLeaveTheKeys)
{
    // Before the start: inactive, and the local time does not wrap.
    auto late = Record(5000, 1000, AM_CLAMP, {{0, 0.0f}, {1000, 1.0f}});
    EXPECT_FALSE(late.IsActiveAt(4999));
    EXPECT_EQ(late.GetLocalTime(10), 0u);

    // A first key after 0: the local time is clamped up to it.
    auto keysLater = Record(0, 2000, AM_CLAMP, {{400, 2.0f}, {900, 3.0f}});
    EXPECT_EQ(keysLater.GetLocalTime(100), 400u);
    EXPECT_EQ(keysLater.GetLocalTime(1500), 900u);

    // Repeat with L = 0: 0 instead of a modulo by zero.
    auto zero = Record(0, 0, AM_REPEAT, {{0, 1.0f}});
    EXPECT_EQ(zero.GetLocalTime(12345), 0u);

    // start + duration saturates: active to the end of time.
    auto longest = Record(kAll - 10, kAll - 1, AM_CLAMP, {{0, 1.0f}});
    EXPECT_TRUE(longest.IsActiveAt(kAll - 1));
    EXPECT_FALSE(longest.IsActiveAt(kAll - 11));

    // A bounded record without keys is never active.
    auto empty = Record(0, 1000, AM_CLAMP, {});
    EXPECT_FALSE(empty.IsActiveAt(500));
}

TEST(SlotUpdateController, WritesActiveRecordsIntoTheirSlotsOnly)
{
    hlv_app::CManagedContext context;
    auto& floats = context.VariantSlots<float>();
    auto& vectors = context.VariantSlots<pld_math::vector<float, 3>>();
    CSlotUpdateController controller(&context);
    controller.SetTimeSlot(floats.AddSlot("TimeSec", 0.0f));

    auto fade = Record(0, kAll, AM_CLAMP, {{1000, 0.0f}, {2000, 1.0f}});
    auto bounded = Record(0, 500, AM_CLAMP, {});
    Vec3KeyframeAnimation path;
    path.sequence.add_key({{0.0f, 0.0f, 0.0f}, 0});
    path.sequence.add_key({{10.0f, 20.0f, 30.0f}, 1000});
    const std::size_t fadeSlot = floats.AddSlot("Fade", -1.0f);
    const std::size_t emptySlot = floats.AddSlot("Empty", -1.0f);
    const std::size_t pathSlot = vectors.AddSlot("Path", {});
    controller.AddFloatBinding(&fade, fadeSlot);
    controller.AddFloatBinding(&bounded, emptySlot);
    controller.AddFloatBinding(&fade, CSlotUpdateController::kNoSlot);
    controller.AddVec3Binding(&path, pathSlot);

    controller.Update(At(500));
    EXPECT_FLOAT_EQ(floats.GetSlot(controller.GetTimeSlot())->Value(), 0.5f);
    EXPECT_FLOAT_EQ(floats.GetSlot(fadeSlot)->Value(), -1.0f) << "inactive before its first key";
    EXPECT_FLOAT_EQ(vectors.GetSlot(pathSlot)->Value()[1], 10.0f);

    controller.Update(At(1500));
    EXPECT_FLOAT_EQ(floats.GetSlot(fadeSlot)->Value(), 0.5f);
    controller.Update(At(2500));
    EXPECT_FLOAT_EQ(floats.GetSlot(fadeSlot)->Value(), 0.5f) << "keeps its last value after the last key";
    EXPECT_FLOAT_EQ(floats.GetSlot(emptySlot)->Value(), -1.0f) << "a bounded record without keys never writes";
    EXPECT_FLOAT_EQ(floats.GetSlot(controller.GetTimeSlot())->Value(), 2.5f);
}

TEST(SceneBlendingAnimationController, PlaysItsCurveBetweenTenAndTwentySixSeconds)
{
    hlv_app::CManagedContext context;
    CSceneBlendingAnimationController controller(&context);
    auto* slot = context.VariantSlots<float>().GetSlot(controller.GetSlot());
    ASSERT_NE(slot, nullptr);
    const std::pair<std::uint64_t, float> expected[] = {{11000, 0.5f}, {14000, 1.0f}, {18000, 0.5f}, {26000, 0.0f}};
    for (const auto& [t, value] : expected) {
        controller.Update(At(t));
        EXPECT_NEAR(slot->Value(), value, 1e-5f) << t;
    }
    slot->Value() = 0.25f;
    controller.Update(At(30000));
    EXPECT_FLOAT_EQ(slot->Value(), 0.25f) << "not written after 26 s";
    EXPECT_EQ(CSceneBlendingAnimationController(&context).GetSlot(), hlv_app::CNamedVariantSlotArray<float>::npos)
        << "the slot name is taken";
}

TEST(KeyframeAnimationStore, LoadsFilesByTheirSequenceNames)
{
    TempDir dir;
    KeyframeFile fade("Section Fade");
    fade.playType = "";
    fade.keys = {{0, "0"}, {1000, "1"}};
    fade.Write(dir.path / "fade.xml");
    KeyframeFile loop("Beat");
    loop.playType = "loop";
    loop.start = "200";
    loop.duration = "4000";
    loop.keys = {{0, "1"}, {300, "0"}};
    loop.Write(dir.path / "loop.xml");
    KeyframeFile camera("Camera", "vec3");
    camera.keys = {{0, "1;2;3"}, {5000, "4;5;6"}};
    camera.Write(dir.path / "camera.xml");
    KeyframeFile stepped = fade;
    stepped.name = "Stepped";
    stepped.interpolation = "step";
    stepped.Write(dir.path / "stepped.xml");

    CKeyframeAnimationStore store;
    ASSERT_TRUE(store.Load((dir.path / "fade.xml").string(), nullptr));
    ASSERT_TRUE(store.Load((dir.path / "loop.xml").string(), nullptr));
    ASSERT_TRUE(store.Load((dir.path / "camera.xml").string(), nullptr));
    ScalarKeyframeAnimation* loaded = store.FindScalar("Section Fade");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->playMode, AM_CLAMP);
    EXPECT_EQ(loaded->duration, kAll);
    ScalarKeyframeAnimation* beat = store.FindScalar("Beat");
    ASSERT_NE(beat, nullptr);
    EXPECT_EQ(beat->playMode, AM_REPEAT);
    EXPECT_EQ(beat->start, 200u);
    EXPECT_EQ(beat->duration, 4000u);
    ASSERT_NE(store.FindVector("Camera"), nullptr);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.Load((dir.path / "stepped.xml").string(), nullptr));
    EXPECT_FALSE(store.Load((dir.path / "missing.xml").string(), nullptr));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("missing.xml"), std::string::npos) << errors;
    EXPECT_EQ(store.FindScalar("Stepped"), nullptr);

    // A second scalar file of a name replaces the entry; the bound record
    // stays alive for its bindings.
    fade.keys = {{0, "5"}};
    fade.Write(dir.path / "fade2.xml");
    ASSERT_TRUE(store.Load((dir.path / "fade2.xml").string(), nullptr));
    EXPECT_NE(store.FindScalar("Section Fade"), loaded);
    EXPECT_FLOAT_EQ(loaded->sequence.evaluate(500), 0.5f);
}
