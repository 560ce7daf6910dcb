#include "track_loader.h"

#include "mp3_decoder.h"
#include "pcm_conversion.h"

#include <iostream>
#include <utility>

namespace sound {

FMOD_RESULT LoadTrack(const char* path, PcmTrack& track, std::string& detail)
{
    DecodedAudio decoded;
    const FMOD_RESULT result = DecodeMp3File(path, decoded, detail);
    if (result != FMOD_OK) return result;
    if (decoded.silenceFrames > 0) {
        std::cerr << "Sound: \"" << path << "\": damaged MPEG stream (" << decoded.rate << " Hz, " << decoded.channels
                  << " channel(s)): ";
        if (decoded.skippedFrames > 0) std::cerr << decoded.skippedFrames << " frame(s) of another format skipped; ";
        std::cerr << decoded.silenceFrames * 1000 / static_cast<std::uint64_t>(decoded.rate)
                  << " ms of silence stand in for the damage." << std::endl;
    }
    return ConvertToOutputFormat(std::move(decoded), track, detail);
}

}  // namespace sound
