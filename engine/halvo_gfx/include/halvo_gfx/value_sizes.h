#pragma once
// Sizes of the values that layouts describe: bytes per component by value
// type, components by value structure, and the structure of a colour format.
#include <array>
#include <cstdint>

namespace hlv_gfx {

// Bytes of one component of a VALUE_TYPE; 0 for codes outside the enumeration.
constexpr std::uint32_t ValueTypeSize(std::uint32_t valueType)
{
    constexpr std::array<std::uint32_t, 10> sizes{0, 1, 1, 2, 2, 4, 4, 4, 8, 1};
    return valueType < sizes.size() ? sizes[valueType] : 0;
}

// Components of a VALUE_STRUCTURE; 0 for codes outside the enumeration.
constexpr std::uint32_t StructureComponents(std::uint32_t structure)
{
    constexpr std::array<std::uint32_t, 8> counts{0, 1, 2, 3, 4, 4, 9, 16};
    return structure < counts.size() ? counts[structure] : 0;
}

// The VALUE_STRUCTURE of one pixel of a COLOR_TYPE; 0 for codes outside it.
constexpr std::uint32_t ColorFormatStructure(std::uint32_t colorFormat)
{
    // undefined, RGB, RGBA, intensity, luminance, BGR, BGRA
    constexpr std::array<std::uint32_t, 7> structures{0, 3, 4, 1, 1, 3, 4};
    return colorFormat < structures.size() ? structures[colorFormat] : 0;
}

}  // namespace hlv_gfx
