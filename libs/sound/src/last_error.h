#pragma once
// The description of the latest failure on the calling thread, read back by
// sound::LastErrorDetail.
#include <sound/fmod_api.h>

#include <string>

namespace sound {

// Records detail as the description of the failure result and returns result.
FMOD_RESULT Fail(FMOD_RESULT result, std::string detail = {});

}  // namespace sound
