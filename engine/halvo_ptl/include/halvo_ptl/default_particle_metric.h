#pragma once
// The metric a limited system installs unless told otherwise: a batch size
// and a period for growing and for shrinking. With period 0 the whole batch
// is due at every step; with period p it is handed out once and then again
// after the accumulated step deltas have reached p.
#include <cstdint>
#include <limits>

#include <halvo_ptl/particle_metric.h>

namespace hlv_ptl {

class CDefaultParticleMetric : public IParticleMetric {
public:
    // A clock value that means "due".
    static constexpr std::uint64_t kDue = std::numeric_limits<std::uint64_t>::max();

    void ComputeEmission(const CTimeInfo& info, CParticleBatch& batch) override
    {
        batch.extra = m_emissionExtra;
        if (m_emissionClock == kDue) {
            batch.count = m_emissionCount;
            if (m_emissionPeriod != 0) m_emissionClock = 0;
        } else {
            batch.count = 0;
        }
        if (m_emissionClock < m_emissionPeriod)
            m_emissionClock += info.delta;
        else
            m_emissionClock = kDue;
    }

    void ComputeRemoval(const CTimeInfo& info, CParticleBatch& batch) override
    {
        batch.extra = m_removalExtra;
        if (m_removalClock >= m_removalPeriod) {
            batch.count = m_removalCount;
            m_removalClock = 0;
        } else {
            batch.count = 0;
        }
        if (m_removalClock < m_removalPeriod)
            m_removalClock += info.delta;
        else
            m_removalClock = 0;
    }

protected:
    std::uint64_t m_emissionClock = kDue;
    std::uint64_t m_removalClock = kDue;
    std::uint64_t m_emissionPeriod = 0;
    std::uint32_t m_emissionExtra = 0;
    std::uint64_t m_emissionCount = CParticleBatch::kUnlimited;
    std::uint64_t m_removalPeriod = 0;
    std::uint32_t m_removalExtra = 0;
    std::uint64_t m_removalCount = CParticleBatch::kUnlimited;
};

}  // namespace hlv_ptl
