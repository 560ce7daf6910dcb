#pragma once
// 16-bit PCM stereo WAV files.
#include <filesystem>

#include "music/audio_buffer.h"

namespace dmo_nimra::synth {

// Writes the buffer rounded to 16 bits (values beyond full scale are held
// at it). Throws std::runtime_error when the file cannot be written.
void WriteWav16(const std::filesystem::path& path, const StereoBuffer& buffer);

}  // namespace dmo_nimra::synth
