#pragma once
// How a decoded bitmap's pixels become the rows of an image: copied as they
// are, or palette indices looked up straight into the image's buffer (no
// converted copy of the whole bitmap is made on the way).
#include <cstdint>
#include <optional>

#include <FreeImage.h>

#include "Image/ImageFormatMapping.h"

namespace hlv_io {

enum class RowConversion {
    Copy,           // the bitmap's pixels as they are
    PaletteToGrey,  // 1-, 4- or 8-bit grey palette -> 8-bit grey levels
    PaletteToBgra,  // any other palette -> 32-bit BGRA, alpha from the transparency table
};

struct ImageLayout {
    ImagePixelFormat format;
    unsigned bytesPerPixel;
    RowConversion conversion;
};

// The image layout for the bitmap; empty when it has none (signed, double,
// complex and 16-bit colour bitmaps).
std::optional<ImageLayout> ChooseImageLayout(FIBITMAP* bitmap);

// Writes the bitmap's rows in the layout into target, one row every pitch
// bytes (pitch >= width x layout.bytesPerPixel); topDown puts the top of the
// picture first, else FreeImage's bottom row.
void WriteImageRows(FIBITMAP* bitmap, const ImageLayout& layout, std::uint8_t* target, std::uint64_t pitch,
                    bool topDown);

}  // namespace hlv_io
