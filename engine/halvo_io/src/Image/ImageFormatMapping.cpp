#include "Image/ImageFormatMapping.h"

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_io {

using namespace hlv_core;
using namespace hlv_gfx;

std::optional<ImagePixelFormat> MapImageFormat(FREE_IMAGE_TYPE type, unsigned bitsPerPixel)
{
    switch (type) {
    case FIT_BITMAP:
        switch (bitsPerPixel) {
        case 8: return ImagePixelFormat{CT_LUMINANCE, T_UCHAR};
        case 24: return ImagePixelFormat{CT_BGR, T_UCHAR};
        case 32: return ImagePixelFormat{CT_BGRA, T_UCHAR};
        default: return std::nullopt;
        }
    case FIT_UINT16: return ImagePixelFormat{CT_LUMINANCE, T_USHORT};
    case FIT_UINT32: return ImagePixelFormat{CT_LUMINANCE, T_UINT};
    case FIT_FLOAT: return ImagePixelFormat{CT_LUMINANCE, T_FLOAT};
    case FIT_RGB16: return ImagePixelFormat{CT_RGB, T_USHORT};
    case FIT_RGBA16: return ImagePixelFormat{CT_RGBA, T_USHORT};
    case FIT_RGBF: return ImagePixelFormat{CT_RGB, T_FLOAT};
    case FIT_RGBAF: return ImagePixelFormat{CT_RGBA, T_FLOAT};
    default: return std::nullopt;
    }
}

}  // namespace hlv_io
