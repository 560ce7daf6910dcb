#pragma once
// The small cubes that crawl over a sphere around Scene 2's middle cube: a
// limited system of up to 1000 particles, written into "Particle Cube1 Data".
#include <cstdint>
#include <string>

#include <tidal_knots/ParticleExtension/demo_particle_system_node.h>

namespace dmo_nimra {

class CMiddleCubesParticleSystemNode : public LimitedCubesNodeBase {
public:
    HLV_RESOURCE_CLASS(CMiddleCubesParticleSystemNode)

    static constexpr std::uint64_t kCapacity = 1000;

    explicit CMiddleCubesParticleSystemNode(const std::string& name)
        : LimitedCubesNodeBase(name, kCapacity, {"Particle Cube1 Data"})
    {
    }
};
HLV_DEFINE_RESOURCE_CLASS(CMiddleCubesParticleSystemNode, hlv_sg::AParticleSystemNode)

}  // namespace dmo_nimra
