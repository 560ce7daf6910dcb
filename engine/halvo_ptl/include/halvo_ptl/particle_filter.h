#pragma once
// Filters compute a particle from a particle: birth-time filters inside
// emitters, per-step pre-filters inside systems.
#include <halvo_ptl/PTL_RESULT.h>

namespace hlv_ptl {

template <typename P>
class IParticleFilter {
public:
    // Every caller passes the same particle as in and out (filters work in
    // place); a filter writes only the fields it owns. 0 = success.
    virtual PTL_RESULT Apply(const P& in, P& out) = 0;
    // Owners delete the filters they own through this interface.
    virtual ~IParticleFilter() = default;
};

namespace ptl_cpu {

// Common base of the library's filters.
template <typename P>
class TBaseParticleFilter : public IParticleFilter<P> {
public:
    using particle_type = P;
};

}  // namespace ptl_cpu
}  // namespace hlv_ptl
