// FMOD::Sound.
#include "fmod_objects.h"
#include "last_error.h"

namespace FMOD {

FMOD_RESULT Sound::getLength(unsigned int* length, FMOD_TIMEUNIT lengthtype)
{
    if (!length) return sound::Fail(FMOD_ERR_INVALID_PARAM, "no place for the length");
    if (lengthtype != FMOD_TIMEUNIT_MS)
        return sound::Fail(FMOD_ERR_INVALID_PARAM, "only FMOD_TIMEUNIT_MS is supported");
    *length = static_cast<unsigned int>(sound::FramesToMs(sound::Object(this).Track().Frames()));
    return FMOD_OK;
}

}  // namespace FMOD
