#include "keyframes/demo_keyframes.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "keyframes/beat_pulses.h"
#include "keyframes/camera_paths.h"
#include "keyframes/section_fades.h"
#include "music/score.h"

namespace dmo_nimra::keys {

namespace {

constexpr std::uint64_t kPulseDecay = 350;            // ms from 1 at the kick to 0
constexpr std::uint64_t kBackgroundPulseDecay = 450;  // the big background cubes swell longer
constexpr std::uint64_t kCameraStep = 500;            // ms between camera keys
constexpr std::uint64_t kCameraEnd = 120000;          // ms, the longest the track may be
constexpr std::uint64_t kSectionRamp = 1000;          // ms

std::uint64_t ScoreMilliseconds(double seconds) { return static_cast<std::uint64_t>(std::llround(seconds * 1000.0)); }

}  // namespace

std::vector<KeyframeFile> DemoKeyframeFiles(const synth::Score& score)
{
    const std::vector<double> kicks = score.KickTimes();
    const std::uint64_t length = ScoreMilliseconds(score.length);
    const std::uint64_t fadeOut = ScoreMilliseconds(score.fadeOut);
    CameraPaths cameras = DesignCameraPaths(kCameraStep, kCameraEnd);
    // One fade per section: Intro, Groove, Drive, Break, Climax, Outro.
    if (score.sections.size() != 6) throw std::logic_error("the score's sections changed: update the fades");

    std::vector<KeyframeFile> files;
    files.push_back({"keyframe_sequence_bassdrumloop.xml", BeatPulses("Bass Drum loop", kicks, kPulseDecay, length)});
    files.push_back(
        {"bassdrumloop_background.xml", BeatPulses("Bass Drum loop Background", kicks, kBackgroundPulseDecay, length)});
    // The mix's own fades at the piece's edges.
    files.push_back({"keyframe_sequence_main.xml",
                     Fade("Music Master Fade", {{0, 0.0f}, {3000, 1.0f}, {length - fadeOut, 1.0f}, {length, 0.0f}})});
    for (std::size_t section = 0; section < 6; ++section)
        files.push_back(
            {"keyframe_sequence_t" + std::to_string(section + 1) + ".xml", SectionFade(score, section, kSectionRamp)});
    // To black over the last bars; the intro's rise; Scene 2 in and out.
    files.push_back({"keyframe_sequence_finalfade.xml", Fade("Final Fade", {{110000, 0.0f}, {length, 1.0f}})});
    files.push_back({"keyframe_sequence_firstfade.xml", Fade("First Fade", {{0, 0.0f}, {6000, 1.0f}, {length, 1.0f}})});
    files.push_back(
        {"keyframe_sequence_secondfade.xml",
         Fade("Second Fade", {{10000, 0.0f}, {11000, 1.0f}, {78000, 1.0f}, {80000, 0.0f}, {length, 0.0f}})});
    files.push_back({"Camera/main_camera_position.xml", std::move(cameras.mainPosition)});
    files.push_back({"Camera/main_camera_lookat.xml", std::move(cameras.mainLookat)});
    files.push_back({"Camera/background_camera_lookat.xml", std::move(cameras.backgroundLookat)});
    files.push_back({"Camera/background_camera_position.xml", std::move(cameras.backgroundPosition)});
    return files;
}

}  // namespace dmo_nimra::keys
