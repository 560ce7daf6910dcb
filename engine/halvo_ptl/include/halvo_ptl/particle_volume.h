#pragma once
// The axis-aligned box within which particles may live.
#include <array>

namespace hlv_ptl {

// min x, min y, min z, max x, max y, max z
using particle_volume = std::array<float, 6>;

// Inside means min <= p <= max on each axis, bounds included.
template <typename Vector>
bool IsInsideVolume(const Vector& position, const particle_volume& volume)
{
    for (int a = 0; a < 3; ++a)
        if (!(volume[a] <= position[a] && position[a] <= volume[a + 3])) return false;
    return true;
}

}  // namespace hlv_ptl
