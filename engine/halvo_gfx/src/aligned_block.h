#pragma once
// Blocks of memory whose usable part starts at a 64-byte boundary and that are
// freed from that aligned address alone.
//
// The block is 68 bytes longer than asked for. The aligned address is the
// first multiple of 64 at least 4 bytes past the block's start; the distance
// from the start (5 to 68) is kept as a u32 in the 4 bytes just before it.
#include <cstddef>
#include <cstdint>

namespace hlv_gfx::detail {

inline constexpr std::uint64_t kAlignedBlockExtra = 68;

// Null when the memory cannot be had (also for sizes that would overflow).
std::byte* AllocateAlignedBlock(std::uint64_t bytes) noexcept;
// Accepts null.
void FreeAlignedBlock(std::byte* aligned) noexcept;
// The distance stored before an aligned address.
std::uint32_t AlignedBlockOffset(const std::byte* aligned) noexcept;

}  // namespace hlv_gfx::detail
