// FMOD::Channel: each call goes to the channel's mixer slot.
#include "fmod_objects.h"
#include "last_error.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

FMOD_RESULT Checked(FMOD_RESULT result)
{
    if (result == FMOD_ERR_INVALID_HANDLE)
        return sound::Fail(result, "the channel has ended or its slot plays another sound");
    return result;
}

FMOD_RESULT CheckUnit(FMOD_TIMEUNIT unit)
{
    return unit == FMOD_TIMEUNIT_MS ? FMOD_OK
                                    : sound::Fail(FMOD_ERR_INVALID_PARAM, "only FMOD_TIMEUNIT_MS is supported");
}

}  // namespace

namespace FMOD {

FMOD_RESULT Channel::setPaused(bool paused)
{
    const sound::ChannelObject& self = sound::Object(this);
    return Checked(self.mixer().SetPaused(self.voice(), paused));
}

FMOD_RESULT Channel::getPaused(bool* paused)
{
    if (!paused) return sound::Fail(FMOD_ERR_INVALID_PARAM, "no place for the pause state");
    const sound::ChannelObject& self = sound::Object(this);
    return Checked(self.mixer().GetPaused(self.voice(), *paused));
}

FMOD_RESULT Channel::setPosition(unsigned int position, FMOD_TIMEUNIT postype)
{
    if (const FMOD_RESULT unit = CheckUnit(postype); unit != FMOD_OK) return unit;
    const sound::ChannelObject& self = sound::Object(this);
    return Checked(self.mixer().SetPosition(self.voice(), sound::MsToFrames(position)));
}

FMOD_RESULT Channel::getPosition(unsigned int* position, FMOD_TIMEUNIT postype)
{
    if (!position) return sound::Fail(FMOD_ERR_INVALID_PARAM, "no place for the position");
    *position = 0;
    if (const FMOD_RESULT unit = CheckUnit(postype); unit != FMOD_OK) return unit;
    const sound::ChannelObject& self = sound::Object(this);
    std::uint64_t frame = 0;
    const FMOD_RESULT result = Checked(self.mixer().GetPosition(self.voice(), frame));
    *position = static_cast<unsigned int>(
        std::min<std::uint64_t>(sound::FramesToMs(frame), std::numeric_limits<unsigned int>::max()));
    return result;
}

FMOD_RESULT Channel::isPlaying(bool* isplaying)
{
    if (!isplaying) return sound::Fail(FMOD_ERR_INVALID_PARAM, "no place for the playing state");
    const sound::ChannelObject& self = sound::Object(this);
    return Checked(self.mixer().IsPlaying(self.voice(), *isplaying));
}

}  // namespace FMOD
