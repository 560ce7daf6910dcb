#pragma once
// Emitters give particles their birth state.
#include <algorithm>
#include <cstdint>

#include <halvo_ptl/PTL_RESULT.h>

namespace hlv_ptl {

// Emitters are called from several worker threads at once, on different
// particles, and must tolerate that.
template <typename P, typename Container>
class IParticleEmitter {
public:
    // Gives one particle its birth state.
    virtual PTL_RESULT InitializeParticle(P& particle) = 0;

    // For each slot in [begin, end) of the container (clamped to its size):
    // starts from a default particle, lets InitializeParticle set it up, then
    // takes the slot's index from it and copies it into the slot.
    virtual PTL_RESULT InitializeRange(Container& particles, std::uint64_t begin, std::uint64_t end)
    {
        end = std::min<std::uint64_t>(end, particles.size());
        for (std::uint64_t i = begin; i < end; ++i) {
            P particle;
            InitializeParticle(particle);
            particles[i].index = particle.index;
            particles[i] = particle;
        }
        return PTLR_OK;
    }

    virtual ~IParticleEmitter() = default;
};

namespace ptl_cpu {

// Common base of the library's emitters.
template <typename P, typename Container>
class TBaseParticleEmitter : public IParticleEmitter<P, Container> {
public:
    using particle_type = P;
    using container_type = Container;
};

}  // namespace ptl_cpu
}  // namespace hlv_ptl
