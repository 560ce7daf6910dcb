#include "Image/FreeImageBitmap.h"

namespace hlv_io {

BitmapPtr LoadBitmapFile(const std::string& path)
{
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format)) return nullptr;
    return BitmapPtr(FreeImage_Load(format, path.c_str(), 0));
}

namespace {

bool IsGreyscale(FIBITMAP* bitmap)
{
    const FREE_IMAGE_COLOR_TYPE colors = FreeImage_GetColorType(bitmap);
    return (colors == FIC_MINISBLACK || colors == FIC_MINISWHITE) && !FreeImage_IsTransparent(bitmap);
}

}  // namespace

BitmapPtr NormalizeBitmap(BitmapPtr bitmap)
{
    if (!bitmap || FreeImage_GetImageType(bitmap.get()) != FIT_BITMAP) return bitmap;
    switch (FreeImage_GetBPP(bitmap.get())) {
    case 24:
    case 32: return bitmap;
    case 1:
    case 4:
    case 8:
        if (IsGreyscale(bitmap.get())) {
            // An 8-bit black-to-white ramp already holds grey levels.
            if (FreeImage_GetBPP(bitmap.get()) == 8 && FreeImage_GetColorType(bitmap.get()) == FIC_MINISBLACK)
                return bitmap;
            return BitmapPtr(FreeImage_ConvertToGreyscale(bitmap.get()));
        }
        return BitmapPtr(FreeImage_ConvertTo32Bits(bitmap.get()));
    default: return BitmapPtr(FreeImage_ConvertTo32Bits(bitmap.get()));
    }
}

}  // namespace hlv_io
