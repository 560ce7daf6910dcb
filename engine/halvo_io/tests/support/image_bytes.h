#pragma once
// The bytes of small PNG and JPEG files made with FreeImage, and edits of
// the sizes they declare, for the image-system tests.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include <FreeImage.h>
#include <boost/crc.hpp>

#include "bitmaps.h"
#include "temp_dir.h"

namespace hlv_io_test {

inline std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bitmap saved in the format, as bytes.
inline std::string EncodedBytes(const Bitmap& bitmap, FREE_IMAGE_FORMAT format, int flags = 0)
{
    TempDir dir;
    const std::string path = dir.File("encoded");
    if (!FreeImage_Save(format, bitmap.get(), path.c_str(), flags)) return {};
    return FileBytes(path);
}

inline std::uint32_t ReadBigEndian32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

inline void WriteBigEndian(std::string& bytes, std::size_t at, std::uint32_t value, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * (size - 1 - i)) & 0xFF);
}

// Rewrites the CRC of every whole chunk after the 8-byte PNG signature, so
// that edits of chunk data reach the decoder instead of failing the check.
inline void FixPngChunkCrcs(std::string& png)
{
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint64_t length = ReadBigEndian32(png, at);
        if (length > png.size() - at - 12) break;
        boost::crc_32_type crc;
        crc.process_bytes(png.data() + at + 4, static_cast<std::size_t>(length) + 4);
        WriteBigEndian(png, at + 8 + static_cast<std::size_t>(length), crc.checksum(), 4);
        at += 12 + static_cast<std::size_t>(length);
    }
}

// The PNG with the width and height in its header replaced.
inline std::string PngDeclaring(std::string png, std::uint32_t width, std::uint32_t height)
{
    // Signature (8), chunk length (4), "IHDR" (4), width, height.
    WriteBigEndian(png, 16, width, 4);
    WriteBigEndian(png, 20, height, 4);
    FixPngChunkCrcs(png);
    return png;
}

// The JPEG with the width and height in its baseline frame header replaced.
inline std::string JpegDeclaring(std::string jpeg, std::uint16_t width, std::uint16_t height)
{
    // Marker FF C0, segment length (2), sample precision (1), height, width.
    const std::size_t frame = jpeg.find("\xFF\xC0");
    if (frame == std::string::npos) return {};
    WriteBigEndian(jpeg, frame + 5, height, 2);
    WriteBigEndian(jpeg, frame + 7, width, 2);
    return jpeg;
}

}  // namespace hlv_io_test
