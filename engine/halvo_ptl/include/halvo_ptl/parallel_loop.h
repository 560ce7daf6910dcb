#pragma once
// Every per-particle pass runs through ParallelForParticles: a TBB parallel
// loop over the slots [0, n) with grain size 1 and the automatic partitioner.
// The scheduler is created on demand by the first loop.
#include <cstdint>

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#define HLV_PTL_TSAN_ANNOTATIONS 1
#endif

namespace hlv_ptl::ptl_tbb {

using particle_range = tbb::blocked_range<std::uint64_t>;

// The grain size of every particle loop. Only the benchmarks build with
// another value (HLV_PTL_PARTICLE_GRAIN_SIZE) to compare against it.
#if defined(HLV_PTL_PARTICLE_GRAIN_SIZE)
inline constexpr std::uint64_t kParticleGrainSize = HLV_PTL_PARTICLE_GRAIN_SIZE;
#else
inline constexpr std::uint64_t kParticleGrainSize = 1;
#endif

// Runs body(particle_range) over [0, n). Body is one of the pass functors.
template <typename Body>
void ParallelForParticles(std::uint64_t n, const Body& body)
{
    if (n == 0) return;
#if defined(HLV_PTL_TSAN_ANNOTATIONS)
    // The TBB runtime library is not built with the thread sanitizer, so the
    // hand-over of the loop to the workers and the join at its end are
    // invisible to it. Declare exactly those two edges: what the caller wrote
    // before the loop happens before every chunk, every chunk happens before
    // the caller continues. Chunks get no edges among themselves, so races
    // between chunks are still reported.
    char fork = 0;
    char join = 0;
    __tsan_release(&fork);
    tbb::parallel_for(
        particle_range(0, n, kParticleGrainSize),
        [&body, &fork, &join](const particle_range& range) {
            __tsan_acquire(&fork);
            body(range);
            __tsan_release(&join);
        },
        tbb::auto_partitioner());
    __tsan_acquire(&join);
#else
    tbb::parallel_for(particle_range(0, n, kParticleGrainSize), body, tbb::auto_partitioner());
#endif
}

}  // namespace hlv_ptl::ptl_tbb
