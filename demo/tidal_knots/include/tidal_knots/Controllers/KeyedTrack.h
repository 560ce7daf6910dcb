#pragma once
// A keyframe sequence that speaks only within its own keys: between the
// first and the last key time (both included) it gives the sequence's value;
// before the first key, after the last one and when it has no key at all it
// gives nothing, and whatever it drives keeps its last value.
#include <cstdint>

#include <plovdane/keyframe_sequence.h>

namespace dmo_nimra {

template <typename T>
class TKeyedTrack {
public:
    using value_type = T;

    void AddKey(std::uint64_t time, const T& value) { m_sequence.add_key(pld_ani::keyframe<T>{value, time}); }

    // Whether t lies within the keys.
    bool Covers(std::uint64_t t) const
    {
        return !m_sequence.empty() && m_sequence.first_time() <= t && t <= m_sequence.last_time();
    }

    // Within the keys: writes the value at t into out and returns true.
    // Otherwise leaves out as it is and returns false.
    bool Evaluate(std::uint64_t t, T& out)
    {
        if (!Covers(t)) return false;
        out = m_sequence.evaluate(t);
        return true;
    }

    // The value continuous playback leaves at t: within the keys the value
    // at t, before or after them the nearer end key's value. False, out
    // unchanged, without keys.
    bool Hold(std::uint64_t t, T& out)
    {
        if (m_sequence.empty()) return false;
        out = m_sequence.evaluate(t);
        return true;
    }

    std::size_t KeyCount() const { return m_sequence.size(); }

private:
    pld_ani::keyframe_sequence<T> m_sequence;
};

}  // namespace dmo_nimra
