#pragma once
// The birth filter of the gliding sprites.
#include <halvo_ptl/PTL_RESULT.h>

#include <tidal_knots/ParticleExtension/particle_types.h>

namespace dmo_nimra {

// Rotation = initial rotation = a random angle in [0, 2 pi) about +z or -z.
class CInitialGlidingParticleFilter : public DemoParticleFilter {
public:
    hlv_ptl::PTL_RESULT Apply(const Particle& in, Particle& out) override;
};

}  // namespace dmo_nimra
