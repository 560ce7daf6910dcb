#pragma once
// The pixel format (COLOR_TYPE, VALUE_TYPE) of a FreeImage bitmap layout.
#include <cstdint>
#include <optional>

#include <FreeImage.h>

namespace hlv_io {

struct ImagePixelFormat {
    std::uint32_t colorFormat;  // COLOR_TYPE
    std::uint32_t dataType;     // VALUE_TYPE
};

// Empty for a layout without a pixel format (signed, double, complex images
// and bitmaps of another depth than 8, 24 or 32 bits).
std::optional<ImagePixelFormat> MapImageFormat(FREE_IMAGE_TYPE type, unsigned bitsPerPixel);

}  // namespace hlv_io
