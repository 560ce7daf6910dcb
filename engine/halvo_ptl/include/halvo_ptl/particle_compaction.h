#pragma once
// Closes the holes that dead particles leave in a limited system's container.
#include <cstdint>

#include <halvo_ptl/alive_bits.h>

namespace hlv_ptl::ptl_cpu::cpu_limited {

// For each dead slot d in the order the list holds them: the highest alive
// slot above d moves into d and the container is cut off below that slot;
// with no alive slot above d the container is cut off at d. Every slot below
// the final size is then alive, the survivors keep their contents, and each
// moved particle's index is its new slot. Serial.
template <typename Container, typename DeadList>
void CompactParticles(Container& particles, CAliveBits& alive, const DeadList& dead)
{
    for (const std::uint64_t d : dead) {
        if (particles.empty()) break;
        if (d >= particles.size()) continue;
        std::uint64_t last = particles.size() - 1;
        while (last > d && !alive.Test(last)) --last;
        if (last > d) {
            particles[d] = particles[last];
            particles[d].index = d;
            alive.Set(d);
            alive.Reset(last);
            particles.resize(last);
            alive.Resize(last);
        } else {
            const std::uint64_t keep = alive.Test(d) ? d + 1 : d;
            particles.resize(keep);
            alive.Resize(keep);
        }
    }
}

}  // namespace hlv_ptl::ptl_cpu::cpu_limited
