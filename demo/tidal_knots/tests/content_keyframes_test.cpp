// The sixteen keyframe files: each loads through the engine's loader in the
// form the demo's slots take; the camera paths cover the track and keep the
// scenes in view; the beat pulses sit on the track's kicks.
#include <halvo_io/Loader/KeyframeSequenceLoader.h>
#include <plovdane/keyframe_sequence.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "keyframes/demo_keyframes.h"
#include "keyframes/keyframe_xml.h"
#include "music/score.h"

namespace {

using hlv_io::KeyframeSequenceRecord;
using Vec3 = pld_math::vector<float, 3>;

const std::string kKeyframes = std::string(DMO_DATA_DIR) + "/LocalData/Keyframes/";
constexpr std::uint64_t kLongestTrack = 120000;  // ms

struct ExpectedKeyframeFile {
    const char* file;
    const char* name;  // null: any name of the file's own
    bool vec3;
};

constexpr std::array<ExpectedKeyframeFile, 16> kKeyframeFiles{{
    {"keyframe_sequence_bassdrumloop.xml", "Bass Drum loop", false},
    {"bassdrumloop_background.xml", "Bass Drum loop Background", false},
    {"keyframe_sequence_main.xml", nullptr, false},
    {"keyframe_sequence_t1.xml", nullptr, false},
    {"keyframe_sequence_t2.xml", nullptr, false},
    {"keyframe_sequence_t3.xml", nullptr, false},
    {"keyframe_sequence_t4.xml", nullptr, false},
    {"keyframe_sequence_t5.xml", nullptr, false},
    {"keyframe_sequence_t6.xml", nullptr, false},
    {"keyframe_sequence_finalfade.xml", nullptr, false},
    {"keyframe_sequence_firstfade.xml", nullptr, false},
    {"keyframe_sequence_secondfade.xml", nullptr, false},
    {"Camera/main_camera_position.xml", "Main Camera Position", true},
    {"Camera/main_camera_lookat.xml", "Main Camera Lookat", true},
    {"Camera/background_camera_lookat.xml", "Background Camera Lookat", true},
    {"Camera/background_camera_position.xml", "Background Camera Position", true},
}};

KeyframeSequenceRecord LoadKeyframes(const std::string& file)
{
    KeyframeSequenceRecord record;
    hlv_io::KeyframeSequenceLoader::Load(kKeyframes + file, record);
    return record;
}

template <typename List>
std::vector<std::uint64_t> KeyTimes(const List& keys)
{
    std::vector<std::uint64_t> times;
    for (const auto& key : keys) times.push_back(key.time);
    return times;
}

// Played once from demo time 0 with no time limit: the demo evaluates the
// sequence at the demo time itself.
template <typename T, typename List>
pld_ani::keyframe_sequence<T> SequenceOf(const List& keys)
{
    pld_ani::keyframe_sequence<T> sequence;
    for (const auto& key : keys) sequence.add_key(key);
    return sequence;
}

TEST(ContentKeyframes, EveryFileLoadsInTheFormTheDemoTakes)
{
    std::set<std::string> names;
    for (const ExpectedKeyframeFile& expected : kKeyframeFiles) {
        SCOPED_TRACE(expected.file);
        KeyframeSequenceRecord record;
        ASSERT_NO_THROW(record = LoadKeyframes(expected.file));
        if (expected.name) {
            EXPECT_EQ(record.name, expected.name);
        }
        EXPECT_TRUE(names.insert(record.name).second) << "name used twice: " << record.name;
        for (const char* slot : {"TimeSec", "BlendingFactor_Scene1Scene2", "PostDepthScale"})
            EXPECT_NE(record.name, slot);
        EXPECT_NE(record.name.rfind("Backplane", 0), 0u) << record.name;

        EXPECT_EQ(record.time_unit, hlv_io::KTU_MILLISECONDS);
        EXPECT_EQ(record.value_type, hlv_io::KVT_FLOAT);
        EXPECT_EQ(record.interpolation, hlv_io::KI_LINEAR);
        EXPECT_EQ(record.value_structure, expected.vec3 ? hlv_io::KVS_VEC3 : hlv_io::KVS_SCALAR);
        EXPECT_EQ(record.play_type, hlv_io::KPT_SINGLE);
        EXPECT_EQ(record.start, 0u);
        EXPECT_EQ(record.duration, KeyframeSequenceRecord::kUnboundedDuration);

        const std::vector<std::uint64_t> times =
            expected.vec3 ? (record.Vec3Keys() ? KeyTimes(*record.Vec3Keys()) : std::vector<std::uint64_t>{})
                          : (record.ScalarKeys() ? KeyTimes(*record.ScalarKeys()) : std::vector<std::uint64_t>{});
        ASSERT_GE(times.size(), 2u);
        EXPECT_EQ(times.front(), 0u);
        for (std::size_t i = 1; i < times.size(); ++i) ASSERT_LT(times[i - 1], times[i]) << "key " << i;
    }
}

struct CameraFrame {
    Vec3 eye;
    Vec3 forward;  // unit
    Vec3 up;       // unit, the world's y made square to forward
    Vec3 side;
};

Vec3 UnitVector(const Vec3& v) { return v * (1.0f / pld_math::length(v)); }

CameraFrame LookAt(const Vec3& eye, const Vec3& target)
{
    const Vec3 forward = UnitVector(target - eye);
    const Vec3 up = UnitVector(Vec3{0, 1, 0} - forward * pld_math::dot(forward, Vec3{0, 1, 0}));
    return {eye, forward, up, pld_math::cross(up, forward)};
}

// Inside the demo's perspective: 45 degrees vertically, 16:9, near plane 10.
bool InView(const CameraFrame& camera, const Vec3& point)
{
    const float tanHalf = std::tan(0.3926991f);
    const Vec3 v = point - camera.eye;
    const float depth = pld_math::dot(v, camera.forward);
    return depth > 10.0f && std::abs(pld_math::dot(v, camera.up)) < tanHalf * depth &&
           std::abs(pld_math::dot(v, camera.side)) < tanHalf * 16.0f / 9.0f * depth;
}

TEST(ContentKeyframes, CameraPathsCoverTheTrackAndKeepTheScenesInView)
{
    const auto path = [](const char* file) {
        const KeyframeSequenceRecord record = LoadKeyframes(file);
        EXPECT_TRUE(record.Vec3Keys() && !record.Vec3Keys()->empty()) << file;
        if (record.Vec3Keys()) {
            EXPECT_GE(record.Vec3Keys()->back().time, kLongestTrack) << file;
        }
        return SequenceOf<Vec3>(record.Vec3Keys() ? *record.Vec3Keys() : hlv_io::Vec3KeyList{});
    };
    auto mainEye = path("Camera/main_camera_position.xml");
    auto mainTarget = path("Camera/main_camera_lookat.xml");
    auto backgroundEye = path("Camera/background_camera_position.xml");
    auto backgroundTarget = path("Camera/background_camera_lookat.xml");

    for (std::uint64_t t = 0; t <= kLongestTrack; t += 20) {
        SCOPED_TRACE("t = " + std::to_string(t) + " ms");
        const double seconds = static_cast<double>(t) / 1000.0;
        const Vec3 eye = mainEye.evaluate(t);
        const Vec3 target = mainTarget.evaluate(t);
        const Vec3 backEye = backgroundEye.evaluate(t);
        const Vec3 backTarget = backgroundTarget.evaluate(t);
        // Eye and target apart, and never straight up or down (where the
        // camera's up direction is lost).
        ASSERT_GT(pld_math::length(target - eye), 1.0f);
        ASSERT_GT(pld_math::length(backTarget - backEye), 1.0f);
        const CameraFrame scene = LookAt(eye, target);
        const CameraFrame background = LookAt(backEye, backTarget);
        ASSERT_LT(std::abs(scene.forward[1]), 0.95f);
        ASSERT_LT(std::abs(background.forward[1]), 0.95f);

        // Scene 2, while it is on screen: the middle cube in the picture, the
        // eye outside the sphere of cubes (radius 25) and not lost in the
        // distance.
        if (seconds >= 10.0 && seconds <= 110.0) {
            ASSERT_TRUE(InView(scene, Vec3{0, 0, 0}));
            ASSERT_GT(pld_math::length(eye), 60.0f);
            ASSERT_LT(pld_math::length(eye), 1500.0f);
        }
        // Lifted over the break: both lattices (at y = +-100 by then) in view.
        if (seconds >= 70.0 && seconds <= 80.0) {
            ASSERT_TRUE(InView(scene, Vec3{0, 100, 0}));
            ASSERT_TRUE(InView(scene, Vec3{0, -100, 0}));
        }
        // The background: the rising band of cubes, and in the climax the
        // cubes falling from near (1500, 2000, 2000).
        if (seconds < 78.0 || seconds > 108.0) {
            ASSERT_TRUE(InView(background, Vec3{-1000, 0, 2000}));
        }
        if (seconds >= 84.0 && seconds <= 101.0) {
            ASSERT_TRUE(InView(background, Vec3{1500, 500, 2500}));
        }
    }
}

TEST(ContentKeyframes, BeatPulsesSitOnTheTracksKicks)
{
    std::vector<std::uint64_t> kicks;
    for (double seconds : dmo_nimra::synth::TidalKnots().KickTimes())
        kicks.push_back(static_cast<std::uint64_t>(std::llround(seconds * 1000.0)));
    ASSERT_FALSE(kicks.empty());
    // The beat starts with Scene 2 and rests over the break.
    EXPECT_EQ(kicks.front(), 10000u);
    for (std::uint64_t kick : kicks) EXPECT_FALSE(kick >= 75000 && kick < 82000) << kick;

    for (const char* file : {"keyframe_sequence_bassdrumloop.xml", "bassdrumloop_background.xml"}) {
        SCOPED_TRACE(file);
        const KeyframeSequenceRecord record = LoadKeyframes(file);
        ASSERT_TRUE(record.ScalarKeys());
        std::vector<std::uint64_t> peaks;
        for (const auto& key : *record.ScalarKeys()) {
            EXPECT_GE(key.value, 0.0f);
            EXPECT_LE(key.value, 1.0f);
            if (key.value == 1.0f) peaks.push_back(key.time);
        }
        EXPECT_EQ(peaks, kicks);

        auto pulse = SequenceOf<float>(*record.ScalarKeys());
        for (std::size_t i = 0; i < kicks.size(); ++i) {
            EXPECT_NEAR(pulse.evaluate(kicks[i]), 1.0f, 1e-5f) << kicks[i];
            if (i + 1 < kicks.size()) {
                EXPECT_NEAR(pulse.evaluate(kicks[i + 1] - 1), 0.0f, 1e-5f) << kicks[i];
            }
        }
        // Wherever the pulse is up, a kick sounded within the last half second.
        std::size_t next = 0;
        for (std::uint64_t t = 0; t <= kLongestTrack; t += 5) {
            while (next < kicks.size() && kicks[next] <= t) ++next;
            const bool recentKick = next > 0 && t - kicks[next - 1] < 500;
            if (!recentKick) {
                ASSERT_EQ(pulse.evaluate(t), 0.0f) << "t = " << t;
            }
        }
    }
}

// The committed files are what the tools write from today's score and camera
// design: a score changed without a rerun of dmo_nimra_make_keyframes would
// leave the picture's beat off the music.
TEST(ContentKeyframes, CommittedFilesAreWhatTheToolWritesNow)
{
    const std::vector<dmo_nimra::keys::KeyframeFile> files =
        dmo_nimra::keys::DemoKeyframeFiles(dmo_nimra::synth::TidalKnots());
    ASSERT_EQ(files.size(), kKeyframeFiles.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].path, kKeyframeFiles[i].file);
        std::ifstream in(kKeyframes + files[i].path, std::ios::binary);
        const std::string committed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_TRUE(committed == dmo_nimra::keys::ToXml(files[i].sequence))
            << files[i].path << " is stale: rerun dmo_nimra_make_keyframes";
    }
}

