#pragma once
// The rectangle a camera renders into, in pixels.
#include <cstdint>

namespace hlv_gfx {

struct VIEWPORT {
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::uint64_t width = 0;
    std::uint64_t height = 0;

    friend bool operator==(const VIEWPORT&, const VIEWPORT&) = default;
};

}  // namespace hlv_gfx
