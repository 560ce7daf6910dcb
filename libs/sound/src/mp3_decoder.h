#pragma once
// Decoding a whole MP3 file into memory with libmpg123.
#include <sound/fmod_api.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sound {

// Interleaved signed 16-bit samples as the file holds them.
struct DecodedAudio {
    std::vector<std::int16_t> samples;
    long rate = 0;
    int channels = 0;
    // Frames of another format than the stream's, and the silence (samples
    // per channel) that stands in for them and for frames lost to damage; see
    // format_runs.h.
    std::uint64_t skippedFrames = 0;
    std::uint64_t silenceFrames = 0;

    std::uint64_t Frames() const { return channels ? samples.size() / channels : 0; }
};

// Decodes every frame of the regular file at path. The encoder's delay and
// padding are cut off where the file records them (gapless decoding), so the
// sample count is the one that was encoded. Frames of another format than the
// stream's, and stretches of damage, become silence of the same length. On
// failure returns FMOD_ERR_FILE_NOT_FOUND, FMOD_ERR_FILE_BAD, FMOD_ERR_FORMAT
// (among others for a file with no MPEG audio) or FMOD_ERR_MEMORY and sets
// detail, which names the file.
FMOD_RESULT DecodeMp3File(const char* path, DecodedAudio& out, std::string& detail);

}  // namespace sound
