#pragma once
// Filters of the pressure cubes: the lattice the cubes start in, the force
// fields that push them apart and the translation that moves a lattice.
//
// Filters are applied in place on many workers at once; their settings are
// changed only between steps.
#include <cstdint>

#include <halvo_ptl/PTL_RESULT.h>

#include <tidal_knots/ParticleExtension/particle_types.h>
#include <tidal_knots/ParticleExtension/quaternion.h>

namespace dmo_nimra {

// Birth: particle i takes its place in an N x N x N lattice of the given
// spacing, x fastest, offset from its initial position by
// ((i % N) s - h, ((i / N) % N) s - h, (i / N^2) s - h) with h = N s / 2
// truncated to a whole number, the sum rotated by the orientation. Position =
// initial position, rotation = initial rotation = orientation, size =
// spacing, mass in [0.1, 1.1).
class CPressureCubeInitialPositionParticleFilter : public DemoParticleFilter {
public:
    CPressureCubeInitialPositionParticleFilter(std::uint64_t side, float latticeSpacing, const Quaternion& rotation)
        : gridSide(side), spacing(latticeSpacing), orientation(rotation)
    {
    }

    hlv_ptl::PTL_RESULT Apply(const Particle& in, Particle& out) override;

    std::uint64_t gridSide;
    float spacing;
    Quaternion orientation;  // w, x, y, z
};

// Per step: a particle within the field (squared distance from the centre at
// most the squared radius) gets twice the field's force; elsewhere its force
// stays as it is.
class CDebriForceParticleFilter : public DemoParticleFilter {
public:
    CDebriForceParticleFilter(const Vector3& fieldCentre, float fieldSquaredRadius, const Vector3& fieldForce)
        : centre(fieldCentre), squaredRadius(fieldSquaredRadius), force(fieldForce)
    {
    }

    hlv_ptl::PTL_RESULT Apply(const Particle& in, Particle& out) override;

    Vector3 centre;
    float squaredRadius;
    Vector3 force;
};

// Per step: position += translation (the scene's controller sets this frame's
// increment).
class CTranslationParticleFilter : public DemoParticleFilter {
public:
    explicit CTranslationParticleFilter(const Vector3& step) : translation(step) {}

    hlv_ptl::PTL_RESULT Apply(const Particle& in, Particle& out) override;

    Vector3 translation;
};

}  // namespace dmo_nimra
