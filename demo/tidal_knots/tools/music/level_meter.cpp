#include "music/level_meter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace dmo_nimra::synth {

namespace {

double ToDb(double value) { return 20.0 * std::log10(std::max(value, 1e-10)); }

// A biquad from the audio-EQ cookbook.
class Biquad {
public:
    static Biquad HighShelf(double frequency, double gainDb, double q)
    {
        const double a = std::pow(10.0, gainDb / 40.0);
        const double w = 2.0 * std::numbers::pi * frequency / kSampleRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double c = std::cos(w);
        const double root = 2.0 * std::sqrt(a) * alpha;
        return Biquad(a * ((a + 1) + (a - 1) * c + root), -2 * a * ((a - 1) + (a + 1) * c),
                      a * ((a + 1) + (a - 1) * c - root), (a + 1) - (a - 1) * c + root, 2 * ((a - 1) - (a + 1) * c),
                      (a + 1) - (a - 1) * c - root);
    }
    static Biquad HighPass(double frequency, double q)
    {
        const double w = 2.0 * std::numbers::pi * frequency / kSampleRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double c = std::cos(w);
        return Biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
    }

    double Process(double x)
    {
        const double y = m_b0 * x + m_z1;
        m_z1 = m_b1 * x - m_a1 * y + m_z2;
        m_z2 = m_b2 * x - m_a2 * y;
        return y;
    }

private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
        : m_b0(b0 / a0), m_b1(b1 / a0), m_b2(b2 / a0), m_a1(a1 / a0), m_a2(a2 / a0)
    {
    }

    double m_b0, m_b1, m_b2, m_a1, m_a2;
    double m_z1 = 0.0;
    double m_z2 = 0.0;
};

// Mean square of the K-weighted signal in 100 ms steps.
std::vector<double> WeightedPowerSteps(const StereoBuffer& buffer)
{
    const std::size_t step = kSampleRate / 10;
    std::vector<double> steps;
    Biquad shelves[2] = {Biquad::HighShelf(1681.97, 4.0, 0.7072), Biquad::HighShelf(1681.97, 4.0, 0.7072)};
    Biquad highs[2] = {Biquad::HighPass(38.135, 0.5003), Biquad::HighPass(38.135, 0.5003)};
    double sum = 0.0;
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        const double l = highs[0].Process(shelves[0].Process(buffer.left[i]));
        const double r = highs[1].Process(shelves[1].Process(buffer.right[i]));
        sum += l * l + r * r;
        if ((i + 1) % step == 0) {
            steps.push_back(sum / static_cast<double>(step));
            sum = 0.0;
        }
    }
    return steps;
}

double Lufs(double power) { return -0.691 + 10.0 * std::log10(std::max(power, 1e-20)); }

}  // namespace

Levels Measure(const StereoBuffer& buffer, double from, double to)
{
    const auto index = [&](double t) {
        return static_cast<std::size_t>(
            std::clamp<std::int64_t>(FrameAt(t) - buffer.origin, 0, static_cast<std::int64_t>(buffer.Frames())));
    };
    const std::size_t begin = index(from);
    const std::size_t end = index(to);
    Levels levels;
    if (end <= begin) return levels;
    double peak = 0.0;
    double squares = 0.0;
    for (std::size_t i = begin; i < end; ++i) {
        for (const float value : {buffer.left[i], buffer.right[i]}) {
            peak = std::max(peak, static_cast<double>(std::abs(value)));
            squares += static_cast<double>(value) * value;
            if (std::abs(value) >= 1.0f) ++levels.clipped;
        }
        levels.dcLeft += buffer.left[i];
        levels.dcRight += buffer.right[i];
    }
    const double count = static_cast<double>(end - begin);
    levels.peakDb = ToDb(peak);
    levels.rmsDb = ToDb(std::sqrt(squares / (2.0 * count)));
    levels.dcLeft /= count;
    levels.dcRight /= count;
    return levels;
}

double IntegratedLoudness(const StereoBuffer& buffer)
{
    // 400 ms blocks overlapping by 75 %, gated at -70 LUFS and then at 10 LU
    // below the mean of the blocks that passed.
    const std::vector<double> steps = WeightedPowerSteps(buffer);
    std::vector<double> blocks;
    for (std::size_t i = 0; i + 4 <= steps.size(); ++i)
        blocks.push_back((steps[i] + steps[i + 1] + steps[i + 2] + steps[i + 3]) / 4.0);
    const auto gatedMean = [&](double gate) {
        double sum = 0.0;
        std::size_t count = 0;
        for (double power : blocks)
            if (Lufs(power) > gate) {
                sum += power;
                ++count;
            }
        return count ? sum / static_cast<double>(count) : 0.0;
    };
    const double absolute = gatedMean(-70.0);
    return Lufs(gatedMean(Lufs(absolute) - 10.0));
}

}  // namespace dmo_nimra::synth
