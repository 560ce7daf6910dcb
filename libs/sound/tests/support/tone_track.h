#pragma once
// Short MP3 files made on the spot: a sine tone written as WAV and encoded
// with the lame command-line encoder, in a scratch directory of the test
// process that is removed when the process ends normally.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sound_testing {

struct ToneTrack {
    std::filesystem::path path;
    int rate = 0;
    int channels = 0;
    std::uint64_t frames = 0;  // samples per channel that went into the encoder
    double frequency = 0.0;

    double Seconds() const { return static_cast<double>(frames) / rate; }
    // Samples per channel in one MP3 frame at this rate.
    int MpegFrameSamples() const { return rate >= 32000 ? 1152 : 576; }
};

// The directory, made on first use.
const std::filesystem::path& ScratchDirectory();

// Encodes frames samples per channel of a tone at frequency Hz; throws
// std::runtime_error when lame is missing or fails.
ToneTrack MakeToneTrack(const std::string& name, int rate, int channels, std::uint64_t frames, double frequency,
                        int kilobitsPerSecond);

// The bytes of a WAVE file of 16-bit PCM audio holding samples (interleaved).
std::string WaveFileBytes(int rate, int channels, const std::vector<std::int16_t>& samples);

// Writes bytes to a file in the scratch directory and returns its path.
std::filesystem::path WriteScratchFile(const std::string& name, const std::string& bytes);

// The tracks most tests share, made once per process.
const ToneTrack& StereoTone();  // 44.1 kHz stereo, 6 s, 440 Hz
const ToneTrack& MonoTone();    // 22.05 kHz mono, 3 s, 1 kHz

}  // namespace sound_testing
