#pragma once
// A particle system whose particles are born and die. Each step ages the
// particles and removes the dead, closes the holes, lets the metric pace
// births or removals towards the target count, and integrates everything.
// The per-particle passes run as TBB parallel loops; the bookkeeping between
// them runs serially on the system's update thread.
#include <cstdint>
#include <vector>

#include <halvo_ptl/base_limited_particle_system.h>
#include <halvo_ptl/integration_functors.h>
#include <halvo_ptl/limited_functors.h>

namespace hlv_ptl::ptl_tbb {

template <typename P, typename Container = std::vector<P>, typename Solver = ptl_cpu::cpu_euler::TParticleSolver>
class TLimitedParticleSystem : public ptl_cpu::cpu_limited::TBaseLimitedParticleSystem<P, Container, Solver> {
    using base_type = ptl_cpu::cpu_limited::TBaseLimitedParticleSystem<P, Container, Solver>;

public:
    using dead_list_type = typename base_type::dead_list_type;

    // Room for capacity particles; none yet. Starts the update thread.
    explicit TLimitedParticleSystem(std::uint64_t capacity) : base_type(capacity) { this->StartUpdateThread(); }

    ~TLimitedParticleSystem() override { this->StopUpdateThread(); }

    // Rebuilds the set with the target count's particles, all born through
    // the emitter; with target 0 empties it (given room for some).
    PTL_RESULT InitializeParticles() override
    {
        auto* emitter = this->GetEmitter();
        if (emitter == nullptr) return PTLR_INVALID_EMITTER;
        Container& particles = this->GetParticles();
        const std::uint64_t target = this->GetTargetCount();
        if (target == 0 && particles.capacity() == 0) return PTLR_INVALID_NUMBER_OF_PARTICLES;
        particles.clear();
        this->AliveBits().Resize(0);
        particles.resize(target);
        this->AliveBits().Resize(target);
        this->DeadList().clear();
        this->DeadList().reserve(target != 0 ? target : particles.capacity());
        this->SetActiveCount(target);
        ParallelForParticles(target,
                             ptl_tbb_limited::particle_initializer_functor<Container, typename base_type::emitter_type>(
                                 particles, this->AliveBits(), *emitter));
        return PTLR_OK;
    }

    void UpdateStep(const CTimeInfo& info) override
    {
        const std::uint64_t target = this->GetTargetCount();
        if (target == 0 && this->GetActiveCount() == 0) {
            this->ResetEmission();
            return;
        }
        Container& particles = this->GetParticles();
        // Slots the owner added directly get clear bits.
        if (this->AliveBits().Size() != particles.size()) this->AliveBits().Resize(particles.size());

        Validate(particles, StepMagnitude(info));
        this->CountDeadParticles();
        this->CompactDeadParticles();
        this->DecideEmission(target, info);
        this->ApplyEmission();
        IntegrateParticles(particles, this->GetIntegrationMode(), this->GetPreFilter(), this->GetSolver(),
                           info.deltaSeconds);
    }

private:
    void Validate(Container& particles, std::uint32_t step)
    {
        const std::uint64_t n = particles.size();
        if (this->GetVolumeCheck() == ptl_cpu::VC_LIFETIME_AND_VOLUME)
            ParallelForParticles(n, ptl_tbb_limited::particle_validator_functor<Container, dead_list_type, true>(
                                        particles, this->AliveBits(), this->DeadList(), step, this->GetVolume()));
        else
            ParallelForParticles(n, ptl_tbb_limited::particle_validator_functor<Container, dead_list_type, false>(
                                        particles, this->AliveBits(), this->DeadList(), step, this->GetVolume()));
    }
};

}  // namespace hlv_ptl::ptl_tbb
