// Tracks that are not what they should be: a FIFO where the file should be, a
// frame header with one corrupt byte, files that hold no MPEG audio at all.
#include "mp3_decoder.h"

#include <sound/fmod_api.h>
#include <sound/fmod_check.h>

#include <gtest/gtest.h>
#include <hlv_testing/watchdog.h>

#include "mpeg_frames.h"
#include "tone_track.h"

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace sound {
namespace {

using namespace std::chrono_literals;
using sound_testing::ScratchDirectory;
using sound_testing::WriteScratchFile;

// The test program runs in silent mode, so init opens no audio device.
class DamagedTrackSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FMOD_System_Create(&system_), FMOD_OK);
        ASSERT_EQ(system_->init(4, FMOD_INIT_NORMAL, nullptr), FMOD_OK) << LastErrorDetail();
    }
    void TearDown() override
    {
        if (system_) system_->release();
    }

    // createSound's result; expects *sound to be null exactly on failure.
    FMOD_RESULT Create(const std::filesystem::path& path, FMOD::Sound** sound)
    {
        *sound = reinterpret_cast<FMOD::Sound*>(this);
        const FMOD_RESULT result = system_->createSound(path.c_str(), FMOD_SOFTWARE, nullptr, sound);
        EXPECT_EQ(*sound == nullptr, result != FMOD_OK);
        return result;
    }

    FMOD::System* system_ = nullptr;
};

