#include "periodic_noise.h"

#include <cmath>
#include <numbers>

#include "random.h"

namespace dmo_images {

namespace {

int WrapIndex(int i, int size) { return ((i % size) + size) % size; }

float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

}  // namespace

PeriodicNoise::PeriodicNoise(int period, std::uint32_t seed) : m_period(period)
{
    Random random(seed);
    m_gradients.reserve(static_cast<std::size_t>(period) * period);
    for (int i = 0; i < period * period; ++i) {
        const double angle = random.Uniform(0.0, 2.0 * std::numbers::pi);
        m_gradients.push_back({static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))});
    }
}

const PeriodicNoise::Gradient& PeriodicNoise::At(int i, int j) const
{
    return m_gradients[static_cast<std::size_t>(WrapIndex(j, m_period)) * m_period + WrapIndex(i, m_period)];
}

float PeriodicNoise::At(float u, float v) const
{
    const float x = u * m_period;
    const float y = v * m_period;
    const int i = static_cast<int>(std::floor(x));
    const int j = static_cast<int>(std::floor(y));
    const float fx = x - i;
    const float fy = y - j;
    const auto corner = [&](int di, int dj) {
        const Gradient& g = At(i + di, j + dj);
        return g.x * (fx - di) + g.y * (fy - dj);
    };
    const float sx = Fade(fx);
    const float sy = Fade(fy);
    const float bottom = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * sx;
    const float top = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * sx;
    return bottom + (top - bottom) * sy;
}

PeriodicFbm::PeriodicFbm(int basePeriod, int octaves, float gain, std::uint32_t seed)
{
    float weight = 1.0f;
    float total = 0.0f;
    for (int k = 0; k < octaves; ++k) {
        m_octaves.emplace_back(basePeriod << k, seed + 7919u * static_cast<std::uint32_t>(k));
        m_weights.push_back(weight);
        total += weight;
        weight *= gain;
    }
    // Gradient noise rarely leaves -0.5..0.5: scale the sum to about -1..1.
    for (float& w : m_weights) w *= 2.0f / total;
}

float PeriodicFbm::At(float u, float v) const
{
    float sum = 0.0f;
    for (std::size_t k = 0; k < m_octaves.size(); ++k) sum += m_weights[k] * m_octaves[k].At(u, v);
    return sum;
}

}  // namespace dmo_images
