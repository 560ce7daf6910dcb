#pragma once
// What stands behind the pointers the layer hands out.
#include "audio_output.h"
#include "mixer.h"
#include "output_format.h"

#include <sound/fmod_api.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace sound {

class SoundObject final : public FMOD::Sound {
public:
    explicit SoundObject(PcmTrack track) : track_(std::move(track)) {}
    const PcmTrack& Track() const { return track_; }

private:
    const PcmTrack track_;
};

// One playSound: the mixer slot it started on. Its fields never change.
class ChannelObject final : public FMOD::Channel {
public:
    ChannelObject(Mixer& mixer, VoiceRef voice) : mixer_(mixer), voice_(voice) {}
    Mixer& mixer() const { return mixer_; }
    VoiceRef voice() const { return voice_; }

private:
    Mixer& mixer_;
    const VoiceRef voice_;
};

class SystemObject final : public FMOD::System {
public:
    SystemObject() = default;
    ~SystemObject();

    FMOD_RESULT Init(int maxChannels, FMOD_INITFLAGS flags, void* extraDriverData);
    FMOD_RESULT CreateSound(const char* name, FMOD_MODE mode, const void* exinfo, FMOD::Sound** sound);
    FMOD_RESULT PlaySound(FMOD_CHANNELINDEX channelId, FMOD::Sound* sound, bool paused, FMOD::Channel** channel);
    FMOD_RESULT Update();
    FMOD_RESULT GetDSPClock(unsigned int* hi, unsigned int* lo);

private:
    std::mutex mutex_;  // guards everything below; the mixer has its own lock
    std::atomic<bool> initialised_{false};
    std::unique_ptr<Mixer> mixer_;
    AudioOutput output_;
    std::vector<std::unique_ptr<SoundObject>> sounds_;
    std::deque<ChannelObject> channels_;  // never moves an element
};

inline SystemObject& Object(FMOD::System* system) { return *static_cast<SystemObject*>(system); }
inline SoundObject& Object(FMOD::Sound* sound) { return *static_cast<SoundObject*>(sound); }
inline ChannelObject& Object(FMOD::Channel* channel) { return *static_cast<ChannelObject*>(channel); }

}  // namespace sound
