#pragma once
// The TBB layer between the common base and the concrete systems, whose
// per-particle passes run as TBB parallel loops. It adds no state.
#include <vector>

#include <halvo_ptl/base_particle_system.h>

namespace hlv_ptl::ptl_tbb {

template <typename P, typename Container = std::vector<P>, typename Solver = ptl_cpu::cpu_euler::TParticleSolver>
class TBaseParticleSystem : public ptl_cpu::TBaseParticleSystem<P, Container, Solver> {
protected:
    TBaseParticleSystem() = default;
};

}  // namespace hlv_ptl::ptl_tbb
