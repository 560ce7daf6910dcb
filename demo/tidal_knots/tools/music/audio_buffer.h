#pragma once
// A stretch of stereo audio in floats (full scale is 1.0), with the absolute
// frame number of its first frame, so that voices started before the stretch
// can still be placed in it.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <vector>

namespace dmo_nimra::synth {

inline constexpr int kSampleRate = 44100;

// The frame nearest to a time in seconds.
inline std::int64_t FrameAt(double seconds) { return static_cast<std::int64_t>(std::llround(seconds * kSampleRate)); }

struct StereoBuffer {
    StereoBuffer() = default;
    StereoBuffer(std::int64_t firstFrame, std::size_t frames)
        : origin(firstFrame), left(frames, 0.0f), right(frames, 0.0f)
    {
    }

    std::size_t Frames() const { return left.size(); }
    std::int64_t EndFrame() const { return origin + static_cast<std::int64_t>(left.size()); }
    bool Holds(std::int64_t frame) const { return frame >= origin && frame < EndFrame(); }

    // Adds a frame at an absolute frame number; frames outside are dropped.
    void Add(std::int64_t frame, float l, float r)
    {
        if (!Holds(frame)) return;
        const std::size_t i = static_cast<std::size_t>(frame - origin);
        left[i] += l;
        right[i] += r;
    }

    void Clear()
    {
        std::fill(left.begin(), left.end(), 0.0f);
        std::fill(right.begin(), right.end(), 0.0f);
    }

    // Adds gain times other, which covers the same frames.
    void Mix(const StereoBuffer& other, float gain = 1.0f)
    {
        for (std::size_t i = 0; i < left.size(); ++i) {
            left[i] += gain * other.left[i];
            right[i] += gain * other.right[i];
        }
    }

    std::int64_t origin = 0;
    std::vector<float> left;
    std::vector<float> right;
};

// Constant-power gains of a pan position from -1 (left) to 1 (right).
struct PanGains {
    float left;
    float right;
};

inline PanGains Pan(float position)
{
    const double angle = (static_cast<double>(position) + 1.0) * 0.25 * std::numbers::pi;
    return {static_cast<float>(std::cos(angle) * std::sqrt(2.0)), static_cast<float>(std::sin(angle) * std::sqrt(2.0))};
}

}  // namespace dmo_nimra::synth
