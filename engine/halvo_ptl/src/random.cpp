#include <halvo_ptl/random.h>

#include <atomic>
#include <random>

namespace hlv_ptl {
namespace {

// Each thread's first draw seeds its engine from this sequence.
std::atomic<std::uint32_t> g_nextThreadSeed{0x2545F491u};

std::minstd_rand& ThreadEngine()
{
    thread_local std::minstd_rand engine(g_nextThreadSeed.fetch_add(0x9E3779B9u, std::memory_order_relaxed) | 1u);
    return engine;
}

}  // namespace

int Random()
{
    // The engine yields [1, 2^31 - 2]; its high bits are the better ones.
    return static_cast<int>(ThreadEngine()() >> 16);
}

void SeedRandom(std::uint32_t seed)
{
    // minstd_rand treats a seed of 0 (mod its modulus) as 1.
    ThreadEngine().seed(seed);
}

}  // namespace hlv_ptl
