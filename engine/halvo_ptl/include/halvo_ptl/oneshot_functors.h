#pragma once
// The parallel passes of a one-shot particle system: initialisation and the
// validation that re-initialises dead particles in their own slots.
#include <cstdint>

#include <halvo_ptl/parallel_loop.h>
#include <halvo_ptl/particle.h>
#include <halvo_ptl/particle_volume.h>

namespace hlv_ptl {

namespace ptl_tbb {

// Gives every slot its index and its birth state from the emitter.
template <typename Container, typename Emitter>
class particle_initializer_functor {
public:
    particle_initializer_functor(Container& particles, Emitter& emitter) : m_particles(particles), m_emitter(emitter) {}

    void operator()(const particle_range& range) const
    {
        for (std::uint64_t i = range.begin(); i != range.end(); ++i) {
            m_particles[i].index = i;
            m_emitter.InitializeParticle(m_particles[i]);
            m_particles[i].index = i;  // emitters that copy a template's index do not move the slot
        }
    }

private:
    Container& m_particles;
    Emitter& m_emitter;
};

}  // namespace ptl_tbb

namespace ptl_tbb_oneshot {

// Ages the mortal particles by the step; a particle that reaches its
// lifetime, or with CheckVolume leaves the volume, is born again in place.
template <typename Container, typename Emitter, bool CheckVolume>
class particle_validator_functor {
public:
    particle_validator_functor(Container& particles, Emitter& emitter, std::uint32_t step,
                               const particle_volume& volume)
        : m_particles(particles), m_emitter(emitter), m_step(step), m_volume(volume)
    {
    }

    void operator()(const ptl_tbb::particle_range& range) const
    {
        for (std::uint64_t i = range.begin(); i != range.end(); ++i) {
            auto& particle = m_particles[i];
            if (!particle.IsImmortal()) {
                particle.age += m_step;
                if (particle.age < particle.lifetime) {
                    particle.lifeFraction = static_cast<float>(particle.age) / static_cast<float>(particle.lifetime);
                } else {
                    particle.age = 0;
                    particle.lifetime = kImmortal;
                    particle.lifeFraction = 0;
                    Reborn(particle, i);
                    continue;
                }
            }
            if (CheckVolume && !IsInsideVolume(particle.position, m_volume)) Reborn(particle, i);
        }
    }

private:
    template <typename P>
    void Reborn(P& particle, std::uint64_t slot) const
    {
        m_emitter.InitializeParticle(particle);
        particle.index = slot;
    }

    Container& m_particles;
    Emitter& m_emitter;
    std::uint32_t m_step;
    const particle_volume& m_volume;
};

}  // namespace ptl_tbb_oneshot
}  // namespace hlv_ptl
