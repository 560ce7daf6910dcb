#pragma once
// A picture in main memory: its size and its pixel buffer.
#include <cstdint>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/pixel_buffer.h>

namespace hlv_gfx {

// Usual use: create, SetFormat (colour format and component type), Allocate
// (width, height), then write the pixels through GetPixelBuffer()->GetData().
// The pixel buffer holds width x height elements of its layout's stride.
class CImage : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CImage)

    // No pixels yet; the pixel buffer "The Image Pixel Buffer" of one byte per
    // pixel (T_CHAR, colour format 0).
    explicit CImage(const std::string& name);

    // Sets the pixel format (COLOR_TYPE, VALUE_TYPE) and makes room for
    // width x height pixels of it. The allocated flag is set only when the room
    // was really made. Returns the result of the format change when it failed,
    // else that of the allocation; GFXR_INVALID_HANDLE on an image without
    // pixel buffer (a clone).
    std::uint32_t SetFormat(std::uint32_t colorFormat, std::uint32_t dataType);

    // Makes room for width x height pixels of the current format; on success
    // stores the size and sets the allocated flag. GFXR_FAIL when the room
    // cannot be made (nothing else changes); GFXR_INVALID_HANDLE on an image
    // without pixel buffer.
    std::uint32_t Allocate(std::uint64_t width, std::uint64_t height);

    // VALUE_TYPE of the pixel components; COLOR_TYPE of the pixels. Both read
    // NULL_PIXEL_BUFFER_LAYOUT when the pixel buffer's layout is of another
    // class or the image has no pixel buffer.
    std::uint32_t GetType() const;
    std::uint32_t GetFormat() const;

    std::uint64_t GetWidth() const { return m_width; }
    std::uint64_t GetHeight() const { return m_height; }
    bool IsAllocated() const { return m_allocated; }

    hlv_core::CResourceHandle<CPixelBuffer> GetPixelBuffer() const { return m_pixelBuffer; }

    // A new image "<name> copy" of the same width, height and allocated flag,
    // without pixel buffer (its pixels are not copied).
    virtual hlv_core::CResourceHandle<CImage> Clone() const;

private:
    hlv_core::CResourceHandle<CPixelBufferLayout> GetLayout() const;

    std::uint64_t m_width = 0;
    std::uint64_t m_height = 0;
    hlv_core::CResourceHandle<CPixelBuffer> m_pixelBuffer;
    bool m_allocated = false;
};
HLV_DEFINE_RESOURCE_CLASS(CImage, hlv_core::IResource)

}  // namespace hlv_gfx
