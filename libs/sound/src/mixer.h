#pragma once
// The channel slots and the mix the audio callback hands to the device.
//
// One mutex guards every slot. The audio callback holds it while it mixes one
// buffer; every other operation holds it for a few reads and writes, so calls
// from any thread are safe against the callback and against each other.
#include "output_format.h"

#include <sound/fmod_api.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace sound {

// Names one use of a slot: a later start on the same slot makes the
// reference stale.
struct VoiceRef {
    std::uint32_t slot = 0;
    std::uint32_t generation = 0;
};

class Mixer {
public:
    explicit Mixer(int slots);

    // Makes room for buffers of up to frames frames, so that mixing them
    // allocates nothing on the audio thread.
    void ReserveFrames(std::size_t frames);

    std::size_t SlotCount() const { return voices_.size(); }

    // Starts track at frame 0 on the slot never used, else on the slot whose
    // channel ended longest ago. FMOD_ERR_CHANNEL_ALLOC when every slot plays.
    // The track must outlive its use by the mixer.
    FMOD_RESULT Start(const PcmTrack& track, bool paused, VoiceRef& started);

    FMOD_RESULT SetPaused(VoiceRef voice, bool paused);
    FMOD_RESULT GetPaused(VoiceRef voice, bool& paused);
    // Frames past the end of the track move the channel to its end. Revives a
    // channel that has ended.
    FMOD_RESULT SetPosition(VoiceRef voice, std::uint64_t frame);
    FMOD_RESULT GetPosition(VoiceRef voice, std::uint64_t& frame);
    // FMOD_ERR_INVALID_HANDLE once the channel has played to its end.
    FMOD_RESULT IsPlaying(VoiceRef voice, bool& playing);

    // Fills out with frames frames of the output format: the sum of the
    // channels that play, clipped; silence where none does. Advances each
    // playing channel by the frames it contributed and marks the ones that
    // reach their end.
    void Mix(std::int16_t* out, std::size_t frames);

    // The mixer's clock: the frames mixed so far, plus the time since the
    // last mix as frames, at most that mix's length (the device plays the
    // last buffer meanwhile). Never runs backwards.
    std::uint64_t Clock();

private:
    struct Voice {
        const PcmTrack* track = nullptr;  // null: never used
        std::uint64_t position = 0;
        std::uint64_t endedAt = 0;  // order of the end among all ends, 0 while not ended
        std::uint32_t generation = 0;
        bool paused = true;
    };

    // The voice ref names, or null when ref is out of range or stale.
    Voice* Find(VoiceRef ref);

    std::mutex mutex_;
    std::vector<Voice> voices_;
    std::vector<std::int32_t> sum_;  // mix accumulator, grown to the largest buffer
    std::uint64_t ends_ = 0;
    std::uint64_t mixed_ = 0;       // frames handed to the device
    std::uint64_t lastLength_ = 0;  // frames of the last mix
    std::chrono::steady_clock::time_point lastMix_{};
    std::uint64_t clockRead_ = 0;  // the highest clock value handed out
};

}  // namespace sound
