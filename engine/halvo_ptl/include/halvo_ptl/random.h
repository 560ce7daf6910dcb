#pragma once
// Random numbers for emitters and filters, which run on many worker threads
// at once. Each thread draws from an engine of its own, so no draw takes a
// lock; the values lie in [0, 32767], so "Random() % n" keeps the range it
// would have with the C library's rand().
#include <cstdint>

namespace hlv_ptl {

inline constexpr int kRandomMax = 32767;

// The next value of the calling thread's engine, in [0, kRandomMax].
int Random();

// Restarts the calling thread's engine from seed. Threads that never seed get
// distinct sequences of their own.
void SeedRandom(std::uint32_t seed);

}  // namespace hlv_ptl
