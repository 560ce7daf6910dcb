#pragma once
// Pixels in main memory.
#include <halvo_core/handle.h>
#include <halvo_gfx/buffer.h>
#include <halvo_gfx/pixel_buffer_layout.h>

namespace hlv_gfx {

class CPixelBuffer : public CBuffer {
public:
    HLV_RESOURCE_CLASS(CPixelBuffer)

    // The layout is a new CPixelBufferLayout "A Pixel Buffer Layout" of one
    // byte per pixel.
    explicit CPixelBuffer(const std::string& name);

    // The layout when it is exactly a CPixelBufferLayout, else
    // NULL_PIXEL_BUFFER_LAYOUT.
    hlv_core::CResourceHandle<CPixelBufferLayout> GetPixelBufferLayout() const;
};
HLV_DEFINE_RESOURCE_CLASS(CPixelBuffer, CBuffer)

}  // namespace hlv_gfx
