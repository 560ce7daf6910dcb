#include "mp3_decoder.h"

#include "format_runs.h"
#include "track_file.h"
#include "wave_header.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

namespace sound {
namespace {

// The most samples per channel one byte of MPEG audio decodes to (MPEG-2
// layer III at 8 kbit/s and 24 kHz gives 24), with a margin. Bounds what a
// length recorded in the file may make us reserve.
constexpr std::uint64_t kMaxFramesPerByte = 32;

// A stream's own format holds at least this share of its frames (3 in 4);
// below it the frame headers found are chance bit patterns in other data.
constexpr std::uint64_t kStreamShareNumerator = 3;
constexpr std::uint64_t kStreamShareDenominator = 4;

// Fewer frames than this (a third of a second) before the decoder finds no
// further frame header are chance bit patterns too.
constexpr std::uint64_t kMinFramesBeforeError = 16;

struct HandleCloser {
    void operator()(mpg123_handle* handle) const
    {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};
using DecoderHandle = std::unique_ptr<mpg123_handle, HandleCloser>;

void InitLibraryOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

std::string Quoted(const char* path) { return std::string("\"") + path + "\""; }

FMOD_RESULT FormatError(const char* path, const std::string& why, std::string& detail)
{
    detail = "cannot decode " + Quoted(path) + ": " + why;
    return FMOD_ERR_FORMAT;
}

// Accept 16-bit output in mono or stereo at every rate the decoder knows, so
// that every frame comes out in its own format, never resampled.
bool AcceptSigned16Output(mpg123_handle* handle)
{
    if (mpg123_format_none(handle) != MPG123_OK) return false;
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i) {
        if (mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK)
            return false;
    }
    return true;
}

// The format of the frame decoded last, and its size in bytes.
bool CurrentFrameFormat(mpg123_handle* handle, FrameFormat& format, std::uint64_t& bytes)
{
    int encoding = 0;
    mpg123_frameinfo info{};
    if (mpg123_getformat(handle, &format.rate, &format.channels, &encoding) != MPG123_OK ||
        mpg123_info(handle, &info) != MPG123_OK)
        return false;
    format.version = info.version;
    format.layer = info.layer;
    format.samplesPerFrame = mpg123_spf(handle);
    bytes = info.framesize > 0 ? static_cast<std::uint64_t>(info.framesize) : 0;
    return encoding == MPG123_ENC_SIGNED_16 && (format.channels == 1 || format.channels == 2) && format.rate > 0 &&
           format.samplesPerFrame > 0;
}

// A lost frame moves the frames after it, so the decoder cuts the encoder's
// padding at the wrong place; where the file's info tag records the exact
// length (it does when it records the padding), that length holds.
// recordedLength is the decoder's length before decoding (afterwards it counts
// the frames it found).
void TrimToRecordedLength(mpg123_handle* handle, off_t recordedLength, std::size_t channels,
                          std::vector<std::int16_t>& samples)
{
    long padding = -1;
    if (mpg123_getstate(handle, MPG123_ENC_PADDING, &padding, nullptr) != MPG123_OK || padding < 0) return;
    if (recordedLength > 0 && samples.size() / channels > static_cast<std::uint64_t>(recordedLength))
        samples.resize(static_cast<std::size_t>(recordedLength) * channels);
}

FMOD_RESULT DecodeOpened(const char* path, std::uint64_t fileBytes, mpg123_handle* handle, DecodedAudio& out,
                         std::string& detail)
{
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK)
        return FormatError(path, std::string("no MPEG audio found (") + mpg123_strerror(handle) + ")", detail);

    // With a length in the file's info tag the buffer is allocated once; the
    // file's size bounds what a corrupt tag can ask for.
    const off_t expected = mpg123_length(handle);
    if (expected > 0 && channels > 0) {
        const std::uint64_t frames = std::min(static_cast<std::uint64_t>(expected), fileBytes * kMaxFramesPerByte);
        out.samples.reserve(static_cast<std::size_t>(frames) * static_cast<std::size_t>(channels));
    }

