// Decoding whole files: exact lengths, the tone that went in, and files that
// are missing or not MP3 at all.
#include "mp3_decoder.h"
#include "pcm_conversion.h"
#include "track_loader.h"

#include <gtest/gtest.h>

#include "tone_track.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

namespace sound {
namespace {

using sound_testing::MonoTone;
using sound_testing::StereoTone;
using sound_testing::ToneTrack;
using sound_testing::WriteScratchFile;

// Frequency of the first channel of interleaved samples, from the rising zero
// crossings of the middle half (away from the encoder's fade-in and -out).
double MeasuredFrequency(const std::vector<std::int16_t>& samples, int channels, int rate)
{
    const std::size_t frames = samples.size() / channels;
    const std::size_t from = frames / 4;
    const std::size_t to = frames * 3 / 4;
    std::size_t first = 0, last = 0, crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        if (samples[(i - 1) * channels] < 0 && samples[i * channels] >= 0) {
            if (crossings == 0) first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2) return 0.0;
    return static_cast<double>(crossings - 1) * rate / static_cast<double>(last - first);
}

void ExpectDecodesToTheSource(const ToneTrack& source)
{
    DecodedAudio decoded;
    std::string detail;
    ASSERT_EQ(DecodeMp3File(source.path.c_str(), decoded, detail), FMOD_OK) << detail;
    EXPECT_EQ(decoded.rate, source.rate);
    EXPECT_EQ(decoded.channels, source.channels);
    const auto difference = static_cast<std::int64_t>(decoded.Frames()) - static_cast<std::int64_t>(source.frames);
    ::testing::Test::RecordProperty("frames_decoded_minus_encoded", std::to_string(difference));
    EXPECT_LE(std::llabs(difference), source.MpegFrameSamples())
        << "decoded " << decoded.Frames() << " frames of " << source.frames;
    EXPECT_NEAR(MeasuredFrequency(decoded.samples, decoded.channels, source.rate), source.frequency,
                source.frequency * 0.01);
}

TEST(Mp3Decoder, StereoFileDecodesToItsSourceLengthAndTone) { ExpectDecodesToTheSource(StereoTone()); }

TEST(Mp3Decoder, MonoFileAtALowerRateDecodesToItsSourceLengthAndTone) { ExpectDecodesToTheSource(MonoTone()); }

TEST(Mp3Decoder, ConversionToTheOutputFormatKeepsDurationAndPitch)
{
    const ToneTrack& source = MonoTone();
    PcmTrack track;
    std::string detail;
    ASSERT_EQ(LoadTrack(source.path.c_str(), track, detail), FMOD_OK) << detail;
    const double seconds = static_cast<double>(track.Frames()) / kOutputRate;
    EXPECT_NEAR(seconds, source.Seconds(), static_cast<double>(source.MpegFrameSamples()) / source.rate);
    EXPECT_NEAR(MeasuredFrequency(track.samples, kOutputChannels, kOutputRate), source.frequency,
                source.frequency * 0.01);
    // Mono goes to both output channels.
    for (std::size_t i = track.Frames() / 2; i < track.Frames() / 2 + 100; ++i)
        EXPECT_EQ(track.samples[2 * i], track.samples[2 * i + 1]);
}

TEST(Mp3Decoder, OutputFormatAudioIsTakenOverAsItIs)
{
    DecodedAudio audio;
    audio.rate = kOutputRate;
    audio.channels = kOutputChannels;
    audio.samples = {1, -1, 2, -2, 3, -3};
    PcmTrack track;
    std::string detail;
    ASSERT_EQ(ConvertToOutputFormat(std::move(audio), track, detail), FMOD_OK);
    EXPECT_EQ(track.samples, (std::vector<std::int16_t>{1, -1, 2, -2, 3, -3}));
    EXPECT_EQ(track.Frames(), 3u);
}

TEST(Mp3Decoder, MissingFileIsNotFoundAndNamed)
{
    DecodedAudio decoded;
    std::string detail;
    const std::string path = (sound_testing::ScratchDirectory() / "no_such_track.mp3").string();
    EXPECT_EQ(DecodeMp3File(path.c_str(), decoded, detail), FMOD_ERR_FILE_NOT_FOUND);
    EXPECT_NE(detail.find(path), std::string::npos) << detail;
    EXPECT_TRUE(decoded.samples.empty());
}

TEST(Mp3Decoder, DirectoryIsABadFile)
{
    DecodedAudio decoded;
    std::string detail;
    EXPECT_EQ(DecodeMp3File(sound_testing::ScratchDirectory().c_str(), decoded, detail), FMOD_ERR_FILE_BAD);
}

TEST(Mp3Decoder, FilesWithoutMpegAudioAreFormatErrors)
{
    std::mt19937 random(20240607);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(random() & 0xFF);
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "This is not a track. ";

    // The start of a real file: its tags and its first frame header, cut there.
    std::string header;
    {
        std::ifstream in(StereoTone().path, std::ios::binary);
        header.resize(300);
        in.read(header.data(), static_cast<std::streamsize>(header.size()));
        ASSERT_EQ(in.gcount(), 300);
    }

    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"cut_after_header.mp3", header},
        {"empty.mp3", ""},
        {"text.mp3", text},
        {"zeros.mp3", std::string(64 * 1024, '\0')},
        {"noise.mp3", noise},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = WriteScratchFile(c.name, c.bytes);
        DecodedAudio decoded;
        std::string detail;
        EXPECT_EQ(DecodeMp3File(path.c_str(), decoded, detail), FMOD_ERR_FORMAT) << detail;
        ::testing::Test::RecordProperty(c.name, detail);
        EXPECT_NE(detail.find(path.string()), std::string::npos) << detail;
        EXPECT_TRUE(decoded.samples.empty());
    }
}

}  // namespace
}  // namespace sound
