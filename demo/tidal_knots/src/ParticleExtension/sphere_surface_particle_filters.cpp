#include <tidal_knots/ParticleExtension/sphere_surface_particle_filters.h>

#include <cmath>

#include <halvo_ptl/random.h>

namespace dmo_nimra {
namespace {

// A coordinate in [-499, 500].
float SphereCoordinateDraw() { return static_cast<float>(hlv_ptl::Random() % 1000 - 500 + 1); }

// Below this, 1 - |cos| says the way to the target runs straight along the
// surface normal and has no part along the surface.
constexpr float kTangentParallelLimit = 0.0001f;

}  // namespace

hlv_ptl::PTL_RESULT CInitializeToSphereSurfaceParticleFilter::Apply(const Particle&, Particle& out)
{
    const float c1 = SphereCoordinateDraw();
    const float c2 = SphereCoordinateDraw();
    const float c3 = SphereCoordinateDraw();
    const Vector3 direction = Normalised(Vector3{c3 - centre[0], c2 - centre[1], c1 - centre[2]});
    out.position = direction * radius;
    out.initialPosition = out.position;
    out.mass = (static_cast<float>(hlv_ptl::Random() % 1000) / 1000.0f + 1.0f) * 0.1f;
    out.inverseMass = 1.0f / out.mass;
    return hlv_ptl::PTLR_OK;
}

hlv_ptl::PTL_RESULT CTranslateToPointOnSphereSurfaceParticleFilter::Apply(const Particle& in, Particle& out)
{
    const Vector3 toTarget = targetDirection * radius - in.position;
    const Vector3 normal = Normalised(in.position);
    const float along = pld_math::dot(normal, toTarget);
    const float squaredDistance = pld_math::dot(toTarget, toTarget);
    const float cosine = pld_math::dot(Normalised(toTarget), normal);
    Vector3 tangent = toTarget - normal * along;
    if (1.0f - std::fabs(cosine) < kTangentParallelLimit) tangent = Vector3{normal[1], normal[0], -normal[2]};

    const Vector3 direction = Normalised(tangent);
    out.velocity = direction * pld_math::dot(direction, in.velocity);
    out.position = normal * radius;
    out.force = tangent * strength;
    out.size = squaredDistance / (radius * radius);
    out.mass = static_cast<float>(hlv_ptl::Random() % 1000 + 1) / 1000.0f;
    out.inverseMass = 1.0f / out.mass;
    return hlv_ptl::PTLR_OK;
}

}  // namespace dmo_nimra
