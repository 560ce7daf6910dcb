#pragma once
// The time of one simulation step, as handed to a particle system.
#include <cstdint>

namespace hlv_ptl {

struct CTimeInfo {
    std::uint64_t time = 0;       // milliseconds
    std::uint64_t delta = 0;      // absolute step in milliseconds
    float deltaSeconds = 0.0f;    // the step in seconds, used by the integrator
    std::uint32_t backwards = 0;  // 1 when time ran backwards
};

// The step as a signed count of milliseconds: the low 32 bits of the delta,
// negated when time ran backwards (two's-complement wrap, never overflow).
inline std::int32_t SignedStep(const CTimeInfo& info)
{
    const auto low = static_cast<std::uint32_t>(info.delta);
    return static_cast<std::int32_t>(info.backwards != 0 ? 0u - low : low);
}

// The magnitude of the signed step, by which particles age.
inline std::uint32_t StepMagnitude(const CTimeInfo& info)
{
    const std::int32_t s = SignedStep(info);
    return s < 0 ? 0u - static_cast<std::uint32_t>(s) : static_cast<std::uint32_t>(s);
}

}  // namespace hlv_ptl
