#pragma once
// Filters that set one attribute of a particle: its size, its mass or its
// rotation.
#include <cmath>
#include <cstdint>

#include <halvo_ptl/PTL_RESULT.h>
#include <halvo_ptl/random.h>

#include <tidal_knots/ParticleExtension/particle_types.h>
#include <tidal_knots/ParticleExtension/quaternion.h>

namespace dmo_nimra {

// Size = the filter's size.
class CConstantUniformSizeParticleFilter : public DemoParticleFilter {
public:
    explicit CConstantUniformSizeParticleFilter(float uniformSize) : size(uniformSize) {}

    hlv_ptl::PTL_RESULT Apply(const Particle& in, Particle& out) override;

    float size;
};

// Mass = the filter's mass, inverse mass = 1 / mass.
class CConstantMassParticleFilter : public DemoParticleFilter {
public:
    explicit CConstantMassParticleFilter(float particleMass) : mass(particleMass) {}

    hlv_ptl::PTL_RESULT Apply(const Particle& in, Particle& out) override;

    float mass;
};

// Rotation = the square of the particle's rotation (the Hamilton product of
// the rotation with itself): the angle doubles about the same axis.
class CContrRotationParticleFilter : public DemoParticleFilter {
public:
    hlv_ptl::PTL_RESULT Apply(const Particle& in, Particle& out) override;
};

// Rotation = a random turn about a random axis of the positive octant: three
// axis components, then the turn, each drawn from [0, 1) in steps of
// 1 / Resolution; the half angle is turn x 3.141329 / 2. The quaternion is
// (cos h, c sin h, b sin h, a sin h) for the normalised axis (a, b, c). The
// initial rotation is left as it is.
template <typename P, int Resolution = 10000>
class CRandomRotationParticleFilter : public hlv_ptl::ptl_cpu::TBaseParticleFilter<P> {
    static_assert(Resolution > 1 && Resolution <= hlv_ptl::kRandomMax + 1);

public:
    hlv_ptl::PTL_RESULT Apply(const P&, P& out) override
    {
        const float a = Draw();
        const float b = Draw();
        const float c = Draw();
        Vector3 axis{a, b, c};
        const float length = pld_math::length(axis);
        // All three drawn as 0: no axis to turn about, so the turn goes about z
        // and the rotation stays a unit quaternion.
        axis = length > kNormaliseEpsilon ? axis * (1.0f / length) : Vector3{0.0f, 0.0f, 1.0f};
        const float half = Draw() * kHalfTurnScale;
        const float s = std::sin(half);
        out.rotation = {std::cos(half), axis[2] * s, axis[1] * s, axis[0] * s};
        return hlv_ptl::PTLR_OK;
    }

private:
    // Half of the (slightly short) pi by which the turn is scaled.
    static constexpr float kHalfTurnScale = 3.141329f * 0.5f;

    static float Draw() { return static_cast<float>(hlv_ptl::Random() % Resolution) / static_cast<float>(Resolution); }
};

}  // namespace dmo_nimra
