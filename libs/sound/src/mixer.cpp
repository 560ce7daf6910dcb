#include "mixer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace sound {

Mixer::Mixer(int slots) : voices_(static_cast<std::size_t>(slots)) {}

void Mixer::ReserveFrames(std::size_t frames)
{
    std::lock_guard lock(mutex_);
    if (sum_.size() < frames * kOutputChannels) sum_.resize(frames * kOutputChannels);
}

Mixer::Voice* Mixer::Find(VoiceRef ref)
{
    if (ref.slot >= voices_.size()) return nullptr;
    Voice& voice = voices_[ref.slot];
    return voice.track && voice.generation == ref.generation ? &voice : nullptr;
}

FMOD_RESULT Mixer::Start(const PcmTrack& track, bool paused, VoiceRef& started)
{
    std::lock_guard lock(mutex_);
    Voice* chosen = nullptr;
    for (Voice& voice : voices_) {
        if (!voice.track) {
            chosen = &voice;
            break;
        }
        if (voice.endedAt != 0 && (!chosen || voice.endedAt < chosen->endedAt)) chosen = &voice;
    }
    if (!chosen) return FMOD_ERR_CHANNEL_ALLOC;
    chosen->track = &track;
    chosen->position = 0;
    chosen->endedAt = 0;
    chosen->paused = paused;
    ++chosen->generation;
    started = VoiceRef{static_cast<std::uint32_t>(chosen - voices_.data()), chosen->generation};
    return FMOD_OK;
}

FMOD_RESULT Mixer::SetPaused(VoiceRef ref, bool paused)
{
    std::lock_guard lock(mutex_);
    Voice* voice = Find(ref);
    if (!voice) return FMOD_ERR_INVALID_HANDLE;
    voice->paused = paused;
    return FMOD_OK;
}

FMOD_RESULT Mixer::GetPaused(VoiceRef ref, bool& paused)
{
    std::lock_guard lock(mutex_);
    const Voice* voice = Find(ref);
    if (!voice) return FMOD_ERR_INVALID_HANDLE;
    paused = voice->paused;
    return FMOD_OK;
}

FMOD_RESULT Mixer::SetPosition(VoiceRef ref, std::uint64_t frame)
{
    std::lock_guard lock(mutex_);
    Voice* voice = Find(ref);
    if (!voice) return FMOD_ERR_INVALID_HANDLE;
    const std::uint64_t length = voice->track->Frames();
    voice->position = std::min(frame, length);
    // A revived channel ends again only when it plays up to its end.
    voice->endedAt = 0;
    return FMOD_OK;
}

FMOD_RESULT Mixer::GetPosition(VoiceRef ref, std::uint64_t& frame)
{
    std::lock_guard lock(mutex_);
    const Voice* voice = Find(ref);
    if (!voice) return FMOD_ERR_INVALID_HANDLE;
    frame = voice->position;
    return FMOD_OK;
}

FMOD_RESULT Mixer::IsPlaying(VoiceRef ref, bool& playing)
{
    std::lock_guard lock(mutex_);
    const Voice* voice = Find(ref);
    playing = voice && voice->endedAt == 0;
    return playing ? FMOD_OK : FMOD_ERR_INVALID_HANDLE;
}

void Mixer::Mix(std::int16_t* out, std::size_t frames)
{
    const std::size_t samples = frames * kOutputChannels;
    std::lock_guard lock(mutex_);
    mixed_ += frames;
    lastLength_ = frames;
    lastMix_ = std::chrono::steady_clock::now();
    if (sum_.size() < samples) sum_.resize(samples);
    std::fill_n(sum_.begin(), samples, 0);
    bool any = false;
    for (Voice& voice : voices_) {
        if (!voice.track || voice.paused || voice.endedAt != 0) continue;
        const std::uint64_t length = voice.track->Frames();
        const std::uint64_t count = std::min<std::uint64_t>(frames, length - voice.position);
        const std::int16_t* from = voice.track->samples.data() + voice.position * kOutputChannels;
        for (std::size_t i = 0; i < count * kOutputChannels; ++i) sum_[i] += from[i];
        any = any || count > 0;
        voice.position += count;
        if (voice.position == length) voice.endedAt = ++ends_;
    }
    if (!any) {
        std::memset(out, 0, samples * sizeof(std::int16_t));
        return;
    }
    constexpr std::int32_t kLow = std::numeric_limits<std::int16_t>::min();
    constexpr std::int32_t kHigh = std::numeric_limits<std::int16_t>::max();
    for (std::size_t i = 0; i < samples; ++i) out[i] = static_cast<std::int16_t>(std::clamp(sum_[i], kLow, kHigh));
}

std::uint64_t Mixer::Clock()
{
    std::lock_guard lock(mutex_);
    std::uint64_t clock = mixed_;
    if (lastLength_ > 0) {
        const auto since = std::chrono::steady_clock::now() - lastMix_;
        const auto frames = static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(since).count() * kOutputRate / 1000000);
        // The frames mixed last are still playing: the clock stands ahead of
        // the last mix by at most their length, and before it by nothing.
        clock = mixed_ - lastLength_ + std::min(frames, lastLength_);
    }
    clockRead_ = std::max(clockRead_, clock);
    return clockRead_;
}

}  // namespace sound
