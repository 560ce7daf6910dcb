#pragma once
// Keyframe sequences: keys sorted by time with a linear spline laid through
// their values, evaluated at a time in milliseconds.
//
// Times before the first key give the first key's value, times at or after
// the last key the last key's value; an empty sequence gives a zero value;
// of several keys at one time the one added first sorts last and wins at
// that time (the curve steps there and is continuous from the right).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <plovdane/linear_spline.h>
#include <plovdane/math_types.h>

namespace pld_ani {

template <typename T>
struct keyframe {
    T value{};
    std::uint64_t time = 0;
    std::uint64_t tag = ~std::uint64_t(0);
};

template <typename T, typename Param = float, typename Key = keyframe<T>,
          typename Spline = pld_math::linear_spline<T, Param>>
class keyframe_sequence {
public:
    using value_type = T;
    using key_type = Key;

    keyframe_sequence() : m_spline(kGrowthStep) {}

    // Inserts the key before any key of the same time and returns an id that
    // keeps finding it (through key_position) as further keys are added.
    std::size_t add_key(const Key& key)
    {
        Grow(m_keys);
        Grow(m_keyIds);
        const auto at = std::lower_bound(m_keys.begin(), m_keys.end(), key.time,
                                         [](const Key& k, std::uint64_t t) { return k.time < t; });
        const std::size_t p = static_cast<std::size_t>(at - m_keys.begin());
        const bool last = p == m_keys.size();
        m_keys.insert(at, key);
        if (last) {
            m_spline.add_point(key.value);
        } else {
            for (std::size_t& id : m_keyIds)
                if (id >= p) ++id;
            m_spline.insert_point(p, key.value);
        }
        m_keyIds.push_back(p);
        return m_keyIds.size() - 1;
    }

    T evaluate(std::uint64_t t)
    {
        if (m_keys.empty()) return T{};
        if (t < m_keys.front().time) return m_spline.evaluate(Param(0));
        if (t >= m_keys.back().time) return m_spline.evaluate(Param(1));
        const std::size_t i = FindSegment(t);
        const Key& a = m_keys[i - 1];
        const Key& b = m_keys[i];
        // Point k of the spline belongs to key k, so the parameter of t lies in
        // segment i - 1 at the key-time fraction f.
        const Param f = static_cast<Param>(t - a.time) / static_cast<Param>(b.time - a.time);
        return m_spline.evaluate_segment(i - 1, f);
    }

    T& evaluate(std::uint64_t t, T& out) { return out = evaluate(t); }

    std::size_t size() const { return m_keys.size(); }
    bool empty() const { return m_keys.empty(); }
    const Key& key(std::size_t index) const { return m_keys[index]; }
    std::size_t key_position(std::size_t id) const { return m_keyIds[id]; }
    std::uint64_t first_time() const { return m_keys.empty() ? 0 : m_keys.front().time; }
    std::uint64_t last_time() const { return m_keys.empty() ? 0 : m_keys.back().time; }

private:
    static constexpr std::uint64_t kGrowthStep = 5;

    template <typename V>
    static void Grow(std::vector<V>& v)
    {
        if (v.size() == v.capacity()) v.reserve(v.capacity() + kGrowthStep);
    }

    // The index i with time[i-1] <= t < time[i], for first <= t < last. Starts
    // at the cursor and its successor, so rising times cost a step or two.
    std::size_t FindSegment(std::uint64_t t)
    {
        const std::size_t n = m_keys.size();
        for (std::size_t i = m_cursor; i < n && i <= m_cursor + 1; ++i) {
            if (m_keys[i - 1].time <= t && t < m_keys[i].time) return m_cursor = i;
        }
        const auto it =
            std::upper_bound(m_keys.begin(), m_keys.end(), t, [](std::uint64_t v, const Key& k) { return v < k.time; });
        return m_cursor = static_cast<std::size_t>(it - m_keys.begin());
    }

    Spline m_spline;
    std::vector<Key> m_keys;
    std::vector<std::size_t> m_keyIds;
    std::size_t m_cursor = 1;
};

using float_sequence = keyframe_sequence<float>;
using vec3_sequence = keyframe_sequence<pld_math::vector<float, 3>>;

}  // namespace pld_ani
