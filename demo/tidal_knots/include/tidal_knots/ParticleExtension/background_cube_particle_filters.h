#pragma once
// Filters of the background cubes: where a start-up cube is born and how fast
// the cubes move.
#include <halvo_ptl/PTL_RESULT.h>
#include <plovdane/linear_spline.h>

#include <tidal_knots/ParticleExtension/particle_types.h>
#include <tidal_knots/ParticleExtension/quaternion.h>

namespace dmo_nimra {

// Birth: a random point v of the path, then position = initial position =
// v + (x in [-250, 249], y in [-250, 249], z in [-800, 199]).
class CBackgroundCubeInitialPositionParticleFilter : public DemoParticleFilter {
public:
    using Path = pld_math::linear_spline<pld_math::vec3f>;

    hlv_ptl::PTL_RESULT Apply(const Particle& in, Particle& out) override;

    // Filled by the scene builder before the first particle is born; a path
    // without points counts as the origin.
    Path path{5};
};

// Velocity = the filter's velocity (changed by the background controller).
class CBackgroundCubesVelocityParticleFilter : public DemoParticleFilter {
public:
    explicit CBackgroundCubesVelocityParticleFilter(const Vector3& cubeVelocity) : velocity(cubeVelocity) {}

    hlv_ptl::PTL_RESULT Apply(const Particle& in, Particle& out) override;

    Vector3 velocity;
};

}  // namespace dmo_nimra
