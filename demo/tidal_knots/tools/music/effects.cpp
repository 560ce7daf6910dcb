#include "music/effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "music/filters.h"

namespace dmo_nimra::synth {

namespace {

// A circular delay line of a fixed length.
class DelayLine {
public:
    explicit DelayLine(std::size_t length) : m_samples(std::max<std::size_t>(length, 1), 0.0f) {}

    // The sample written length calls ago.
    float Read() const { return m_samples[m_position]; }
    void Write(float value)
    {
        m_samples[m_position] = value;
        m_position = (m_position + 1) % m_samples.size();
    }

private:
    std::vector<float> m_samples;
    std::size_t m_position = 0;
};

// A Schroeder all-pass that smears the reverb's input.
class Diffuser {
public:
    Diffuser(std::size_t length, float gain) : m_line(length), m_gain(gain) {}

    float Process(float input)
    {
        const float delayed = m_line.Read();
        const float fed = input + m_gain * delayed;
        m_line.Write(fed);
        return delayed - m_gain * fed;
    }

private:
    DelayLine m_line;
    float m_gain;
};

}  // namespace

void ApplyPingPongEcho(StereoBuffer& buffer, const EchoSettings& settings)
{
    const std::size_t length = static_cast<std::size_t>(FrameAt(settings.delay));
    DelayLine left(length);
    DelayLine right(length);
    OnePoleLowPass dampLeft;
    OnePoleLowPass dampRight;
    dampLeft.Tune(settings.damping);
    dampRight.Tune(settings.damping);
    const float feedback = static_cast<float>(settings.feedback);
    const float wet = static_cast<float>(settings.wet);
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        const float echoLeft = left.Read();
        const float echoRight = right.Read();
        // The dry signal enters on the left; each repeat crosses over.
        left.Write(0.5f * (buffer.left[i] + buffer.right[i]) + feedback * dampLeft.Process(echoRight));
        right.Write(feedback * dampRight.Process(echoLeft));
        buffer.left[i] += wet * echoLeft;
        buffer.right[i] += wet * echoRight;
    }
}

void AddReverb(const StereoBuffer& send, StereoBuffer& ret, const ReverbSettings& settings)
{
    constexpr std::array<std::size_t, 4> kLengths{1557, 1891, 2239, 2617};  // ~35-60 ms, coprime
    std::array<DelayLine, 4> lines{DelayLine(kLengths[0]), DelayLine(kLengths[1]), DelayLine(kLengths[2]),
                                   DelayLine(kLengths[3])};
    std::array<OnePoleLowPass, 4> damping;
    std::array<float, 4> gains{};
    for (std::size_t i = 0; i < 4; ++i) {
        damping[i].Tune(settings.damping);
        // Each pass through line i loses its share of 60 dB per decay time.
        gains[i] = static_cast<float>(
            std::pow(10.0, -3.0 * static_cast<double>(kLengths[i]) / (settings.decay * kSampleRate)));
    }
    DelayLine preDelay(static_cast<std::size_t>(FrameAt(settings.preDelay)));
    Diffuser first(142, 0.6f);
    Diffuser second(379, 0.6f);
    const float level = static_cast<float>(0.5 * settings.level);

    for (std::size_t n = 0; n < send.Frames(); ++n) {
        const float delayed = preDelay.Read();
        preDelay.Write(0.5f * (send.left[n] + send.right[n]));
        const float input = second.Process(first.Process(delayed));

        std::array<float, 4> out{};
        for (std::size_t i = 0; i < 4; ++i) out[i] = damping[i].Process(lines[i].Read());
        // A Hadamard matrix mixes the lines' outputs back into their inputs.
        const std::array<float, 4> mixed{
            0.5f * (out[0] + out[1] + out[2] + out[3]), 0.5f * (out[0] - out[1] + out[2] - out[3]),
            0.5f * (out[0] + out[1] - out[2] - out[3]), 0.5f * (out[0] - out[1] - out[2] + out[3])};
        for (std::size_t i = 0; i < 4; ++i) lines[i].Write(input + gains[i] * mixed[i]);
        ret.left[n] += level * (out[0] + out[2]);
        ret.right[n] += level * (out[1] + out[3]);
    }
}

void ApplyKickDucking(StereoBuffer& buffer, const std::vector<double>& kickTimes, const DuckSettings& settings)
{
    std::size_t next = 0;
    double last = -1.0e9;
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        const double t = static_cast<double>(buffer.origin + static_cast<std::int64_t>(i)) / kSampleRate;
        while (next < kickTimes.size() && kickTimes[next] <= t) last = kickTimes[next++];
        const double since = t - last;
        const double shape = since < settings.attack ? since / settings.attack
                                                     : std::exp(-(since - settings.attack) / settings.recover);
        const float gain = static_cast<float>(1.0 - settings.depth * shape);
        buffer.left[i] *= gain;
        buffer.right[i] *= gain;
    }
}

}  // namespace dmo_nimra::synth
