#pragma once
// Gives a particle a new life of random length.
#include <cstdint>

#include <halvo_ptl/particle_filter.h>
#include <halvo_ptl/random.h>

namespace hlv_ptl::ptl_cpu {

template <typename P>
class CRandomLifeParticleFilter : public TBaseParticleFilter<P> {
public:
    // Lifetimes in milliseconds, drawn from [minimum, maximum); the maximum
    // should exceed the minimum, else every lifetime is the minimum.
    CRandomLifeParticleFilter(std::uint64_t minimum, std::uint64_t maximum) : m_minimum(minimum), m_maximum(maximum) {}

    // Age 0, life fraction 0, the drawn lifetime (immortal when it is all
    // ones). No other field is written.
    PTL_RESULT Apply(const P&, P& out) override
    {
        const std::uint64_t lifetime = m_maximum > m_minimum
                                           ? static_cast<std::uint64_t>(Random()) % (m_maximum - m_minimum) + m_minimum
                                           : m_minimum;
        out.age = 0;
        out.lifetime = lifetime;
        out.lifeFraction = 0;
        return PTLR_OK;
    }

private:
    std::uint64_t m_minimum;
    std::uint64_t m_maximum;
};

}  // namespace hlv_ptl::ptl_cpu
