#pragma once
// Finding the frames of the MP3 files the tests make, so that a test can
// damage one frame's header, and reading and writing whole files.
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace sound_testing {

// Where each frame of a layer III stream starts, from the first byte on
// (after an ID3v2 tag, if any) until the first byte that does not start a
// valid frame header. The first entry is the encoder's info frame where there
// is one.
std::vector<std::size_t> FrameOffsets(const std::string& bytes);

// Byte 2 of a frame header holds the sample rate index in bits 2 and 3.
inline constexpr std::size_t kRateByte = 2;
inline constexpr unsigned char kRateBits = 0x0C;
inline constexpr int kRateShift = 2;

std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace sound_testing
