#include <tidal_knots/ParticleExtension/pressure_cubes_particle_system_node.h>

#include <halvo_sg/RESULT.h>

namespace dmo_nimra {

CPressureCubesParticleSystemNode::CPressureCubesParticleSystemNode(const std::string& name)
    : PressureCubesNodeBase(name, kParticles, {"Particle Cube1 Data", "Particle Cube2 Data"})
{
}

std::uint32_t CPressureCubesParticleSystemNode::ResizeParticleSets()
{
    for (std::size_t i = 0; i < kSystemCount; ++i) WaitUntilIdle(i);
    for (OneShotParticleSystem* system : {&GetParticleSystem(), &GetSecondParticleSystem()}) {
        ParticleContainer& particles = system->GetParticles();
        particles.reserve(kParticles);
        particles.resize(kParticles);
    }
    return hlv_sg::MSGR_OK;
}

}  // namespace dmo_nimra
