#include "aligned_block.h"

#include <cstring>
#include <limits>
#include <new>

namespace hlv_gfx::detail {

std::byte* AllocateAlignedBlock(std::uint64_t bytes) noexcept
{
    if (bytes > std::numeric_limits<std::size_t>::max() - kAlignedBlockExtra) return nullptr;
    auto* start = static_cast<std::byte*>(::operator new(bytes + kAlignedBlockExtra, std::nothrow));
    if (!start) return nullptr;
    const auto startAddress = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t alignedAddress = ((startAddress + 4) & ~std::uintptr_t{63}) + 64;
    std::byte* aligned = start + (alignedAddress - startAddress);
    const auto offset = static_cast<std::uint32_t>(alignedAddress - startAddress);
    std::memcpy(aligned - sizeof offset, &offset, sizeof offset);
    return aligned;
}

std::uint32_t AlignedBlockOffset(const std::byte* aligned) noexcept
{
    std::uint32_t offset;
    std::memcpy(&offset, aligned - sizeof offset, sizeof offset);
    return offset;
}

void FreeAlignedBlock(std::byte* aligned) noexcept
{
    if (aligned) ::operator delete(aligned - AlignedBlockOffset(aligned));
}

}  // namespace hlv_gfx::detail
