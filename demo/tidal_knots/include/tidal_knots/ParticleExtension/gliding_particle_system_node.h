#pragma once
// The gliding sprites of Scene 2: a one-shot system of 150 particles, written
// with their masses into "Gliding Particle Data".
#include <cstdint>
#include <string>

#include <tidal_knots/ParticleExtension/demo_particle_system_node.h>

namespace dmo_nimra {

class CGlidingParticleSystemNode : public GlidingNodeBase {
public:
    HLV_RESOURCE_CLASS(CGlidingParticleSystemNode)

    static constexpr std::uint64_t kParticles = 150;

    explicit CGlidingParticleSystemNode(const std::string& name)
        : GlidingNodeBase(name, kParticles, {"Gliding Particle Data"})
    {
    }
};
HLV_DEFINE_RESOURCE_CLASS(CGlidingParticleSystemNode, hlv_sg::AParticleSystemNode)

}  // namespace dmo_nimra
