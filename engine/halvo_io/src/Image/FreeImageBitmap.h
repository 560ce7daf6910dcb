#pragma once
// FreeImage bitmaps owned by a handle that unloads them.
#include <memory>
#include <string>

#include <FreeImage.h>

namespace hlv_io {

struct BitmapUnloader {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using BitmapPtr = std::unique_ptr<FIBITMAP, BitmapUnloader>;

// The file's bitmap, its format found from the contents or else from the name;
// null when neither names a format FreeImage can read or loading fails.
BitmapPtr LoadBitmapFile(const std::string& path);

// The bitmap in a layout that maps to a pixel format: greyscale palettes
// become 8-bit grey levels, other palettes, palettes with transparency and
// 16-bit colour become 32-bit colour; everything else is returned as it is.
// Null when a conversion fails.
BitmapPtr NormalizeBitmap(BitmapPtr bitmap);

}  // namespace hlv_io
