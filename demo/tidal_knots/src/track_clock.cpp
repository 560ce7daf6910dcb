#include <tidal_knots/track_clock.h>

#include <sound/fmod_api.h>

namespace dmo_nimra {

std::int64_t CTrackClock::Nanoseconds() const
{
    FMOD::System* system = m_system.load(std::memory_order_acquire);
    unsigned int hi = 0;
    unsigned int lo = 0;
    if (!system || system->getDSPClock(&hi, &lo) != FMOD_OK) return 0;
    const std::uint64_t frames = (static_cast<std::uint64_t>(hi) << 32) | lo;
    // 44 100 frames a second: whole seconds first, so nothing overflows.
    return static_cast<std::int64_t>(frames / 44100 * 1000000000ull + frames % 44100 * 1000000000ull / 44100);
}

}  // namespace dmo_nimra
