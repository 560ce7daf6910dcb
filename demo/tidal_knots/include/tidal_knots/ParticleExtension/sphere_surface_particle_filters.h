#pragma once
// Filters of the middle cubes, which live on the surface of a sphere: one
// gives a new particle its place on the sphere, the other pulls the particles
// over the surface towards a point of it every step.
//
// Filters are applied in place (in and out are the same particle) on many
// workers at once; they read their settings, which their owners change only
// between steps.
#include <halvo_ptl/PTL_RESULT.h>

#include <tidal_knots/ParticleExtension/particle_types.h>
#include <tidal_knots/ParticleExtension/quaternion.h>

namespace dmo_nimra {

// Birth: a random direction from the centre; position = initial position =
// radius x that direction (a sphere about the origin). Mass in [0.1, 0.2).
class CInitializeToSphereSurfaceParticleFilter : public DemoParticleFilter {
public:
    CInitializeToSphereSurfaceParticleFilter(float sphereRadius, const Vector3& sphereCentre)
        : radius(sphereRadius), centre(sphereCentre)
    {
    }

    hlv_ptl::PTL_RESULT Apply(const Particle& in, Particle& out) override;

    float radius;
    Vector3 centre;
};

// Per step, with D the way from the particle to radius x target direction:
// the particle goes back onto the sphere of that radius about the origin,
// its force becomes strength x (the part of D along the surface), its
// velocity keeps only its part along that tangent, its size becomes
// |D|^2 / radius^2 (0 at the target) and it gets a random mass in (0, 1].
class CTranslateToPointOnSphereSurfaceParticleFilter : public DemoParticleFilter {
public:
    CTranslateToPointOnSphereSurfaceParticleFilter(float forceStrength, float sphereRadius, const Vector3& direction)
        : strength(forceStrength), radius(sphereRadius), targetDirection(direction)
    {
    }

    hlv_ptl::PTL_RESULT Apply(const Particle& in, Particle& out) override;

    float strength;
    float radius;
    // The point the particles crawl towards is radius x targetDirection; the
    // scene's controller turns it every second.
    Vector3 targetDirection;
};

}  // namespace dmo_nimra
