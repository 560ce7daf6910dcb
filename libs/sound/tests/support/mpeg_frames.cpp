#include "mpeg_frames.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace sound_testing {
namespace {

// kbit/s by bitrate index, for MPEG-1 and for MPEG-2/2.5 layer III.
constexpr int kMpeg1Bitrates[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
constexpr int kMpeg2Bitrates[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
constexpr int kMpeg1Rates[4] = {44100, 48000, 32000, 0};

// The length of the layer III frame whose header starts at at; 0 when no
// valid header starts there.
std::size_t FrameLength(const std::string& bytes, std::size_t at)
{
    if (at + 4 > bytes.size()) return 0;
    const auto b1 = static_cast<unsigned char>(bytes[at + 1]);
    const auto b2 = static_cast<unsigned char>(bytes[at + 2]);
    if (static_cast<unsigned char>(bytes[at]) != 0xFF || (b1 & 0xE0) != 0xE0) return 0;
    const int version = (b1 >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
    const int layer = (b1 >> 1) & 3;    // 1: layer III
    if (version == 1 || layer != 1) return 0;
    const int rate = kMpeg1Rates[(b2 >> 2) & 3] / (version == 3 ? 1 : version == 2 ? 2 : 4);
    const int kbps = (version == 3 ? kMpeg1Bitrates : kMpeg2Bitrates)[b2 >> 4];
    if (rate == 0 || kbps == 0) return 0;
    const int coefficient = version == 3 ? 144000 : 72000;
    return static_cast<std::size_t>(coefficient * kbps / rate + ((b2 >> 1) & 1));
}

}  // namespace

std::vector<std::size_t> FrameOffsets(const std::string& bytes)
{
    std::size_t at = 0;
    if (bytes.size() >= 10 && bytes.compare(0, 3, "ID3") == 0) {
        std::size_t size = 0;
        for (int i = 6; i < 10; ++i) size = (size << 7) | (static_cast<unsigned char>(bytes[i]) & 0x7F);
        at = 10 + size;
    }
    std::vector<std::size_t> offsets;
    for (std::size_t length; (length = FrameLength(bytes, at)) != 0; at += length) offsets.push_back(at);
    return offsets;
}

std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) throw std::runtime_error("cannot read " + path.string());
    return bytes;
}

}  // namespace sound_testing
