#pragma once
// Metrics pace how fast a limited particle system grows and shrinks.
#include <cstdint>
#include <limits>

#include <halvo_ptl/time_info.h>

namespace hlv_ptl {

// How many particles a step may add or remove.
struct CParticleBatch {
    static constexpr std::uint64_t kUnlimited = std::numeric_limits<std::uint64_t>::max();

    std::uint64_t count = 0;  // 0 = none this step, kUnlimited = no limit
    std::uint32_t extra = 0;  // handed out unchanged; the systems do not read it
};

class IParticleMetric {
public:
    virtual void ComputeEmission(const CTimeInfo& info, CParticleBatch& batch) = 0;
    virtual void ComputeRemoval(const CTimeInfo& info, CParticleBatch& batch) = 0;
    // Systems delete the metrics they own through this interface.
    virtual ~IParticleMetric() = default;
};

}  // namespace hlv_ptl
