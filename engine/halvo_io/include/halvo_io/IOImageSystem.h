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

// Largest image loaded: no side longer than the largest texture a GL
// implementation commonly offers, and at most 64 mebipixels in all (8192 x
// 8192), so the largest image takes 512 MiB at 8 bytes a pixel (the widest
// layout a PNG gives), 256 MiB as BGRA. The demo's images are below one
// mebipixel. Files that declare more are refused before their pixels are
// decoded.
inline constexpr std::uint64_t kMaxImageSide = 16384;
inline constexpr std::uint64_t kMaxImagePixels = std::uint64_t(1) << 26;

class IOImageSystem : public IOBaseSystem {
public:
    HLV_RESOURCE_CLASS(IOImageSystem)

    explicit IOImageSystem(const std::string& name) : IOBaseSystem(name) {}

    // Loads the file into the image the handle holds, or into a new image
    // named after the path when the handle is empty. With topDown the first
    // row of pixels is the top of the picture, else its bottom. The pixel
    // buffer holds height rows of ImageRowPitch(width, pixel size) bytes.
    // Returns IOR_OK; IOR_INVALID_ARGUMENT for a file refused for what it
    // declares (a format other than PNG and JPEG, a size beyond kMaxImageSide
    // or kMaxImagePixels); IOR_API_FAIL when the file is missing, is no
    // regular file, names no image format or cannot be decoded. On failure
    // an empty handle stays empty.
    virtual std::uint32_t LoadImage(const std::string& path, hlv_core::CResourceHandle<hlv_gfx::CImage>& image,
                                    const bool& topDown) = 0;

    // The same, bottom row first.
    std::uint32_t LoadImage(const std::string& path, hlv_core::CResourceHandle<hlv_gfx::CImage>& image)
    {
        return LoadImage(path, image, false);
    }
};
HLV_DEFINE_RESOURCE_CLASS(IOImageSystem, IOBaseSystem)

}  // namespace hlv_io
