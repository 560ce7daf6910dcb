// FMOD_System_Create and FMOD::System.
#include "fmod_objects.h"
#include "last_error.h"
#include "track_loader.h"

#include <algorithm>
#include <new>
#include <string>

namespace sound {
namespace {

constexpr int kMaxChannels = 4096;
constexpr FMOD_MODE kKnownModes = FMOD_SOFTWARE;

}  // namespace

SystemObject::~SystemObject()
{
    // The callback must stop before the mixer and the tracks it reads go.
    output_.Close();
}

FMOD_RESULT SystemObject::Init(int maxChannels, FMOD_INITFLAGS flags, void* extraDriverData)
{
    if (maxChannels < 1 || maxChannels > kMaxChannels)
        return Fail(FMOD_ERR_INVALID_PARAM, "the channel count must be 1 to 4096, not " + std::to_string(maxChannels));
    if (flags != FMOD_INIT_NORMAL) return Fail(FMOD_ERR_INVALID_PARAM, "unknown initialisation flags");
    if (extraDriverData) return Fail(FMOD_ERR_INVALID_PARAM, "driver data is not supported");

    std::lock_guard lock(mutex_);
    if (initialised_.load()) return Fail(FMOD_ERR_INITIALIZED, "the system is already initialised");
    auto mixer = std::make_unique<Mixer>(maxChannels);
    std::string detail;
    const FMOD_RESULT result = output_.Open(*mixer, detail);
    if (result != FMOD_OK) return Fail(result, detail);
    mixer_ = std::move(mixer);
    initialised_.store(true);
    return FMOD_OK;
}

FMOD_RESULT SystemObject::CreateSound(const char* name, FMOD_MODE mode, const void* exinfo, FMOD::Sound** sound)
{
    if (sound) *sound = nullptr;
    if (!name || !sound) return Fail(FMOD_ERR_INVALID_PARAM, "no file name or no place for the sound");
    if ((mode & ~kKnownModes) != 0) return Fail(FMOD_ERR_INVALID_PARAM, "unknown sound mode");
    if (exinfo) return Fail(FMOD_ERR_INVALID_PARAM, "extended sound information is not supported");
    if (!initialised_.load()) return Fail(FMOD_ERR_UNINITIALIZED, "the system is not initialised");

    // Decoding takes long; it runs outside the lock.
    PcmTrack track;
    std::string detail;
    const FMOD_RESULT result = LoadTrack(name, track, detail);
    if (result != FMOD_OK) return Fail(result, detail);
    try {
        std::lock_guard lock(mutex_);
        sounds_.push_back(std::make_unique<SoundObject>(std::move(track)));
        *sound = sounds_.back().get();
    } catch (const std::bad_alloc&) {
        return Fail(FMOD_ERR_MEMORY, "not enough memory for the sound");
    }
    return FMOD_OK;
}

FMOD_RESULT SystemObject::PlaySound(FMOD_CHANNELINDEX channelId, FMOD::Sound* sound, bool paused,
                                    FMOD::Channel** channel)
{
    if (channel) *channel = nullptr;
    if (channelId != FMOD_CHANNEL_FREE)
        return Fail(FMOD_ERR_INVALID_PARAM, "only FMOD_CHANNEL_FREE is supported as channel index");
    if (!initialised_.load()) return Fail(FMOD_ERR_UNINITIALIZED, "the system is not initialised");

    std::lock_guard lock(mutex_);
    const auto owned =
        std::find_if(sounds_.begin(), sounds_.end(), [sound](const auto& own) { return own.get() == sound; });
    if (owned == sounds_.end()) return Fail(FMOD_ERR_INVALID_PARAM, "the sound does not belong to this system");
    VoiceRef voice;
    const FMOD_RESULT result = mixer_->Start((*owned)->Track(), paused, voice);
    if (result != FMOD_OK) return Fail(result, "all " + std::to_string(mixer_->SlotCount()) + " channels are playing");
    channels_.emplace_back(*mixer_, voice);
    if (channel) *channel = &channels_.back();
    return FMOD_OK;
}

FMOD_RESULT SystemObject::Update()
{
    // The audio callback does all the work of playback; nothing is due per frame.
    if (!initialised_.load()) return Fail(FMOD_ERR_UNINITIALIZED, "the system is not initialised");
    return FMOD_OK;
}

FMOD_RESULT SystemObject::GetDSPClock(unsigned int* hi, unsigned int* lo)
{
    if (!hi || !lo) return Fail(FMOD_ERR_INVALID_PARAM, "no place for the clock");
    if (!initialised_.load()) return Fail(FMOD_ERR_UNINITIALIZED, "the system is not initialised");
    const std::uint64_t clock = mixer_->Clock();
    *hi = static_cast<unsigned int>(clock >> 32);
    *lo = static_cast<unsigned int>(clock & 0xffffffffu);
    return FMOD_OK;
}

}  // namespace sound

FMOD_RESULT FMOD_System_Create(FMOD::System** system)
{
    if (!system) return sound::Fail(FMOD_ERR_INVALID_PARAM, "no place for the system");
    *system = new (std::nothrow) sound::SystemObject();
    return *system ? FMOD_OK : sound::Fail(FMOD_ERR_MEMORY, "not enough memory for the system");
}

namespace FMOD {

FMOD_RESULT System::init(int maxchannels, FMOD_INITFLAGS flags, void* extradriverdata)
{
    return sound::Object(this).Init(maxchannels, flags, extradriverdata);
}

FMOD_RESULT System::createSound(const char* name, FMOD_MODE mode, const void* exinfo, Sound** sound)
{
    return sound::Object(this).CreateSound(name, mode, exinfo, sound);
}

FMOD_RESULT System::playSound(FMOD_CHANNELINDEX channelid, Sound* sound, bool paused, Channel** channel)
{
    return sound::Object(this).PlaySound(channelid, sound, paused, channel);
}

FMOD_RESULT System::update() { return sound::Object(this).Update(); }
FMOD_RESULT System::getDSPClock(unsigned int* hi, unsigned int* lo) { return sound::Object(this).GetDSPClock(hi, lo); }

FMOD_RESULT System::release()
{
    delete &sound::Object(this);
    return FMOD_OK;
}

}  // namespace FMOD
