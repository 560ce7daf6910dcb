#pragma once
// The parallel passes of a limited particle system that differ from the
// one-shot system's: initialisation and validation.
#include <cstdint>

#include <halvo_ptl/alive_bits.h>
#include <halvo_ptl/parallel_loop.h>
#include <halvo_ptl/particle.h>
#include <halvo_ptl/particle_volume.h>

namespace hlv_ptl::ptl_tbb_limited {

// Births every slot through the emitter and marks it alive.
template <typename Container, typename Emitter>
class particle_initializer_functor {
public:
    particle_initializer_functor(Container& particles, CAliveBits& alive, Emitter& emitter)
        : m_particles(particles), m_alive(alive), m_emitter(emitter)
    {
    }

    void operator()(const ptl_tbb::particle_range& range) const
    {
        for (std::uint64_t i = range.begin(); i != range.end(); ++i) {
            m_alive.Set(i);
            m_particles[i].index = i;
            m_emitter.InitializeParticle(m_particles[i]);
            m_particles[i].index = i;  // emitters that copy a template's index do not move the slot
        }
    }

private:
    Container& m_particles;
    CAliveBits& m_alive;
    Emitter& m_emitter;
};

// Ages the mortal particles by the step; a particle that reaches its
// lifetime dies, and with CheckVolume so does any particle outside the
// volume. The dead lose their alive bit and join the dead list.
template <typename Container, typename DeadList, bool CheckVolume>
class particle_validator_functor {
public:
    particle_validator_functor(Container& particles, CAliveBits& alive, DeadList& dead, std::uint32_t step,
                               const particle_volume& volume)
        : m_particles(particles), m_alive(alive), m_dead(dead), m_step(step), m_volume(volume)
    {
    }

    void operator()(const ptl_tbb::particle_range& range) const
    {
        for (std::uint64_t i = range.begin(); i != range.end(); ++i) {
            auto& particle = m_particles[i];
            bool dies = false;
            if (!particle.IsImmortal()) {
                particle.age += m_step;
                if (particle.age >= particle.lifetime) {
                    particle.lifetime = kImmortal;
                    particle.age = 0;
                    particle.lifeFraction = 0;
                    dies = true;
                } else {
                    particle.lifeFraction = static_cast<float>(particle.age) / static_cast<float>(particle.lifetime);
                }
            }
            if (CheckVolume && !dies) dies = !IsInsideVolume(particle.position, m_volume);
            if (dies) {
                m_alive.Reset(i);
                m_dead.push_back(i);
            }
        }
    }

private:
    Container& m_particles;
    CAliveBits& m_alive;
    DeadList& m_dead;
    std::uint32_t m_step;
    const particle_volume& m_volume;
};

}  // namespace hlv_ptl::ptl_tbb_limited
