#pragma once
// Gradient noise and its fractal sums on the unit torus: coordinates are
// fractions of the picture, and the noise at u + 1 (or v + 1) equals the noise
// at u (v), so pictures made from it tile.
#include <cstdint>
#include <vector>

namespace dmo_images {

class PeriodicNoise {
public:
    // period lattice cells across the unit square; gradients from the seed.
    PeriodicNoise(int period, std::uint32_t seed);

    // About -0.7..0.7, 0 at every lattice point.
    float At(float u, float v) const;

private:
    struct Gradient {
        float x, y;
    };
    const Gradient& At(int i, int j) const;

    int m_period;
    std::vector<Gradient> m_gradients;
};

// octaves of PeriodicNoise, the first with basePeriod cells, each next one
// with twice the cells and gain times the weight; scaled to about -1..1.
class PeriodicFbm {
public:
    PeriodicFbm(int basePeriod, int octaves, float gain, std::uint32_t seed);

    float At(float u, float v) const;

private:
    std::vector<PeriodicNoise> m_octaves;
    std::vector<float> m_weights;
};

}  // namespace dmo_images
