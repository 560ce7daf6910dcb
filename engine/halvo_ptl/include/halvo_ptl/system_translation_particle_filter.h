#pragma once
// Moves a particle with the translation of a particle system.
#include <halvo_ptl/particle_filter.h>

namespace hlv_ptl::ptl_cpu {

template <typename P, typename System>
class CParticleSystemTranslationFilter : public TBaseParticleFilter<P> {
public:
    explicit CParticleSystemTranslationFilter(const System* system) : m_system(system) {}

    // Initial position = position = in position + the system's translation.
    PTL_RESULT Apply(const P& in, P& out) override
    {
        if (m_system == nullptr) return PTLR_NULL_PTR;
        const auto& translation = m_system->GetTranslation();
        for (int axis = 0; axis < 3; ++axis) {
            const float moved = in.position[axis] + translation[axis];
            out.initialPosition[axis] = moved;
            out.position[axis] = moved;
        }
        return PTLR_OK;
    }

private:
    const System* m_system;
};

}  // namespace hlv_ptl::ptl_cpu
