#include "music/filters.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "music/audio_buffer.h"

namespace dmo_nimra::synth {

void StateVariableFilter::Tune(double cutoff, double q)
{
    const double limited = std::clamp(cutoff, 10.0, 0.45 * kSampleRate);
    const double g = std::tan(std::numbers::pi * limited / kSampleRate);
    m_k = 1.0 / std::max(q, 0.05);
    m_a1 = 1.0 / (1.0 + g * (g + m_k));
    m_a2 = g * m_a1;
    m_a3 = g * m_a2;
}

StateVariableFilter::Outputs StateVariableFilter::Process(float input)
{
    const double v3 = input - m_ic2;
    const double v1 = m_a1 * m_ic1 + m_a2 * v3;
    const double v2 = m_ic2 + m_a2 * m_ic1 + m_a3 * v3;
    m_ic1 = 2.0 * v1 - m_ic1;
    m_ic2 = 2.0 * v2 - m_ic2;
    return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(input - m_k * v1 - v2)};
}

void OnePoleLowPass::Tune(double cutoff)
{
    m_coefficient = 1.0 - std::exp(-2.0 * std::numbers::pi * cutoff / kSampleRate);
}

DcBlocker::DcBlocker(double cutoff) : m_r(1.0 - 2.0 * std::numbers::pi * cutoff / kSampleRate) {}

}  // namespace dmo_nimra::synth
