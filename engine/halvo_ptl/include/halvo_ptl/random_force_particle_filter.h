#pragma once
// Adds a random force to a particle.
#include <halvo_ptl/particle_filter.h>
#include <halvo_ptl/random.h>

namespace hlv_ptl::ptl_cpu {

// Per axis, force += f * magnitude with f drawn from [-1, 1 - 2/Resolution].
template <typename P, int Resolution = 10000>
class CRandomForceParticleFilter : public TBaseParticleFilter<P> {
    static_assert(Resolution > 1 && Resolution % 2 == 0 && Resolution <= kRandomMax + 1);

public:
    explicit CRandomForceParticleFilter(float magnitude) : m_magnitude(magnitude) {}

    // Writes only the force.
    PTL_RESULT Apply(const P& in, P& out) override
    {
        for (int axis = 0; axis < 3; ++axis) {
            const float f = static_cast<float>(Random() % Resolution - Resolution / 2) /
                            static_cast<float>(Resolution / 2);
            out.force[axis] = in.force[axis] + f * m_magnitude;
        }
        return PTLR_OK;
    }

private:
    float m_magnitude;
};

}  // namespace hlv_ptl::ptl_cpu
