#pragma once
// An emitter that births a particle through an inner emitter and then runs it
// through a filter group.
#include <halvo_ptl/particle_emitter.h>
#include <halvo_ptl/particle_filter.h>

namespace hlv_ptl::ptl_cpu {

template <typename Group, typename P, typename Container>
class CFilteredParticleEmitter : public TBaseParticleEmitter<P, Container> {
public:
    // The inner emitter is owned.
    explicit CFilteredParticleEmitter(IParticleEmitter<P, Container>* inner) : m_inner(inner) {}
    CFilteredParticleEmitter(const CFilteredParticleEmitter&) = delete;
    CFilteredParticleEmitter& operator=(const CFilteredParticleEmitter&) = delete;

    ~CFilteredParticleEmitter() override
    {
        if (m_ownsInner) delete m_inner;
    }

    // The inner emitter, then the group in place; their results are not used.
    PTL_RESULT InitializeParticle(P& particle) override
    {
        if (m_inner != nullptr) m_inner->InitializeParticle(particle);
        m_group.Apply(particle, particle);
        return PTLR_OK;
    }

    // Adds a birth-time filter to the group (which owns it).
    PTL_RESULT AddFilter(IParticleFilter<P>* filter) { return m_group.AddFilter(filter); }

    IParticleEmitter<P, Container>* GetInnerEmitter() const { return m_inner; }
    Group& GetGroup() { return m_group; }

private:
    IParticleEmitter<P, Container>* m_inner;
    bool m_ownsInner = true;
    Group m_group;
};

}  // namespace hlv_ptl::ptl_cpu
