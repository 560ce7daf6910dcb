#include <tidal_knots/ParticleExtension/pressure_cube_particle_filters.h>

#include <cmath>

#include <halvo_ptl/random.h>

namespace dmo_nimra {

hlv_ptl::PTL_RESULT CPressureCubeInitialPositionParticleFilter::Apply(const Particle& in, Particle& out)
{
    if (gridSide == 0) return hlv_ptl::PTLR_INVALID_ARGUMENT;
    const std::uint64_t n = gridSide;
    const std::uint64_t i = in.index;
    const float half = std::trunc(static_cast<float>(n) * spacing * 0.5f);
    const Vector3 offset{static_cast<float>(i % n) * spacing - half, static_cast<float>((i / n) % n) * spacing - half,
                         static_cast<float>(i / (n * n)) * spacing - half};
    out.initialPosition = RotateByQuaternion(orientation, in.initialPosition + offset);
    out.position = out.initialPosition;
    out.initialRotation = orientation;
    out.rotation = orientation;
    out.size = spacing;
    out.mass = static_cast<float>(hlv_ptl::Random() % 100 + 10) / 100.0f;
    out.inverseMass = 1.0f / out.mass;
    return hlv_ptl::PTLR_OK;
}

hlv_ptl::PTL_RESULT CDebriForceParticleFilter::Apply(const Particle& in, Particle& out)
{
    const Vector3 fromCentre = in.position - centre;
    if (pld_math::dot(fromCentre, fromCentre) <= squaredRadius) out.force = force * 2.0f;
    return hlv_ptl::PTLR_OK;
}

hlv_ptl::PTL_RESULT CTranslationParticleFilter::Apply(const Particle& in, Particle& out)
{
    out.position = in.position + translation;
    return hlv_ptl::PTLR_OK;
}

}  // namespace dmo_nimra
