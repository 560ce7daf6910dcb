#pragma once
// Cell (Worley) distances on the unit torus: one jittered feature point per
// cell of a square grid, wrapped, so pictures made from it tile.
#include <cstdint>
#include <vector>

namespace dmo_images {

class PeriodicCells {
public:
    PeriodicCells(int cellsPerSide, std::uint32_t seed);

    // Distances from (u, v) to the nearest and the second nearest feature
    // point, in cell widths.
    struct Distances {
        float nearest, second;
    };
    Distances At(float u, float v) const;

private:
    int m_cells;
    std::vector<float> m_points;  // x, y within the cell, per cell
};

}  // namespace dmo_images
