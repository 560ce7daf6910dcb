#include "music/master.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <deque>
#include <numbers>
#include <vector>

#include "music/filters.h"

namespace dmo_nimra::synth {

namespace {

double SmoothingCoefficient(double seconds) { return 1.0 - std::exp(-1.0 / (seconds * kSampleRate)); }

// Gain change in dB of a soft-knee compressor for an input level in dBFS.
double GainReduction(double level, const CompressorSettings& s)
{
    const double over = level - s.threshold;
    const double slope = 1.0 / s.ratio - 1.0;
    if (2.0 * over <= -s.knee) return 0.0;
    if (2.0 * over >= s.knee) return slope * over;
    const double x = over + 0.5 * s.knee;
    return slope * x * x / (2.0 * s.knee);
}

// The minimum of values[i .. i + window - 1] for every i, in one pass.
std::vector<float> SlidingMinimumAhead(const std::vector<float>& values, std::size_t window)
{
    std::vector<float> minimum(values.size());
    std::deque<std::size_t> candidates;  // indices of rising values
    std::size_t pushed = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t last = std::min(values.size(), i + window);
        for (; pushed < last; ++pushed) {
            while (!candidates.empty() && values[candidates.back()] >= values[pushed]) candidates.pop_back();
            candidates.push_back(pushed);
        }
        while (candidates.front() < i) candidates.pop_front();
        minimum[i] = values[candidates.front()];
    }
    return minimum;
}

}  // namespace

void RemoveDc(StereoBuffer& buffer)
{
    DcBlocker left(5.0);
    DcBlocker right(5.0);
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        buffer.left[i] = left.Process(buffer.left[i]);
        buffer.right[i] = right.Process(buffer.right[i]);
    }
}

void Compress(StereoBuffer& buffer, const CompressorSettings& settings)
{
    const double attack = SmoothingCoefficient(settings.attack);
    const double release = SmoothingCoefficient(settings.release);
    const double makeup = DecibelsToGain(settings.makeup);
    double envelope = 0.0;  // dB of gain reduction, smoothed
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        const double peak = std::max(std::abs(buffer.left[i]), std::abs(buffer.right[i]));
        const double level = 20.0 * std::log10(std::max(peak, 1e-9));
        const double target = GainReduction(level, settings);
        envelope += (target < envelope ? attack : release) * (target - envelope);
        const float gain = static_cast<float>(DecibelsToGain(envelope) * makeup);
        buffer.left[i] *= gain;
        buffer.right[i] *= gain;
    }
}

void Limit(StereoBuffer& buffer, const LimiterSettings& settings)
{
    const std::size_t frames = buffer.Frames();
    const std::size_t window = std::max<std::size_t>(1, static_cast<std::size_t>(FrameAt(settings.lookahead)));
    // Stay a hair under the ceiling, so rounding never lifts a sample over it.
    const double ceiling = DecibelsToGain(settings.ceiling) * 0.9995;

    // The gain each frame needs on its own, then the least gain needed by any
    // frame within the look-ahead.
    std::vector<float> needed(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const double peak = std::max(std::abs(buffer.left[i]), std::abs(buffer.right[i]));
        needed[i] = static_cast<float>(peak > ceiling ? ceiling / peak : 1.0);
    }
    const std::vector<float> ahead = SlidingMinimumAhead(needed, window);

    // Falls at once, returns slowly; then averaged over the look-ahead window,
    // which keeps the gain at a peak at or below what the peak needs (every
    // value in the average is) while turning the fall into a ramp.
    // Frames before the buffer count as needing what its first frames need,
    // so a peak right at its start is held down as well as any later one.
    const double release = SmoothingCoefficient(settings.release);
    double held = frames ? ahead[0] : 1.0;
    std::vector<double> history(window, held);
    double sum = static_cast<double>(window) * held;
    for (std::size_t i = 0; i < frames; ++i) {
        held = std::min<double>(ahead[i], held + release * (1.0 - held));
        double& slot = history[i % window];
        sum += held - slot;
        slot = held;
        const float gain = static_cast<float>(sum / static_cast<double>(window));
        buffer.left[i] *= gain;
        buffer.right[i] *= gain;
    }
}

void ApplyEdgeFades(StereoBuffer& buffer, double length, double fadeIn, double fadeOut)
{
    const double fadeStart = length - fadeOut;
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        const double t = static_cast<double>(buffer.origin + static_cast<std::int64_t>(i)) / kSampleRate;
        double gain = 1.0;
        if (t < fadeIn) gain = std::max(t, 0.0) / fadeIn;
        if (t >= length)
            gain = 0.0;
        else if (t > fadeStart)
            gain *= 0.5 * (1.0 + std::cos(std::numbers::pi * (t - fadeStart) / fadeOut));
        buffer.left[i] *= static_cast<float>(gain);
        buffer.right[i] *= static_cast<float>(gain);
    }
}

}  // namespace dmo_nimra::synth
