#pragma once
// The integration pass of a step, shared by the limited and the one-shot
// systems: the Euler step, the pre-filter, or the pre-filter then the Euler
// step, over every particle in parallel.
#include <cstdint>

#include <halvo_ptl/base_particle_system.h>
#include <halvo_ptl/parallel_loop.h>
#include <halvo_ptl/particle_filter.h>

namespace hlv_ptl {

namespace tbb_solver_only {

template <typename Container, typename Solver>
class particle_update_functor {
public:
    particle_update_functor(Container& particles, const Solver& solver, float dt)
        : m_particles(particles), m_solver(solver), m_dt(dt)
    {
    }

    void operator()(const ptl_tbb::particle_range& range) const
    {
        for (std::uint64_t i = range.begin(); i != range.end(); ++i) m_solver(m_particles[i], m_dt);
    }

private:
    Container& m_particles;
    const Solver& m_solver;
    float m_dt;
};

}  // namespace tbb_solver_only

namespace tbb_filter_only {

template <typename Container, typename Filter>
class parallel_update_functor {
public:
    parallel_update_functor(Container& particles, Filter& filter) : m_particles(particles), m_filter(filter) {}

    void operator()(const ptl_tbb::particle_range& range) const
    {
        for (std::uint64_t i = range.begin(); i != range.end(); ++i) m_filter.Apply(m_particles[i], m_particles[i]);
    }

private:
    Container& m_particles;
    Filter& m_filter;
};

}  // namespace tbb_filter_only

namespace tbb_prefilter_solver {

template <typename Container, typename Filter, typename Solver>
class parallel_update_functor {
public:
    parallel_update_functor(Container& particles, Filter& filter, const Solver& solver, float dt)
        : m_particles(particles), m_filter(filter), m_solver(solver), m_dt(dt)
    {
    }

    void operator()(const ptl_tbb::particle_range& range) const
    {
        for (std::uint64_t i = range.begin(); i != range.end(); ++i) {
            m_filter.Apply(m_particles[i], m_particles[i]);
            m_solver(m_particles[i], m_dt);
        }
    }

private:
    Container& m_particles;
    Filter& m_filter;
    const Solver& m_solver;
    float m_dt;
};

}  // namespace tbb_prefilter_solver

namespace ptl_tbb {

// Runs the integration pass that mode selects over all particles. The modes
// that apply the pre-filter skip it when there is none.
template <typename Container, typename Filter, typename Solver>
void IntegrateParticles(Container& particles, std::uint32_t mode, Filter* preFilter, const Solver& solver, float dt)
{
    const std::uint64_t n = particles.size();
    switch (mode) {
    case ptl_cpu::IM_SOLVER_ONLY:
        ParallelForParticles(n, tbb_solver_only::particle_update_functor<Container, Solver>(particles, solver, dt));
        break;
    case ptl_cpu::IM_FILTER_ONLY:
        if (preFilter != nullptr)
            ParallelForParticles(n, tbb_filter_only::parallel_update_functor<Container, Filter>(particles, *preFilter));
        break;
    case ptl_cpu::IM_PREFILTER_THEN_SOLVER:
        if (preFilter != nullptr)
            ParallelForParticles(n, tbb_prefilter_solver::parallel_update_functor<Container, Filter, Solver>(
                                        particles, *preFilter, solver, dt));
        else
            ParallelForParticles(n, tbb_solver_only::particle_update_functor<Container, Solver>(particles, solver, dt));
        break;
    default: break;
    }
}

}  // namespace ptl_tbb
}  // namespace hlv_ptl
