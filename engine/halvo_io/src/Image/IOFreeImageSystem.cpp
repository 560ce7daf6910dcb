#include <halvo_io/IOFreeImageSystem.h>

#include <limits>

#include <halvo_gfx/GFX_RESULT.h>

#include "Image/FreeImageBitmap.h"
#include "Image/ImageFormatMapping.h"

namespace hlv_io {

namespace {

// Gives the image the bitmap's format and size and room for height rows of
// ImageRowPitch bytes. Returns the pitch, or 0 when the image cannot take it.
std::uint64_t PrepareImage(hlv_gfx::CImage& image, const ImagePixelFormat& format, unsigned width,
                           unsigned height, unsigned bytesPerPixel)
{
    if (!SUCCESSED(image.SetFormat(format.colorFormat, format.dataType))) return 0;
    if (!SUCCESSED(image.Allocate(width, height))) return 0;

    hlv_core::CResourceHandle<hlv_gfx::CPixelBuffer> pixels = image.GetPixelBuffer();
    const hlv_core::CResourceHandle<hlv_gfx::CBufferLayout> layout = pixels->GetAnyLayout();
    if (layout->GetStride() != bytesPerPixel) return 0;

    // Rows padded to the alignment need a little more than width x height
    // pixels: round the padded size up to whole pixels.
    const std::uint64_t pitch = ImageRowPitch(width, bytesPerPixel);
    const std::uint64_t bytes = pitch * height;
    if (!SUCCESSED(pixels->Allocate(layout, (bytes + bytesPerPixel - 1) / bytesPerPixel))) return 0;
    if (pixels->GetStorageSize() < bytes || !pixels->GetData()) return 0;
    return pitch;
}

}  // namespace

std::uint32_t IOFreeImageSystem::LoadImage(const std::string& path,
                                           hlv_core::CResourceHandle<hlv_gfx::CImage>& image,
                                           const bool& topDown)
{
    const BitmapPtr bitmap = NormalizeBitmap(LoadBitmapFile(path));
    if (!bitmap || !FreeImage_HasPixels(bitmap.get()) || !FreeImage_GetBits(bitmap.get())) return IOR_API_FAIL;

    const unsigned width = FreeImage_GetWidth(bitmap.get());
    const unsigned height = FreeImage_GetHeight(bitmap.get());
    const unsigned bitsPerPixel = FreeImage_GetBPP(bitmap.get());
    if (width == 0 || height == 0 || bitsPerPixel % 8 != 0) return IOR_API_FAIL;

    const std::optional<ImagePixelFormat> format =
        MapImageFormat(FreeImage_GetImageType(bitmap.get()), bitsPerPixel);
    if (!format) return IOR_API_FAIL;

    hlv_core::CResourceHandle<hlv_gfx::CImage> target =
        image.IsValid() ? image : hlv_core::Adopt(new hlv_gfx::CImage(path));
    const std::uint64_t pitch = PrepareImage(*target, *format, width, height, bitsPerPixel / 8);
    if (pitch == 0 || pitch > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
        return IOR_API_FAIL;

    FreeImage_ConvertToRawBits(reinterpret_cast<BYTE*>(target->GetPixelBuffer()->GetData()), bitmap.get(),
                               static_cast<int>(pitch), bitsPerPixel, 0, 0, 0, topDown ? TRUE : FALSE);
    image = target;
    return IOR_OK;
}

}  // namespace hlv_io
