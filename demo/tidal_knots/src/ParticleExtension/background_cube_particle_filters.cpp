#include <tidal_knots/ParticleExtension/background_cube_particle_filters.h>

#include <halvo_ptl/random.h>

namespace dmo_nimra {

hlv_ptl::PTL_RESULT CBackgroundCubeInitialPositionParticleFilter::Apply(const Particle&, Particle& out)
{
    const int r1 = hlv_ptl::Random();
    const int r2 = hlv_ptl::Random();
    const int r3 = hlv_ptl::Random();
    const int r4 = hlv_ptl::Random();
    const pld_math::vec3f onPath = path.evaluate(static_cast<float>(r4 % 1000) / 1000.0f);
    out.position = Vector3{static_cast<float>(r1 % 500 - 250) + onPath[0],
                           static_cast<float>(r2 % 500 - 250) + onPath[1],
                           static_cast<float>(r3 % 1000 - 800) + onPath[2]};
    out.initialPosition = out.position;
    return hlv_ptl::PTLR_OK;
}

hlv_ptl::PTL_RESULT CBackgroundCubesVelocityParticleFilter::Apply(const Particle&, Particle& out)
{
    out.velocity = velocity;
    return hlv_ptl::PTLR_OK;
}

}  // namespace dmo_nimra
