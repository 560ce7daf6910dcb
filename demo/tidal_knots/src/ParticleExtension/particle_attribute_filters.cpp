#include <tidal_knots/ParticleExtension/particle_attribute_filters.h>

namespace dmo_nimra {

hlv_ptl::PTL_RESULT CConstantUniformSizeParticleFilter::Apply(const Particle&, Particle& out)
{
    out.size = size;
    return hlv_ptl::PTLR_OK;
}

hlv_ptl::PTL_RESULT CConstantMassParticleFilter::Apply(const Particle&, Particle& out)
{
    out.mass = mass;
    out.inverseMass = 1.0f / mass;
    return hlv_ptl::PTLR_OK;
}

hlv_ptl::PTL_RESULT CContrRotationParticleFilter::Apply(const Particle& in, Particle& out)
{
    out.rotation = QuaternionProduct(in.rotation, in.rotation);
    return hlv_ptl::PTLR_OK;
}

}  // namespace dmo_nimra
