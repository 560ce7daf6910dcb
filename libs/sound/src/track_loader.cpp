#include "track_loader.h"

#include "mp3_decoder.h"
#include "pcm_conversion.h"

#include <utility>

namespace sound {

FMOD_RESULT LoadTrack(const char* path, PcmTrack& track, std::string& detail)
{
    DecodedAudio decoded;
    const FMOD_RESULT result = DecodeMp3File(path, decoded, detail);
    if (result != FMOD_OK) return result;
    return ConvertToOutputFormat(std::move(decoded), track, detail);
}

}  // namespace sound
