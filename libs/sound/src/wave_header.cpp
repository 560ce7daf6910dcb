#include "wave_header.h"

#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace sound {
namespace {

// The "fmt " chunk comes first in every WAVE writer's output; a few chunks
// before it (metadata) still fit.
constexpr std::size_t kHeaderBytes = 4096;

constexpr std::uint16_t kFormatPcm = 0x0001;
constexpr std::uint16_t kFormatMpeg = 0x0050;
constexpr std::uint16_t kFormatMpegLayer3 = 0x0055;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
// Where an extensible format names its real format tag (the first two bytes
// of its sub-format GUID), from the start of the chunk's data.
constexpr std::size_t kSubFormatOffset = 24;

std::uint32_t LittleEndian(const unsigned char* bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

std::optional<std::string> WaveWithoutMpegAudio(int fd)
{
    std::array<unsigned char, kHeaderBytes> header{};
    const ssize_t got = ::pread(fd, header.data(), header.size(), 0);
    if (got < 12) return std::nullopt;
    const auto size = static_cast<std::uint64_t>(got);
    if (std::memcmp(header.data(), "RIFF", 4) != 0 || std::memcmp(header.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;

    for (std::uint64_t at = 12; at + 8 <= size;) {
        const unsigned char* chunk = header.data() + at;
        const std::uint64_t length = LittleEndian(chunk + 4, 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 2 || at + 8 + 2 > size) return std::nullopt;
            auto tag = static_cast<std::uint16_t>(LittleEndian(chunk + 8, 2));
            if (tag == kFormatExtensible && length >= kSubFormatOffset + 2 && at + 8 + kSubFormatOffset + 2 <= size)
                tag = static_cast<std::uint16_t>(LittleEndian(chunk + 8 + kSubFormatOffset, 2));
            if (tag == kFormatMpeg || tag == kFormatMpegLayer3) return std::nullopt;
            if (tag == kFormatPcm) return "PCM audio";
            char description[40];
            std::snprintf(description, sizeof description, "audio of format tag 0x%04x", tag);
            return description;
        }
        at += 8 + length + (length & 1);  // chunks are padded to an even length
    }
    return std::nullopt;
}

}  // namespace sound
