#pragma once
// Reads back what the GL context current on the calling thread drew.
#include <array>
#include <cstdint>

namespace hlv_app_test {

// RGBA of the pixel at (x, y) of the current draw buffer.
std::array<std::uint8_t, 4> ReadPixel(int x, int y);

}  // namespace hlv_app_test
