#pragma once
// The SDL2 audio device the mixer feeds.
//
// Open tries the default device of the default driver first; when that fails,
// or when silent mode is asked for in the environment, it opens SDL's "dummy"
// driver, which takes the samples at the real-time rate and discards them.
// SDL audio is process-wide, so one output can be open at a time.
#include "mixer.h"

#include <sound/fmod_api.h>

#include <SDL.h>

#include <string>

namespace sound {

// True when the silent-mode variable is set to anything other than "" or "0".
bool SilentModeRequested();

class AudioOutput {
public:
    AudioOutput() = default;
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Opens a device and starts feeding it from mixer, which must outlive the
    // output. FMOD_ERR_OUTPUT_INIT with detail when no device opens, or when
    // another output is open in this process.
    FMOD_RESULT Open(Mixer& mixer, std::string& detail);
    // Stops the callback and closes the device; nothing after it touches the
    // mixer. Does nothing when not open.
    void Close();

    bool IsOpen() const { return device_ != 0; }

private:
    static void SDLCALL Feed(void* mixer, Uint8* stream, int bytes);

    SDL_AudioDeviceID device_ = 0;
};

}  // namespace sound
