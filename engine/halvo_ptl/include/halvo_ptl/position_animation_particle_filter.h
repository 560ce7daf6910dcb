#pragma once
// Filters that animate a particle over its life along a spline.
#include <cstdint>

#include <halvo_ptl/particle_filter.h>

namespace hlv_ptl::ptl_cpu {

// How a position animation applies the spline's value.
enum POSITION_ANIMATION_MODE : std::uint32_t {
    PAM_OFFSET_FROM_INITIAL = 0,  // position = initial position + value
    PAM_ABSOLUTE = 1,             // position = value
};

// Common base: the spline, evaluated at the particle's life fraction, and
// the mode in which its value is applied.
template <typename P, typename SplinePointer>
class CSplineAnimationParticleFilter : public TBaseParticleFilter<P> {
public:
    CSplineAnimationParticleFilter(SplinePointer spline, std::uint32_t mode) : m_spline(spline), m_mode(mode) {}

    SplinePointer GetSpline() const { return m_spline; }
    std::uint32_t GetMode() const { return m_mode; }

protected:
    SplinePointer m_spline;
    std::uint32_t m_mode;
};

// Moves the particle along the spline. Writes only the position; any mode
// but the two above writes nothing.
template <typename P, typename SplinePointer>
class CPositionAPF : public CSplineAnimationParticleFilter<P, SplinePointer> {
public:
    using CSplineAnimationParticleFilter<P, SplinePointer>::CSplineAnimationParticleFilter;

    PTL_RESULT Apply(const P& in, P& out) override
    {
        if (this->m_spline == nullptr) return PTLR_NULL_PTR;
        const auto value = this->m_spline->evaluate(in.lifeFraction);
        if (this->m_mode == PAM_OFFSET_FROM_INITIAL) {
            for (int axis = 0; axis < 3; ++axis) out.position[axis] = in.initialPosition[axis] + value[axis];
        } else if (this->m_mode == PAM_ABSOLUTE) {
            for (int axis = 0; axis < 3; ++axis) out.position[axis] = value[axis];
        }
        return PTLR_OK;
    }
};

}  // namespace hlv_ptl::ptl_cpu
