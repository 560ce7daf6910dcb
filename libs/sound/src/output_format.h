#pragma once
// The one format every sound is converted to and the device is fed with:
// interleaved signed 16-bit stereo at 44.1 kHz. Positions are counted in
// frames of this format (one sample per output channel).
#include <cstdint>
#include <vector>

namespace sound {

inline constexpr int kOutputRate = 44100;
inline constexpr int kOutputChannels = 2;

// Rounded up, so that a position set in milliseconds reads back as itself.
inline std::uint64_t MsToFrames(std::uint64_t ms) { return (ms * kOutputRate + 999) / 1000; }
inline std::uint64_t FramesToMs(std::uint64_t frames) { return frames * 1000 / kOutputRate; }

// A whole decoded sound in the output format.
struct PcmTrack {
    std::vector<std::int16_t> samples;

    std::uint64_t Frames() const { return samples.size() / kOutputChannels; }
};

}  // namespace sound
