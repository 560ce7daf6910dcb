#pragma once
// Loading of image files into images in main memory.
#include <cstdint>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/image.h>
#include <halvo_io/IOBaseSystem.h>
#include <halvo_io/IO_RESULT.h>

namespace hlv_io {

// Rows of loaded pixels start at multiples of this many bytes: OpenGL's
// default unpack alignment, so the pixels upload as they are.
inline constexpr std::uint64_t kImageRowAlignment = 4;

// Bytes from the start of one row of a loaded image to the next.
constexpr std::uint64_t ImageRowPitch(std::uint64_t width, std::uint64_t bytesPerPixel)
{
    return (width * bytesPerPixel + kImageRowAlignment - 1) / kImageRowAlignment * kImageRowAlignment;
}

class IOImageSystem : public IOBaseSystem {
public:
    HLV_RESOURCE_CLASS(IOImageSystem)

    explicit IOImageSystem(const std::string& name) : IOBaseSystem(name) {}

    // Loads the file into the image the handle holds, or into a new image
    // named after the path when the handle is empty. With topDown the first
    // row of pixels is the top of the picture, else its bottom. The pixel
    // buffer holds height rows of ImageRowPitch(width, pixel size) bytes.
    // IOR_OK, or IOR_API_FAIL when the file cannot be loaded (an empty handle
    // then stays empty).
    virtual std::uint32_t LoadImage(const std::string& path,
                                    hlv_core::CResourceHandle<hlv_gfx::CImage>& image,
                                    const bool& topDown) = 0;

    // The same, bottom row first.
    std::uint32_t LoadImage(const std::string& path, hlv_core::CResourceHandle<hlv_gfx::CImage>& image)
    {
        return LoadImage(path, image, false);
    }
};
HLV_DEFINE_RESOURCE_CLASS(IOImageSystem, IOBaseSystem)

}  // namespace hlv_io
