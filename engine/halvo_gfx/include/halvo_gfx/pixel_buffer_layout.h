#pragma once
// Layout of a pixel: one element described by a colour format and the data
// type of its components.
#include <cstdint>

#include <halvo_gfx/buffer_layout.h>

namespace hlv_gfx {

class CPixelBufferLayout : public CBufferLayout {
public:
    HLV_RESOURCE_CLASS(CPixelBufferLayout)

    // One element {1, T_CHAR, TS_SCALAR, 1 byte}, stride 1, colour format 0.
    explicit CPixelBufferLayout(const std::string& name);

    // Stores the COLOR_TYPE (also when the call fails), then rewrites the
    // first element for that format with components of the VALUE_TYPE.
    // GFXR_INVALID_ARGUMENT for a layout without elements.
    std::uint32_t SetFormat(std::uint32_t colorFormat, std::uint32_t dataType);

    std::uint32_t GetColorFormat() const { return m_colorFormat; }

private:
    std::uint32_t m_colorFormat = 0;
};
HLV_DEFINE_RESOURCE_CLASS(CPixelBufferLayout, CBufferLayout)

// Accessors fall back to this one when a pixel buffer's layout is of another
// class. It must not be changed: operations that would change a layout they
// got as this fallback refuse instead.
inline const hlv_core::CResourceHandle<CPixelBufferLayout> NULL_PIXEL_BUFFER_LAYOUT =
    hlv_core::Adopt(new CPixelBufferLayout("NULL_PIXEL_BUFFER_LAYOUT"));

}  // namespace hlv_gfx
