#pragma once
// The crawling band of large cubes behind Scene 2: a limited system of up to
// 100 particles, written into "Particle Cube1 Data".
#include <cstdint>
#include <string>

#include <tidal_knots/ParticleExtension/demo_particle_system_node.h>

namespace dmo_nimra {

class CBackgroundCubesParticleSystemNode : public LimitedCubesNodeBase {
public:
    HLV_RESOURCE_CLASS(CBackgroundCubesParticleSystemNode)

    static constexpr std::uint64_t kCapacity = 100;

    explicit CBackgroundCubesParticleSystemNode(const std::string& name)
        : LimitedCubesNodeBase(name, kCapacity, {"Particle Cube1 Data"})
    {
    }
};
HLV_DEFINE_RESOURCE_CLASS(CBackgroundCubesParticleSystemNode, hlv_sg::AParticleSystemNode)

}  // namespace dmo_nimra
