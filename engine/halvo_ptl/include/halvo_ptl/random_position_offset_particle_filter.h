#pragma once
// Moves a particle by a random offset within an extent.
#include <array>

#include <halvo_ptl/particle_filter.h>
#include <halvo_ptl/random.h>

namespace hlv_ptl::ptl_cpu {

// Per axis, position = in position + f * extent with f drawn from
// [-1, 1 - 2/Resolution].
template <typename P, int Resolution = 1000>
class CRandomPositionOffsetParticleFilter : public TBaseParticleFilter<P> {
    static_assert(Resolution > 1 && Resolution % 2 == 0 && Resolution <= kRandomMax + 1);

public:
    using extent_type = std::array<float, 3>;

    explicit CRandomPositionOffsetParticleFilter(const extent_type& extent) : m_extent(extent) {}

    // Copies in to out, index included, then offsets the position.
    PTL_RESULT Apply(const P& in, P& out) override
    {
        out.index = in.index;
        out = in;
        for (int axis = 0; axis < 3; ++axis) {
            const float f = static_cast<float>(Random() % Resolution - Resolution / 2) /
                            static_cast<float>(Resolution / 2);
            out.position[axis] = in.position[axis] + f * m_extent[axis];
        }
        return PTLR_OK;
    }

    const extent_type& GetExtent() const { return m_extent; }
    // The owner changes the extent only while no step is pending.
    void SetExtent(const extent_type& extent) { m_extent = extent; }

private:
    extent_type m_extent;
};

}  // namespace hlv_ptl::ptl_cpu
