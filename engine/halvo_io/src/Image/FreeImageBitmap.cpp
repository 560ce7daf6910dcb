#include "Image/FreeImageBitmap.h"

namespace hlv_io {

namespace {

unsigned DLL_CALLCONV ReadFile(void* buffer, unsigned size, unsigned count, fi_handle handle)
{
    return static_cast<unsigned>(std::fread(buffer, size, count, static_cast<std::FILE*>(handle)));
}

unsigned DLL_CALLCONV RefuseWrite(void*, unsigned, unsigned, fi_handle) { return 0; }

int DLL_CALLCONV SeekFile(fi_handle handle, long offset, int origin)
{
    return std::fseek(static_cast<std::FILE*>(handle), offset, origin);
}

long DLL_CALLCONV TellFile(fi_handle handle) { return std::ftell(static_cast<std::FILE*>(handle)); }

}  // namespace

BitmapFile::BitmapFile(std::FILE* file) : m_file(file), m_io{ReadFile, RefuseWrite, SeekFile, TellFile} {}

FREE_IMAGE_FORMAT BitmapFile::ContentFormat()
{
    std::rewind(m_file);
    return FreeImage_GetFileTypeFromHandle(&m_io, m_file, 0);
}

BitmapPtr BitmapFile::Load(FREE_IMAGE_FORMAT format, int flags)
{
    std::rewind(m_file);
    return BitmapPtr(FreeImage_LoadFromHandle(format, &m_io, m_file, flags));
}

}  // namespace hlv_io
