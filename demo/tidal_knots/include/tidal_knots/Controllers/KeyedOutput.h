#pragma once
// An output slot driven by a keyframe sequence. Each frame whose time lies
// within the keys (first to last key time, both included) writes the
// sequence's value into the output and hands it to the connected inputs.
// A frame outside the keys writes nothing, except that an output which does
// not hold the value of the nearer end key yet is set to it once: frames come
// seldom on a slow machine and the playback clock jumps when the timeline is
// clicked, so the last frame inside the keys need not have reached the end
// value, and a jump over the keys would leave the output where it was.
#include <cstddef>
#include <cstdint>
#include <span>

#include <halvo_slot/CVariantSlot.h>
#include <tidal_knots/Controllers/KeyedTrack.h>

namespace dmo_nimra {

// One key of a compiled-in curve: the value at a time in milliseconds.
template <typename T>
struct TKey {
    std::uint64_t time;
    T value;
};

template <typename T>
class TKeyedOutput {
public:
    explicit TKeyedOutput(const T& initial = T{}) : m_output(initial) {}
    TKeyedOutput(const TKeyedOutput&) = delete;
    TKeyedOutput& operator=(const TKeyedOutput&) = delete;

    void AddKey(std::uint64_t time, const T& value) { m_track.AddKey(time, value); }
    void AddKeys(std::span<const TKey<T>> keys)
    {
        for (const TKey<T>& key : keys) AddKey(key.time, key.value);
    }

    // Within the keys: writes the value at t and notifies. Outside them: the
    // nearer end key's value, only when the output holds another. Returns
    // whether it wrote.
    bool Update(std::uint64_t t)
    {
        T value{};
        if (!m_track.Hold(t, value)) return false;
        if (!m_track.Covers(t) && value == m_output.Value()) return false;
        Set(value);
        return true;
    }

    // Writes value and notifies, whatever the keys.
    void Set(const T& value)
    {
        m_output.Value() = value;
        m_output.NotifyInputs();
    }

    const T& Value() const { return m_output.Value(); }
    std::size_t KeyCount() const { return m_track.KeyCount(); }
    hlv_slot::CVariantOutputSlot<T>& Output() { return m_output; }

private:
    hlv_slot::CVariantOutputSlot<T> m_output;
    TKeyedTrack<T> m_track;
};

using CKeyedFloatOutput = TKeyedOutput<float>;
using FloatKey = TKey<float>;

}  // namespace dmo_nimra
