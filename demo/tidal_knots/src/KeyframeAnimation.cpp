#include <tidal_knots/KeyframeAnimation.h>

#include <algorithm>

namespace dmo_nimra {

bool IsActive(const KeyframeTiming& timing, bool hasKeys, std::uint64_t firstKey, std::uint64_t lastKey,
              std::uint64_t t)
{
    if (!hasKeys || t < timing.start) return false;
    if (timing.IsBounded()) {
        const std::uint64_t end = timing.duration > KeyframeTiming::kUnbounded - timing.start
                                      ? KeyframeTiming::kUnbounded
                                      : timing.start + timing.duration;
        return t <= end;
    }
    return firstKey <= t && t <= lastKey;
}

std::uint64_t LocalTime(const KeyframeTiming& timing, std::uint64_t firstKey, std::uint64_t lastKey, std::uint64_t t)
{
    const std::uint64_t d = t >= timing.start ? t - timing.start : 0;
    const std::uint64_t length = std::min(lastKey, timing.duration);
    std::uint64_t local = length;
    switch (timing.playMode) {
    case AM_REPEAT: local = length == 0 ? 0 : (d == length ? length : d % length); break;
    case AM_CLAMP: local = std::min(d, length); break;
    case AM_CYCLE: local = length; break;
    case AM_BACK: local = length - std::min(d, length); break;
    default: break;
    }
    return std::max(firstKey, std::min(local, length));
}

}  // namespace dmo_nimra
