#pragma once
// Piecewise-linear curve through equally spaced points on the parameter
// range [0, 1].
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pld_math {

template <typename T, typename Param = float>
class linear_spline {
public:
    explicit linear_spline(std::uint64_t growth_step = 5) : m_growthStep(growth_step) { m_points.reserve(growth_step); }

    void add_point(const T& value)
    {
        Grow();
        m_points.push_back(value);
        UpdateSegments();
    }

    void insert_point(std::size_t index, const T& value)
    {
        Grow();
        m_points.insert(m_points.begin() + static_cast<std::ptrdiff_t>(index), value);
        UpdateSegments();
    }

    std::uint64_t segment_index(Param u) const
    {
        const Param scaled = std::floor(static_cast<Param>(m_segmentCount) * u);
        const std::uint64_t index = scaled <= Param(0) ? 0 : static_cast<std::uint64_t>(scaled);
        return std::min(index, m_segmentCount - 1);
    }

    // The first point while there are fewer than two; a zero value when empty.
    T evaluate(Param u) const
    {
        if (m_segmentCount == 0) return m_points.empty() ? T{} : m_points.front();
        const std::uint64_t i = segment_index(u);
        const Param local = (u - static_cast<Param>(i) * m_segmentWidth) * static_cast<Param>(m_segmentCount);
        return evaluate_segment(i, local);
    }

    // The point at local parameter local in [0, 1] of segment i.
    T evaluate_segment(std::uint64_t i, Param local) const
    {
        return (Param(1) - local) * m_points[i] + local * m_points[i + 1];
    }

    std::size_t point_count() const { return m_points.size(); }
    const T& point(std::size_t i) const { return m_points[i]; }
    std::uint64_t segment_count() const { return m_segmentCount; }

private:
    void Grow()
    {
        if (m_points.size() == m_points.capacity()) m_points.reserve(m_points.capacity() + m_growthStep);
    }

    void UpdateSegments()
    {
        m_segmentCount = m_points.size() - 1;
        m_segmentWidth = Param(1) / static_cast<Param>(m_segmentCount);
    }

    std::vector<T> m_points;
    std::uint64_t m_segmentCount = 0;
    Param m_segmentWidth = Param(0);
    std::uint64_t m_growthStep;
};

}  // namespace pld_math