// The longest run of all-zero frames (samples per channel) in [from, to).
std::size_t LongestSilence(const DecodedAudio& audio, std::size_t from, std::size_t to)
{
    std::size_t longest = 0, run = 0;
    const auto channels = static_cast<std::size_t>(audio.channels);
    for (std::size_t i = from; i < std::min<std::size_t>(to, audio.Frames()); ++i) {
        bool silent = true;
        for (std::size_t c = 0; c < channels; ++c) silent = silent && audio.samples[i * channels + c] == 0;
        run = silent ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST_F(DamagedTrackSystem, FifoIsRefusedAtOnce)
{
    const std::filesystem::path path = ScratchDirectory() / "fifo_track.mp3";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << std::strerror(errno);
    FMOD::Sound* sound = nullptr;
    {
        // Opened for reading, a FIFO waits for a writer that never comes.
        hlv_testing::CWatchdog watchdog(20s, "createSound on a FIFO");
        EXPECT_EQ(Create(path, &sound), FMOD_ERR_FILE_BAD);
    }
    const std::string detail = LastErrorDetail();
    EXPECT_NE(detail.find(path.string()), std::string::npos) << detail;
    EXPECT_NE(detail.find("FIFO"), std::string::npos) << detail;
}

// The stereo tone with the sample rate bits of one frame in its middle set to
// each other value: 48 kHz and 32 kHz frames (the decoder reads them with
// lengths of their own, and a 32 kHz frame swallows the start of the next) and
// the reserved value (an invalid header: the frame is lost). Each decodes, to
// the clean file's length, with silence where the damage was and every later
// sample at its time.
TEST_F(DamagedTrackSystem, CorruptSampleRateInOneFrameHeaderCostsOnlyThatStretch)
{
    const sound_testing::ToneTrack& source = sound_testing::StereoTone();
    const std::string clean = sound_testing::ReadWholeFile(source.path);
    const std::vector<std::size_t> frames = sound_testing::FrameOffsets(clean);
    ASSERT_GT(frames.size(), 100u);
    const std::size_t damagedFrame = frames.size() / 2;
    const std::size_t damagedByte = frames[damagedFrame] + sound_testing::kRateByte;
    const auto spf = static_cast<std::size_t>(source.MpegFrameSamples());

    DecodedAudio reference;
    std::string detail;
    ASSERT_EQ(DecodeMp3File(source.path.c_str(), reference, detail), FMOD_OK) << detail;
    EXPECT_EQ(reference.skippedFrames + reference.silenceFrames, 0u);

    const int cleanIndex = (static_cast<unsigned char>(clean[damagedByte]) & sound_testing::kRateBits) >>
                           sound_testing::kRateShift;
    for (int index = 0; index < 4; ++index) {
        if (index == cleanIndex) continue;
        SCOPED_TRACE("sample rate index " + std::to_string(index));
        std::string bytes = clean;
        bytes[damagedByte] =
            static_cast<char>((static_cast<unsigned char>(bytes[damagedByte]) & ~sound_testing::kRateBits) |
                              (index << sound_testing::kRateShift));
        const auto path = WriteScratchFile("rate_index_" + std::to_string(index) + ".mp3", bytes);

        DecodedAudio decoded;
        ASSERT_EQ(DecodeMp3File(path.c_str(), decoded, detail), FMOD_OK) << detail;
        EXPECT_EQ(decoded.rate, reference.rate);
        EXPECT_EQ(decoded.channels, reference.channels);
        EXPECT_LE(decoded.skippedFrames, 1u);
        EXPECT_GE(decoded.silenceFrames, spf);
        EXPECT_LE(decoded.silenceFrames, 2 * spf);
        ::testing::Test::RecordProperty("skipped_frames_index_" + std::to_string(index),
                                        std::to_string(decoded.skippedFrames));
        ::testing::Test::RecordProperty("silence_frames_index_" + std::to_string(index),
                                        std::to_string(decoded.silenceFrames));
        ASSERT_EQ(decoded.Frames(), reference.Frames());

        // Where the damage begins, and the silence there.
        std::size_t first = 0;
        while (first < decoded.samples.size() && decoded.samples[first] == reference.samples[first]) ++first;
        first /= static_cast<std::size_t>(reference.channels);
        ASSERT_LT(first, decoded.Frames());
        EXPECT_GE(first + 3 * spf, (damagedFrame - 1) * spf);
        EXPECT_LE(first, (damagedFrame + 1) * spf);
        EXPECT_GE(LongestSilence(decoded, first, first + 3 * spf), spf);
        // A few frames after the silence (the decoder's memory of the damaged
        // stretch has gone) every sample is the clean file's, at the same time.
        std::size_t differing = 0;
        const std::size_t settled = first + decoded.silenceFrames + 4 * spf;
        for (std::size_t i = settled * static_cast<std::size_t>(reference.channels); i < decoded.samples.size(); ++i)
            differing += decoded.samples[i] != reference.samples[i];
        EXPECT_EQ(differing, 0u);
    }

    // What the issue saw: createSound refused such a track whole.
    FMOD::Sound* sound = nullptr;
    ASSERT_EQ(Create(ScratchDirectory() / "rate_index_1.mp3", &sound), FMOD_OK) << LastErrorDetail();
    FMOD::Sound* cleanSound = nullptr;
    ASSERT_EQ(Create(source.path, &cleanSound), FMOD_OK) << LastErrorDetail();
    unsigned int length = 0, cleanLength = 0;
    ASSERT_EQ(sound->getLength(&length, FMOD_TIMEUNIT_MS), FMOD_OK);
    ASSERT_EQ(cleanSound->getLength(&cleanLength, FMOD_TIMEUNIT_MS), FMOD_OK);
    EXPECT_EQ(length, cleanLength);
}

// Quiet noise in 16-bit PCM: by chance its bytes hold frame headers of several
// sample rates, for which the decoder used to refuse such a file with the
// message about the sample rate changing within the stream.
TEST_F(DamagedTrackSystem, FilesWithoutMpegAudioSaySo)
{
    std::mt19937 random(7);
    std::vector<std::int16_t> noise(2 * 2048);
    for (std::int16_t& sample : noise) sample = static_cast<std::int16_t>(static_cast<int>(random() % 201) - 100);
    const std::string wave = sound_testing::WaveFileBytes(44100, 2, noise);
    constexpr std::size_t kWaveHeaderBytes = 44;

    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"noise_wave.mp3", wave},
        {"noise_pcm.mp3", wave.substr(kWaveHeaderBytes)},
        {"wave_header.mp3", sound_testing::WaveFileBytes(44100, 2, {})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = WriteScratchFile(c.name, c.bytes);
        FMOD::Sound* sound = nullptr;
        EXPECT_EQ(Create(path, &sound), FMOD_ERR_FORMAT);
        const std::string detail = LastErrorDetail();
        ::testing::Test::RecordProperty(c.name, detail);
        EXPECT_NE(detail.find(path.string()), std::string::npos) << detail;
        EXPECT_NE(detail.find("no MPEG audio"), std::string::npos) << detail;
    }
}

}  // namespace
}  // namespace sound
