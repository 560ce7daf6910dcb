#include "music/wav_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace dmo_nimra::synth {

namespace {

void PutLittleEndian(std::vector<char>& bytes, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

std::uint16_t Pcm16(float value)
{
    const long rounded = std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f);
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(rounded));
}

}  // namespace

void WriteWav16(const std::filesystem::path& path, const StereoBuffer& buffer)
{
    constexpr std::uint32_t kChannels = 2;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(buffer.Frames() * kChannels * 2);
    std::vector<char> bytes;
    bytes.reserve(44 + dataBytes);
    const auto text = [&](const char* four) { bytes.insert(bytes.end(), four, four + 4); };
    text("RIFF");
    PutLittleEndian(bytes, 36 + dataBytes, 4);
    text("WAVE");
    text("fmt ");
    PutLittleEndian(bytes, 16, 4);
    PutLittleEndian(bytes, 1, 2);  // PCM
    PutLittleEndian(bytes, kChannels, 2);
    PutLittleEndian(bytes, kSampleRate, 4);
    PutLittleEndian(bytes, kSampleRate * kChannels * 2, 4);
    PutLittleEndian(bytes, kChannels * 2, 2);
    PutLittleEndian(bytes, 16, 2);
    text("data");
    PutLittleEndian(bytes, dataBytes, 4);
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        PutLittleEndian(bytes, Pcm16(buffer.left[i]), 2);
        PutLittleEndian(bytes, Pcm16(buffer.right[i]), 2);
    }

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace dmo_nimra::synth