    FormatRuns runs;
    std::uint64_t frameEnd = 0;
    int rc = MPG123_OK;
    for (;;) {
        off_t frameNumber = 0;
        unsigned char* audio = nullptr;
        std::size_t bytes = 0;
        rc = mpg123_decode_frame(handle, &frameNumber, &audio, &bytes);
        if (rc == MPG123_NEW_FORMAT) continue;
        if (rc != MPG123_OK) break;
        FrameFormat format;
        std::uint64_t frameBytes = 0;
        if (!CurrentFrameFormat(handle, format, frameBytes))
            return FormatError(path, "unsupported sample format", detail);
        // The decoder has read up to the end of the frame; where that is not
        // known, the frame is taken to follow the one before.
        const off_t position = mpg123_tell_stream(handle);
        const std::uint64_t end = position >= 0 ? static_cast<std::uint64_t>(position) : frameEnd + frameBytes;
        const std::uint64_t start = end >= frameEnd + frameBytes ? end - frameBytes : frameEnd;
        frameEnd = std::max(end, frameEnd);

        const std::size_t count = bytes / sizeof(std::int16_t);
        const std::size_t used = out.samples.size();
        out.samples.resize(used + count);
        if (count > 0) std::memcpy(out.samples.data() + used, audio, count * sizeof(std::int16_t));
        runs.Add(format, count, start, frameEnd);
    }

    if (runs.Frames() == 0) {
        if (rc == MPG123_DONE) return FormatError(path, "no audio frames decoded", detail);
        return FormatError(path, std::string("no MPEG audio found (") + mpg123_strerror(handle) + ")", detail);
    }
    const FrameFormat stream = runs.StreamFormat();
    if (runs.FramesOf(stream) * kStreamShareDenominator < runs.Frames() * kStreamShareNumerator)
        return FormatError(path,
                           "no MPEG audio: the " + std::to_string(runs.Frames()) + " frame headers found are of " +
                               std::to_string(runs.FormatCount()) + " different formats",
                           detail);
    if (rc != MPG123_DONE && runs.Frames() < kMinFramesBeforeError)
        return FormatError(path,
                           "no MPEG audio: only " + std::to_string(runs.Frames()) + " frame headers found (" +
                               mpg123_strerror(handle) + ")",
                           detail);
    if (rc != MPG123_DONE)
        return FormatError(
            path, "decoding stopped after " + std::to_string(runs.Frames()) + " frames: " + mpg123_strerror(handle),
            detail);

    const SkippedFrames skipped = KeepStreamFormat(runs, stream, out.samples);
    const auto streamChannels = static_cast<std::size_t>(stream.channels);
    out.samples.resize(out.samples.size() - out.samples.size() % streamChannels);
    if (skipped.silenceFrames > 0) TrimToRecordedLength(handle, expected, streamChannels, out.samples);
    if (out.samples.capacity() - out.samples.size() > out.samples.size() / 8) out.samples.shrink_to_fit();
    if (out.samples.empty()) return FormatError(path, "no audio frames decoded", detail);
    out.rate = stream.rate;
    out.channels = stream.channels;
    out.skippedFrames = skipped.frames;
    out.silenceFrames = skipped.silenceFrames;
    return FMOD_OK;
}

}  // namespace

FMOD_RESULT DecodeMp3File(const char* path, DecodedAudio& out, std::string& detail)
{
    out = DecodedAudio{};
    FileDescriptor file;
    std::uint64_t fileBytes = 0;
    const FMOD_RESULT opened = OpenTrackFile(path, file, fileBytes, detail);
    if (opened != FMOD_OK) return opened;
    if (const auto wave = WaveWithoutMpegAudio(file.get()))
        return FormatError(path, "no MPEG audio: a WAVE file of " + *wave, detail);

    InitLibraryOnce();
    int error = MPG123_OK;
    DecoderHandle handle(mpg123_new(nullptr, &error));
    if (!handle) {
        detail = std::string("cannot start the MP3 decoder: ") + mpg123_plain_strerror(error);
        return FMOD_ERR_MEMORY;
    }
    if (mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0) != MPG123_OK ||
        !AcceptSigned16Output(handle.get())) {
        detail = std::string("cannot set up the MP3 decoder: ") + mpg123_strerror(handle.get());
        return FMOD_ERR_FORMAT;
    }
    if (mpg123_open_fd(handle.get(), file.get()) != MPG123_OK) {
        detail = "cannot read " + Quoted(path) + ": " + mpg123_strerror(handle.get());
        return FMOD_ERR_FILE_BAD;
    }

    try {
        const FMOD_RESULT result = DecodeOpened(path, fileBytes, handle.get(), out, detail);
        if (result != FMOD_OK) out = DecodedAudio{};
        return result;
    } catch (const std::bad_alloc&) {
        out = DecodedAudio{};
        detail = "not enough memory to decode " + Quoted(path);
        return FMOD_ERR_MEMORY;
    }
}

}  // namespace sound
