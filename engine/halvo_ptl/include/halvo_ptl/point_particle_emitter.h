#pragma once
// Births every particle as a copy of one template particle.
#include <halvo_ptl/particle_emitter.h>

namespace hlv_ptl::ptl_cpu {

template <typename P, typename Container>
class CPointParticleEmitter : public TBaseParticleEmitter<P, Container> {
public:
    // Keeps a copy of the template, its index included.
    explicit CPointParticleEmitter(const P& templateParticle = P()) : m_template(templateParticle) {}

    // Copies every field of the template but the index.
    PTL_RESULT InitializeParticle(P& particle) override
    {
        particle = m_template;
        return PTLR_OK;
    }

    const P& GetTemplate() const { return m_template; }
    // The owner changes the template only while no step is pending.
    P& GetTemplate() { return m_template; }

private:
    P m_template;
};

}  // namespace hlv_ptl::ptl_cpu
