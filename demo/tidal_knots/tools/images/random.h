#pragma once
// Seeded random numbers for the image tool. Values are built from the raw
// output of std::mt19937, whose sequence the standard fixes, so a seed gives
// the same pictures with any standard library.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

namespace dmo_images {

class Random {
public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}

    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(m_engine() >> 8) / 16777216.0; }

    double Uniform(double low, double high) { return low + (high - low) * Uniform(); }

    // Uniform in [0, count).
    int Index(int count) { return static_cast<int>(Uniform() * count); }

    // Standard normal (Box-Muller).
    double Gaussian()
    {
        const double u = 1.0 - Uniform();  // (0, 1]: the logarithm stays finite
        const double v = Uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * std::numbers::pi * v);
    }

private:
    std::mt19937 m_engine;
};

}  // namespace dmo_images
