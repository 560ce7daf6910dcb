// Mutated copies of small valid tracks: every one decodes to a sound or is
// refused with a result code; nothing else may happen (the address-sanitized
// build runs this test too). Bounded in iterations and in time.
#include "mp3_decoder.h"
#include "pcm_conversion.h"

#include <sound/fmod_check.h>

#include <gtest/gtest.h>
#include <hlv_testing/slow_build.h>
#include <hlv_testing/watchdog.h>

#include "mpeg_frames.h"
#include "tone_track.h"

#include <chrono>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace sound {
namespace {

using namespace std::chrono_literals;

struct MutationSource {
    sound_testing::ToneTrack track;
    std::string bytes;
    std::vector<std::size_t> frames;  // where the frames start
};

MutationSource MakeMutationSource(const std::string& name, int rate, int channels, int kbps)
{
    MutationSource source;
    source.track =
        sound_testing::MakeToneTrack(name, rate, channels, static_cast<std::uint64_t>(rate / 2), 440.0, kbps);
    source.bytes = sound_testing::ReadWholeFile(source.track.path);
    source.frames = sound_testing::FrameOffsets(source.bytes);
    return source;
}

std::string MutateTrack(const MutationSource& source, std::mt19937& random)
{
    std::string out = source.bytes;
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    const int edits = 1 + static_cast<int>(pick(3));
    for (int e = 0; e < edits && !out.empty(); ++e) {
        const std::size_t at = pick(out.size());
        switch (pick(7)) {
        case 0:  // flip a bit of a frame header (sync, version, layer, rate, mode...)
        {
            const std::size_t header = source.frames[pick(source.frames.size())] + pick(4);
            if (header < out.size()) out[header] = static_cast<char>(out[header] ^ (1 << pick(8)));
            break;
        }
        case 1:  // overwrite a byte anywhere
            out[at] = static_cast<char>(pick(256));
            break;
        case 2:  // cut the file short
            out.resize(at);
            break;
        case 3:  // delete a run
            out.erase(at, 1 + pick(600));
            break;
        case 4:  // copy a run elsewhere
            out.insert(pick(out.size()), out.substr(at, 1 + pick(600)));
            break;
        case 5:  // insert junk
        {
            std::string junk(1 + pick(64), '\0');
            for (char& c : junk) c = static_cast<char>(pick(256));
            out.insert(at, junk);
            break;
        }
        case 6:  // big numbers in the encoder's info frame (frame count, byte count, delays)
        {
            if (out.size() < 4) break;
            const std::size_t field = pick(std::min<std::size_t>(out.size(), 200) - 3);
            for (std::size_t i = 0; i < 4; ++i) out[field + i] = static_cast<char>(pick(2) ? 0xFF : 0x7F);
            break;
        }
        }
    }
    return out;
}

TEST(TrackMutation, MutatedTracksDecodeOrAreRefused)
{
    const MutationSource sources[] = {
        MakeMutationSource("mutation_stereo", 44100, 2, 128),  // MPEG-1 layer III
        MakeMutationSource("mutation_mono", 22050, 1, 32),     // MPEG-2 layer III
    };
    const int iterationsPerSource = hlv_testing::kSlowBuild ? 600 : 1500;
    const auto deadline = std::chrono::steady_clock::now() + (hlv_testing::kSlowBuild ? 60s : 30s);

    std::mt19937 random(20240611u);
    int decoded = 0, refused = 0, damagedButPlayed = 0;
    hlv_testing::CWatchdog watchdog(20s, "decoding mutated tracks");
    for (const MutationSource& source : sources) {
        ASSERT_GT(source.frames.size(), 4u);
        const auto sourceFrames = source.track.frames;
        for (int i = 0; i < iterationsPerSource && std::chrono::steady_clock::now() < deadline; ++i) {
            watchdog.Progress();
            const std::string mutated = MutateTrack(source, random);
            const auto path = sound_testing::WriteScratchFile("mutated.mp3", mutated);
            DecodedAudio audio;
            std::string detail;
            const FMOD_RESULT result = DecodeMp3File(path.c_str(), audio, detail);
            if (result != FMOD_OK) {
                EXPECT_TRUE(result == FMOD_ERR_FORMAT || result == FMOD_ERR_FILE_BAD)
                    << ResultName(result) << ": " << detail;
                EXPECT_NE(detail.find(path.string()), std::string::npos) << detail;
                EXPECT_TRUE(audio.samples.empty());
                ++refused;
                continue;
            }
            ASSERT_TRUE(audio.channels == 1 || audio.channels == 2) << audio.channels;
            ASSERT_GT(audio.Frames(), 0u);
            EXPECT_EQ(audio.samples.size() % static_cast<std::size_t>(audio.channels), 0u);
            // Damage neither stretches time nor makes sound from nothing: at
            // most twice the source's duration per byte, give or take a frame.
            const std::uint64_t limit = 2 * sourceFrames * mutated.size() / source.bytes.size() +
                                        2 * static_cast<std::uint64_t>(source.track.MpegFrameSamples());
            EXPECT_LE(audio.Frames(), limit) << "rate " << audio.rate;
            damagedButPlayed += audio.silenceFrames > 0;
            PcmTrack track;
            ASSERT_EQ(ConvertToOutputFormat(std::move(audio), track, detail), FMOD_OK) << detail;
            EXPECT_GT(track.Frames(), 0u);
            ++decoded;
        }
    }
    // Every kind of outcome occurs, so the mutations neither break every
    // file nor none, and damage is played past.
    EXPECT_GT(decoded, 100);
    EXPECT_GT(refused, 10);
    EXPECT_GT(damagedButPlayed, 10);
    std::cout << "decoded " << decoded << " (" << damagedButPlayed << " played past damage), refused " << refused
              << '\n';
}

}  // namespace
}  // namespace sound
