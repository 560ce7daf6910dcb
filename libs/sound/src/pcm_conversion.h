#pragma once
// Bringing decoded audio to the output format (rate and channel count).
#include "mp3_decoder.h"
#include "output_format.h"

#include <sound/fmod_api.h>

#include <string>

namespace sound {

// Converts the whole of in to the output format; in is consumed. Audio that
// is already in that format is moved, not copied. On failure returns
// FMOD_ERR_FORMAT or FMOD_ERR_MEMORY and sets detail.
FMOD_RESULT ConvertToOutputFormat(DecodedAudio&& in, PcmTrack& out, std::string& detail);

}  // namespace sound
