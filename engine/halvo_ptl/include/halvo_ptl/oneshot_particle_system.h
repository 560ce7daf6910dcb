#pragma once
// A particle system with a fixed number of particles: a particle that dies of
// age or leaves the volume is born again by the emitter in its own slot.
// No metric, no dead list, no compaction.
#include <cstdint>
#include <vector>

#include <halvo_ptl/integration_functors.h>
#include <halvo_ptl/oneshot_functors.h>
#include <halvo_ptl/tbb_base_particle_system.h>

namespace hlv_ptl::ptl_tbb {

template <typename P, typename Container = std::vector<P>, typename Solver = ptl_cpu::cpu_euler::TParticleSolver>
class TOneShotParticleSystem : public TBaseParticleSystem<P, Container, Solver> {
    using base_type = TBaseParticleSystem<P, Container, Solver>;

public:
    using emitter_type = typename base_type::emitter_type;

    // count default particles. Starts the update thread.
    explicit TOneShotParticleSystem(std::uint64_t count)
    {
        this->GetParticles().reserve(count);
        this->GetParticles().assign(count, P());
        this->StartUpdateThread();
    }

    ~TOneShotParticleSystem() override { this->StopUpdateThread(); }

    PTL_RESULT InitializeParticles() override
    {
        emitter_type* emitter = this->GetEmitter();
        if (emitter == nullptr) return PTLR_INVALID_EMITTER;
        Container& particles = this->GetParticles();
        if (particles.empty()) return PTLR_INVALID_NUMBER_OF_PARTICLES;
        ParallelForParticles(particles.size(),
                             particle_initializer_functor<Container, emitter_type>(particles, *emitter));
        return PTLR_OK;
    }

    void UpdateStep(const CTimeInfo& info) override
    {
        Container& particles = this->GetParticles();
        emitter_type* emitter = this->GetEmitter();
        if (particles.empty() || emitter == nullptr) return;
        const std::uint32_t step = StepMagnitude(info);
        if (this->GetVolumeCheck() == ptl_cpu::VC_LIFETIME_AND_VOLUME)
            ParallelForParticles(particles.size(),
                                 ptl_tbb_oneshot::particle_validator_functor<Container, emitter_type, true>(
                                     particles, *emitter, step, this->GetVolume()));
        else
            ParallelForParticles(particles.size(),
                                 ptl_tbb_oneshot::particle_validator_functor<Container, emitter_type, false>(
                                     particles, *emitter, step, this->GetVolume()));
        IntegrateParticles(particles, this->GetIntegrationMode(), this->GetPreFilter(), this->GetSolver(),
                           info.deltaSeconds);
    }
};

}  // namespace hlv_ptl::ptl_tbb
