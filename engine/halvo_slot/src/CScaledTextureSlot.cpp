#include <halvo_slot/CScaledTextureSlot.h>

#include <algorithm>

namespace hlv_slot {

namespace {

float SideScale(std::uint64_t viewportSide, std::uint64_t textureSide)
{
    if (textureSide == 0) return 1.0f;
    return std::min(1.0f, static_cast<float>(viewportSide) / static_cast<float>(textureSide));
}

}  // namespace

TextureScale ComputeTextureScale(const hlv_gfx::VIEWPORT& viewport, std::uint64_t textureWidth,
                                 std::uint64_t textureHeight)
{
    return TextureScale{SideScale(viewport.width, textureWidth), SideScale(viewport.height, textureHeight)};
}

}  // namespace hlv_slot
