#include "pcm_conversion.h"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

namespace sound {
namespace {

struct StreamDeleter {
    void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};

FMOD_RESULT ConversionError(const char* what, std::string& detail)
{
    detail = std::string("cannot convert the decoded audio: ") + what + ": " + SDL_GetError();
    return FMOD_ERR_FORMAT;
}

}  // namespace

FMOD_RESULT ConvertToOutputFormat(DecodedAudio&& in, PcmTrack& out, std::string& detail)
{
    out.samples.clear();
    if (in.rate == kOutputRate && in.channels == kOutputChannels) {
        out.samples = std::move(in.samples);
        return FMOD_OK;
    }
    std::unique_ptr<SDL_AudioStream, StreamDeleter> stream(
        SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(in.channels), static_cast<int>(in.rate), AUDIO_S16SYS,
                           kOutputChannels, kOutputRate));
    if (!stream) return ConversionError("SDL_NewAudioStream", detail);

    // Fed in pieces so that the stream's own buffers stay small.
    constexpr std::size_t kPieceSamples = 1 << 16;
    try {
        const double ratio = static_cast<double>(kOutputRate) / static_cast<double>(in.rate) * kOutputChannels /
                             in.channels;
        out.samples.reserve(static_cast<std::size_t>(static_cast<double>(in.samples.size()) * ratio) + kPieceSamples);
        auto drain = [&]() -> bool {
            const int available = SDL_AudioStreamAvailable(stream.get());
            if (available <= 0) return true;
            const std::size_t old = out.samples.size();
            out.samples.resize(old + static_cast<std::size_t>(available) / sizeof(std::int16_t));
            const int got = SDL_AudioStreamGet(stream.get(), out.samples.data() + old, available);
            if (got < 0) return false;
            out.samples.resize(old + static_cast<std::size_t>(got) / sizeof(std::int16_t));
            return true;
        };
        for (std::size_t at = 0; at < in.samples.size(); at += kPieceSamples) {
            const std::size_t count = std::min(kPieceSamples, in.samples.size() - at);
            if (SDL_AudioStreamPut(stream.get(), in.samples.data() + at,
                                   static_cast<int>(count * sizeof(std::int16_t))) != 0)
                return ConversionError("SDL_AudioStreamPut", detail);
            if (!drain()) return ConversionError("SDL_AudioStreamGet", detail);
        }
        if (SDL_AudioStreamFlush(stream.get()) != 0 || !drain()) return ConversionError("SDL_AudioStreamFlush", detail);
    } catch (const std::bad_alloc&) {
        out.samples = {};
        detail = "not enough memory for the converted audio";
        return FMOD_ERR_MEMORY;
    }
    out.samples.resize(out.samples.size() - out.samples.size() % kOutputChannels);
    in = DecodedAudio{};
    return FMOD_OK;
}

}  // namespace sound
