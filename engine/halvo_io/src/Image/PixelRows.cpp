#include "Image/PixelRows.h"

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_io {

namespace {

bool IsGreyPalette(FIBITMAP* bitmap)
{
    const FREE_IMAGE_COLOR_TYPE colors = FreeImage_GetColorType(bitmap);
    return (colors == FIC_MINISBLACK || colors == FIC_MINISWHITE) && !FreeImage_IsTransparent(bitmap);
}

// The palette index of pixel x of a row of 1, 4 or 8 bits per pixel; the
// leftmost pixel is in the high bits of a byte.
unsigned PaletteIndex(const std::uint8_t* row, unsigned x, unsigned bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu;
    default: return row[x];
    }
}

}  // namespace

std::optional<ImageLayout> ChooseImageLayout(FIBITMAP* bitmap)
{
    const FREE_IMAGE_TYPE type = FreeImage_GetImageType(bitmap);
    const unsigned bitsPerPixel = FreeImage_GetBPP(bitmap);
    const bool palette = bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8;
    if (type == FIT_BITMAP && palette) {
        // Every index of the depth must name a colour.
        if (!FreeImage_GetPalette(bitmap) || FreeImage_GetColorsUsed(bitmap) != (1u << bitsPerPixel))
            return std::nullopt;
        if (!IsGreyPalette(bitmap))
            return ImageLayout{{hlv_gfx::CT_BGRA, hlv_core::T_UCHAR}, 4, RowConversion::PaletteToBgra};
        // An 8-bit black-to-white ramp already holds grey levels.
        const bool ramp = bitsPerPixel == 8 && FreeImage_GetColorType(bitmap) == FIC_MINISBLACK;
        return ImageLayout{
            {hlv_gfx::CT_LUMINANCE, hlv_core::T_UCHAR}, 1, ramp ? RowConversion::Copy : RowConversion::PaletteToGrey};
    }
    if (bitsPerPixel % 8 != 0) return std::nullopt;
    const std::optional<ImagePixelFormat> format = MapImageFormat(type, bitsPerPixel);
    if (!format) return std::nullopt;
    return ImageLayout{*format, bitsPerPixel / 8, RowConversion::Copy};
}

void WriteImageRows(FIBITMAP* bitmap, const ImageLayout& layout, std::uint8_t* target, std::uint64_t pitch,
                    bool topDown)
{
    const unsigned width = FreeImage_GetWidth(bitmap);
    const unsigned height = FreeImage_GetHeight(bitmap);
    const unsigned bitsPerPixel = FreeImage_GetBPP(bitmap);
    if (layout.conversion == RowConversion::Copy) {
        FreeImage_ConvertToRawBits(target, bitmap, static_cast<int>(pitch), bitsPerPixel, 0, 0, 0,
                                   topDown ? TRUE : FALSE);
        return;
    }

    const RGBQUAD* const palette = FreeImage_GetPalette(bitmap);
    const BYTE* const alpha = FreeImage_IsTransparent(bitmap) ? FreeImage_GetTransparencyTable(bitmap) : nullptr;
    const unsigned alphaCount = alpha ? FreeImage_GetTransparencyCount(bitmap) : 0;
    for (unsigned row = 0; row < height; ++row) {
        const std::uint8_t* source = FreeImage_GetScanLine(bitmap, static_cast<int>(topDown ? height - 1 - row : row));
        std::uint8_t* out = target + row * pitch;
        if (layout.conversion == RowConversion::PaletteToGrey) {
            // A grey palette has equal red, green and blue.
            for (unsigned x = 0; x < width; ++x) out[x] = palette[PaletteIndex(source, x, bitsPerPixel)].rgbRed;
            continue;
        }
        for (unsigned x = 0; x < width; ++x, out += 4) {
            const unsigned index = PaletteIndex(source, x, bitsPerPixel);
            const RGBQUAD& colour = palette[index];
            out[0] = colour.rgbBlue;
            out[1] = colour.rgbGreen;
            out[2] = colour.rgbRed;
            out[3] = index < alphaCount ? alpha[index] : 0xFF;
        }
    }
}

}  // namespace hlv_io
