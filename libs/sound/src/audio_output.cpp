#include "audio_output.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace sound {
namespace {

// Frames per device buffer: a power of two (the dummy driver paces whole
// buffers of the next power of two) of about 23 ms.
constexpr Uint16 kBufferFrames = 1024;

std::mutex g_outputMutex;
bool g_outputOpen = false;

SDL_AudioSpec WantedSpec(Mixer& mixer)
{
    SDL_AudioSpec wanted{};
    wanted.freq = kOutputRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kOutputChannels;
    wanted.samples = kBufferFrames;
    wanted.userdata = &mixer;
    return wanted;
}

// Initialises SDL audio (with the driver the hint or SDL_AUDIODRIVER names, if
// any) and opens its default device. 0 and SDL audio shut down on failure.
SDL_AudioDeviceID InitAndOpen(SDL_AudioSpec wanted, SDL_AudioSpec& obtained, std::string& why)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        why = SDL_GetError();
        return 0;
    }
    // No changes allowed: SDL converts to whatever the hardware takes.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        why = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return device;
}

// The same with the "dummy" driver forced, whatever the environment says.
SDL_AudioDeviceID InitAndOpenDummy(const SDL_AudioSpec& wanted, SDL_AudioSpec& obtained, std::string& why)
{
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const SDL_AudioDeviceID device = InitAndOpen(wanted, obtained, why);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return device;
}

}  // namespace

bool SilentModeRequested()
{
    const char* value = std::getenv(kSilentModeVariable);
    return value && *value && std::strcmp(value, "0") != 0;
}

AudioOutput::~AudioOutput() { Close(); }

void SDLCALL AudioOutput::Feed(void* mixer, Uint8* stream, int bytes)
{
    const std::size_t frames = static_cast<std::size_t>(bytes) / (sizeof(std::int16_t) * kOutputChannels);
    static_cast<Mixer*>(mixer)->Mix(reinterpret_cast<std::int16_t*>(stream), frames);
}

FMOD_RESULT AudioOutput::Open(Mixer& mixer, std::string& detail)
{
    if (device_ != 0) {
        detail = "the audio output is already open";
        return FMOD_ERR_OUTPUT_INIT;
    }
    std::lock_guard lock(g_outputMutex);
    if (g_outputOpen) {
        detail = "another sound system holds the audio output of this process";
        return FMOD_ERR_OUTPUT_INIT;
    }
    SDL_AudioSpec wanted = WantedSpec(mixer);
    wanted.callback = &AudioOutput::Feed;
    SDL_AudioSpec obtained{};
    std::string deviceWhy;
    if (!SilentModeRequested()) device_ = InitAndOpen(wanted, obtained, deviceWhy);
    if (device_ == 0) {
        std::string dummyWhy;
        device_ = InitAndOpenDummy(wanted, obtained, dummyWhy);
        if (device_ == 0) {
            detail = "no audio output opens: ";
            if (!deviceWhy.empty()) detail += "audio device: " + deviceWhy + "; ";
            detail += "silent output: " + dummyWhy;
            return FMOD_ERR_OUTPUT_INIT;
        }
    }
    g_outputOpen = true;
    mixer.ReserveFrames(obtained.samples);
    SDL_PauseAudioDevice(device_, 0);
    return FMOD_OK;
}

void AudioOutput::Close()
{
    if (device_ == 0) return;
    // Waits for the callback thread to end.
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_ = 0;
    std::lock_guard lock(g_outputMutex);
    g_outputOpen = false;
}

}  // namespace sound
