#include <tidal_knots/ParticleExtension/gliding_particle_filters.h>

#include <numbers>

#include <halvo_ptl/random.h>

#include <tidal_knots/ParticleExtension/quaternion.h>

namespace dmo_nimra {

hlv_ptl::PTL_RESULT CInitialGlidingParticleFilter::Apply(const Particle&, Particle& out)
{
    const float sign = hlv_ptl::Random() % 2 == 1 ? -1.0f : 1.0f;
    const float angle = static_cast<float>(hlv_ptl::Random() % 1000) / 1000.0f * 2.0f * std::numbers::pi_v<float>;
    out.rotation = QuaternionFromAxisAngle(Vector3{0.0f, 0.0f, sign}, angle);
    out.initialRotation = out.rotation;
    return hlv_ptl::PTLR_OK;
}

}  // namespace dmo_nimra
