#pragma once
// White noise from a seeded xorshift generator: the same seed gives the same
// samples on every run and every machine.
#include <cstdint>

namespace dmo_nimra::synth {

class Noise {
public:
    explicit Noise(std::uint64_t seed) : m_state(Mix(seed) | 1u) {}

    // Uniform in [-1, 1).
    float Next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        const std::uint64_t bits = (m_state * 0x2545F4914F6CDD1DULL) >> 40;  // 24 bits
        return static_cast<float>(bits) * (2.0f / 16777216.0f) - 1.0f;
    }

    // Spreads nearby seeds (note times, note numbers) over the whole state.
    static std::uint64_t Mix(std::uint64_t x)
    {
        x += 0x9E3779B97F4A7C15ULL;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
        return x ^ (x >> 31);
    }

private:
    std::uint64_t m_state;
};

}  // namespace dmo_nimra::synth
