#pragma once
// Small pictures made with FreeImage for the image-system tests. Rows are
// FreeImage's: row 0 is the bottom of the picture.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <FreeImage.h>

namespace hlv_io_test {

struct Unload {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using Bitmap = std::unique_ptr<FIBITMAP, Unload>;

// A 24- or 32-bit picture whose pixel (x, row) is colour(x, row).
inline Bitmap TrueColour(int width, int height, int bpp, const std::function<RGBQUAD(int, int)>& colour)
{
    Bitmap bitmap(FreeImage_Allocate(width, height, bpp));
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            RGBQUAD c = colour(x, row);
            FreeImage_SetPixelColor(bitmap.get(), x, row, &c);
        }
    return bitmap;
}

// A 1-, 4- or 8-bit picture with the given palette whose pixel (x, row) has
// the palette index index(x, row).
inline Bitmap Palettised(int width, int height, int bpp, const std::vector<RGBQUAD>& palette,
                         const std::function<BYTE(int, int)>& index)
{
    Bitmap bitmap(FreeImage_Allocate(width, height, bpp));
    RGBQUAD* entries = FreeImage_GetPalette(bitmap.get());
    const std::size_t colours = std::min<std::size_t>(palette.size(), FreeImage_GetColorsUsed(bitmap.get()));
    for (std::size_t i = 0; i < colours; ++i) entries[i] = palette[i];
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) {
            BYTE i = index(x, row);
            FreeImage_SetPixelIndex(bitmap.get(), x, row, &i);
        }
    return bitmap;
}

// A picture of a non-bitmap type whose pixel (x, row) gets its bytes from
// fill(pointer to the pixel, x, row).
inline Bitmap Typed(FREE_IMAGE_TYPE type, int width, int height, int bpp,
                    const std::function<void(BYTE*, int, int)>& fill)
{
    Bitmap bitmap(FreeImage_AllocateT(type, width, height, bpp));
    for (int row = 0; row < height; ++row) {
        BYTE* line = FreeImage_GetScanLine(bitmap.get(), row);
        for (int x = 0; x < width; ++x) fill(line + x * (bpp / 8), x, row);
    }
    return bitmap;
}

inline RGBQUAD Rgb(BYTE r, BYTE g, BYTE b, BYTE a = 255)
{
    RGBQUAD q;
    q.rgbRed = r;
    q.rgbGreen = g;
    q.rgbBlue = b;
    q.rgbReserved = a;
    return q;
}

}  // namespace hlv_io_test
