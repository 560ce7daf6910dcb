#pragma once
// FreeImage bitmaps owned by a handle that unloads them, read from one open
// file.
#include <cstdio>
#include <memory>

#include <FreeImage.h>

namespace hlv_io {

struct BitmapUnloader {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using BitmapPtr = std::unique_ptr<FIBITMAP, BitmapUnloader>;

// FreeImage reading through one open file, so the format check, the header
// and the pixels all come from the same bytes whatever happens to the path
// in between.
class BitmapFile {
public:
    // The file stays the caller's and must outlive this object.
    explicit BitmapFile(std::FILE* file);

    // The format the contents name, FIF_UNKNOWN when they name none.
    FREE_IMAGE_FORMAT ContentFormat();

    // The bitmap read from the start of the file with FreeImage_Load's flags;
    // with FIF_LOAD_NOPIXELS only its header. Null when loading fails.
    BitmapPtr Load(FREE_IMAGE_FORMAT format, int flags);

private:
    std::FILE* m_file;
    FreeImageIO m_io;
};

}  // namespace hlv_io
