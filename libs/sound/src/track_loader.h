#pragma once
// What createSound does with a file: decode it whole, then convert it to the
// output format.
#include "output_format.h"

#include <sound/fmod_api.h>

#include <string>

namespace sound {

FMOD_RESULT LoadTrack(const char* path, PcmTrack& track, std::string& detail);

}  // namespace sound
