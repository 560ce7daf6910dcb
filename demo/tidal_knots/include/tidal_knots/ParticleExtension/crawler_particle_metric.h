#pragma once
// The metric of the background cubes: a limited system that uses it gains or
// loses one particle per 1000 ms of accumulated step time. The background
// controller raises the emission count for its burst and lowers it again.
#include <cstdint>

#include <halvo_ptl/default_particle_metric.h>

namespace dmo_nimra {

class CCrawlerParticleMetric : public hlv_ptl::CDefaultParticleMetric {
public:
    static constexpr std::uint64_t kPeriod = 1000;  // milliseconds

    CCrawlerParticleMetric()
    {
        m_emissionClock = kDue;
        m_removalClock = kDue;
        m_emissionPeriod = kPeriod;
        m_emissionExtra = 1;
        m_emissionCount = 1;
        m_removalPeriod = kPeriod;
        m_removalExtra = 1;
        m_removalCount = 1;
    }

    // The emission settings; written between steps (the system reads them
    // during its step).
    void SetEmissionPeriod(std::uint64_t milliseconds) { m_emissionPeriod = milliseconds; }
    void SetEmissionExtra(std::uint32_t extra) { m_emissionExtra = extra; }
    void SetEmissionCount(std::uint64_t count) { m_emissionCount = count; }
    std::uint64_t GetEmissionPeriod() const { return m_emissionPeriod; }
    std::uint32_t GetEmissionExtra() const { return m_emissionExtra; }
    std::uint64_t GetEmissionCount() const { return m_emissionCount; }
};

}  // namespace dmo_nimra
