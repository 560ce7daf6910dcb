#include "Image/PngChunks.h"

#include <array>

namespace hlv_io {

std::optional<std::string> FindPngChunkProblem(std::FILE* file, std::uint64_t fileSize)
{
    // Signature (8); each chunk: length (4, big-endian), type (4), data, CRC (4).
    constexpr std::uint64_t kSignature = 8;
    constexpr std::uint64_t kChunkFrame = 12;
    constexpr std::array<unsigned char, kSignature> kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::array<unsigned char, kSignature> signature{};
    if (std::fseek(file, 0, SEEK_SET) != 0 || std::fread(signature.data(), 1, signature.size(), file) != kSignature ||
        signature != kPng)
        return std::nullopt;  // not PNG contents: the decoder refuses them

    for (std::uint64_t at = kSignature; at + kChunkFrame <= fileSize;) {
        std::array<unsigned char, 8> header{};
        if (std::fseek(file, static_cast<long>(at), SEEK_SET) != 0 ||
            std::fread(header.data(), 1, header.size(), file) != header.size())
            return std::nullopt;  // the decoder reports a short file itself
        const std::uint64_t length = std::uint64_t(header[0]) << 24 | std::uint64_t(header[1]) << 16 |
                                     std::uint64_t(header[2]) << 8 | std::uint64_t(header[3]);
        const std::string type(reinterpret_cast<const char*>(header.data()) + 4, 4);
        if (length > fileSize - at - kChunkFrame)
            return "its chunk \"" + type + "\" at byte " + std::to_string(at) + " declares " + std::to_string(length) +
                   " bytes, more than the file holds";
        if (type == "IEND") break;
        at += kChunkFrame + length;
    }
    return std::nullopt;
}

}  // namespace hlv_io