TEST(ContentKeyframes, WrittenValuesReadBackExactlyThroughTheEngineLoader)
{
    using dmo_nimra::keys::KeyframeSequence;
    const KeyframeSequence scalar{
        "Round Trip", false, {{0, {0.1f}}, {7, {-1234.5677f}}, {8, {3.4e-7f}}, {4000000000000ull, {-0.0f}}}};
    const KeyframeSequence vec3{"Round Trip Vector", true, {{0, {1e7f, -2.5e-5f, 0.3f}}, {1, {-7.0f, 123.45f, 1.0f}}}};
    const std::filesystem::path directory = std::filesystem::temp_directory_path() /
                                            ("dmo_nimra_keyframes_" + std::to_string(::getpid()));
    dmo_nimra::keys::WriteKeyframeFile(directory / "scalar.xml", scalar);
    dmo_nimra::keys::WriteKeyframeFile(directory / "vec3.xml", vec3);

    KeyframeSequenceRecord record;
    ASSERT_NO_THROW(hlv_io::KeyframeSequenceLoader::Load((directory / "scalar.xml").string(), record));
    EXPECT_EQ(record.name, "Round Trip");
    ASSERT_TRUE(record.ScalarKeys());
    ASSERT_EQ(record.ScalarKeys()->size(), scalar.keys.size());
    for (std::size_t i = 0; i < scalar.keys.size(); ++i) {
        EXPECT_EQ((*record.ScalarKeys())[i].time, scalar.keys[i].time);
        EXPECT_EQ((*record.ScalarKeys())[i].value, scalar.keys[i].value[0]);
    }
    ASSERT_NO_THROW(hlv_io::KeyframeSequenceLoader::Load((directory / "vec3.xml").string(), record));
    ASSERT_TRUE(record.Vec3Keys());
    ASSERT_EQ(record.Vec3Keys()->size(), vec3.keys.size());
    for (std::size_t i = 0; i < vec3.keys.size(); ++i)
        for (std::size_t c = 0; c < 3; ++c) EXPECT_EQ((*record.Vec3Keys())[i].value[c], vec3.keys[i].value[c]);
    std::filesystem::remove_all(directory);

    // Keys at one time would make the demo's curve jump: refused.
    EXPECT_THROW(dmo_nimra::keys::ToXml({"Twice", false, {{5, {0.0f}}, {5, {1.0f}}}}), std::invalid_argument);
}

}  // namespace
