#pragma once
// The two lattices of Scene 2's pressure cubes: two one-shot systems of
// 15 x 15 x 15 particles, written into "Particle Cube1 Data" and
// "Particle Cube2 Data". The first geometry child draws the first lattice
// (AddParticleGeometry), the second the second (AddSecondParticleGeometry).
#include <cstdint>
#include <string>

#include <tidal_knots/ParticleExtension/demo_particle_system_node.h>

namespace dmo_nimra {

class CPressureCubesParticleSystemNode : public PressureCubesNodeBase {
public:
    HLV_RESOURCE_CLASS(CPressureCubesParticleSystemNode)

    static constexpr std::uint64_t kGridSide = 15;
    static constexpr std::uint64_t kParticles = kGridSide * kGridSide * kGridSide;

    explicit CPressureCubesParticleSystemNode(const std::string& name);

    // Gives both systems exactly kParticles default particles (their emitters
    // then place them). Returns 0.
    std::uint32_t ResizeParticleSets();
};
HLV_DEFINE_RESOURCE_CLASS(CPressureCubesParticleSystemNode, hlv_sg::AParticleSystemNode)

}  // namespace dmo_nimra
