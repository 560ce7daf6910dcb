#pragma once
// One loaded keyframe file: when its sequence plays in demo time and how the
// demo time maps into the sequence.
//
// A record is active at demo time t when it has keys, t >= start and
//   - bounded (duration below all ones): t <= start + duration (the sum
//     saturates instead of wrapping);
//   - unbounded: the first key's time <= t <= the last key's time.
// Its local time for d = t - start and L = min(last key's time, duration):
//   AM_REPEAT  L when d equals L, else d mod L (0 when L is 0)
//   AM_CLAMP   min(d, L)
//   AM_CYCLE   L
//   AM_BACK    L - min(d, L)
//   other      L
// clamped to [first key's time, L], so the sequence is never evaluated
// outside its keys.
#include <cstdint>
#include <string>

#include <plovdane/keyframe_sequence.h>
#include <plovdane/math_types.h>
#include <tidal_knots/demo_types.h>

namespace dmo_nimra {

struct KeyframeTiming {
    static constexpr std::uint64_t kUnbounded = ~std::uint64_t{0};

    std::uint64_t start = 0;              // ms of demo time
    std::uint64_t duration = kUnbounded;  // ms; all ones: no limit
    std::uint32_t playMode = AM_CLAMP;    // ANIMATION_MODE

    bool IsBounded() const { return duration != kUnbounded; }
};

// Whether a record with these timings and key range is active at t.
bool IsActive(const KeyframeTiming& timing, bool hasKeys, std::uint64_t firstKey, std::uint64_t lastKey,
              std::uint64_t t);
// The local time of an active record at t (see above).
std::uint64_t LocalTime(const KeyframeTiming& timing, std::uint64_t firstKey, std::uint64_t lastKey, std::uint64_t t);

template <typename Value>
struct KeyframeAnimation : KeyframeTiming {
    using value_type = Value;
    pld_ani::keyframe_sequence<Value> sequence;

    bool IsActiveAt(std::uint64_t t) const
    {
        return IsActive(*this, !sequence.empty(), sequence.first_time(), sequence.last_time(), t);
    }
    std::uint64_t GetLocalTime(std::uint64_t t) const
    {
        return LocalTime(*this, sequence.first_time(), sequence.last_time(), t);
    }
};

using ScalarKeyframeAnimation = KeyframeAnimation<float>;
using Vec3KeyframeAnimation = KeyframeAnimation<pld_math::vector<float, 3>>;

}  // namespace dmo_nimra
