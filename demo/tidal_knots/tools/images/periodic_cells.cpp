#include "periodic_cells.h"

#include <cmath>
#include <limits>

#include "random.h"

namespace dmo_images {

PeriodicCells::PeriodicCells(int cellsPerSide, std::uint32_t seed) : m_cells(cellsPerSide)
{
    Random random(seed);
    m_points.reserve(static_cast<std::size_t>(2) * cellsPerSide * cellsPerSide);
    for (int i = 0; i < 2 * cellsPerSide * cellsPerSide; ++i)
        m_points.push_back(static_cast<float>(random.Uniform(0.1, 0.9)));
}

PeriodicCells::Distances PeriodicCells::At(float u, float v) const
{
    const float x = u * m_cells;
    const float y = v * m_cells;
    const int ci = static_cast<int>(std::floor(x));
    const int cj = static_cast<int>(std::floor(y));
    float nearest = std::numeric_limits<float>::max();
    float second = nearest;
    for (int dj = -2; dj <= 2; ++dj)
        for (int di = -2; di <= 2; ++di) {
            const int i = ci + di;
            const int j = cj + dj;
            const int wi = ((i % m_cells) + m_cells) % m_cells;
            const int wj = ((j % m_cells) + m_cells) % m_cells;
            const std::size_t cell = static_cast<std::size_t>(wj) * m_cells + wi;
            const float px = i + m_points[2 * cell];
            const float py = j + m_points[2 * cell + 1];
            const float d = std::hypot(px - x, py - y);
            if (d < nearest) {
                second = nearest;
                nearest = d;
            } else if (d < second) {
                second = d;
            }
        }
    return {nearest, second};
}

}  // namespace dmo_images
