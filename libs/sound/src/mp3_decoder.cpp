#include "mp3_decoder.h"

#include <mpg123.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>

namespace sound {
namespace {

// Samples read per call; the vector grows by this much at a time at least.
constexpr std::size_t kReadChunkSamples = 1 << 18;

struct HandleCloser {
    void operator()(mpg123_handle* handle) const
    {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};
using DecoderHandle = std::unique_ptr<mpg123_handle, HandleCloser>;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

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

// Accept 16-bit output in mono or stereo at every rate the decoder knows.
bool AcceptSigned16Output(mpg123_handle* handle)
{
    if (mpg123_format_none(handle) != MPG123_OK) return false;
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i) {
        if (mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16) !=
            MPG123_OK)
            return false;
    }
    return true;
}

FMOD_RESULT DecodeOpened(const char* path, mpg123_handle* handle, DecodedAudio& out,
                         std::string& detail)
{
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK)
        return FormatError(path, std::string("no MPEG audio found (") + mpg123_strerror(handle) + ")",
                           detail);
    if (encoding != MPG123_ENC_SIGNED_16 || (channels != 1 && channels != 2) || rate <= 0)
        return FormatError(path, "unsupported sample format", detail);

    const off_t expected = mpg123_length(handle);
    // With a length in the file's info tag the buffer is allocated once.
    if (expected > 0)
        out.samples.reserve(static_cast<std::size_t>(expected) * channels + kReadChunkSamples);

    std::size_t used = 0;
    for (;;) {
        if (out.samples.size() - used < kReadChunkSamples)
            out.samples.resize(used + kReadChunkSamples);
        std::size_t bytes = 0;
        const int rc = mpg123_read(handle, reinterpret_cast<unsigned char*>(out.samples.data() + used),
                                   (out.samples.size() - used) * sizeof(std::int16_t), &bytes);
        used += bytes / sizeof(std::int16_t);
        if (rc == MPG123_DONE) break;
        if (rc == MPG123_NEW_FORMAT) {
            long newRate = 0;
            int newChannels = 0;
            mpg123_getformat(handle, &newRate, &newChannels, &encoding);
            if (newRate != rate || newChannels != channels)
                return FormatError(path, "the sample rate or channel count changes within the stream",
                                   detail);
            continue;
        }
        if (rc != MPG123_OK) return FormatError(path, mpg123_strerror(handle), detail);
    }
    out.samples.resize(used - used % channels);
    if (out.samples.capacity() - out.samples.size() > 2 * kReadChunkSamples) out.samples.shrink_to_fit();
    if (out.samples.empty()) return FormatError(path, "no audio frames decoded", detail);
    out.rate = rate;
    out.channels = channels;
    return FMOD_OK;
}

}  // namespace

FMOD_RESULT DecodeMp3File(const char* path, DecodedAudio& out, std::string& detail)
{
    out = DecodedAudio{};
    FileDescriptor file(::open(path, O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        const int error = errno;
        detail = "cannot open " + Quoted(path) + ": " + std::strerror(error);
        return error == ENOENT || error == ENOTDIR ? FMOD_ERR_FILE_NOT_FOUND : FMOD_ERR_FILE_BAD;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        detail = "cannot read " + Quoted(path) + ": not a regular file";
        return FMOD_ERR_FILE_BAD;
    }

    InitLibraryOnce();
    int error = MPG123_OK;
    DecoderHandle handle(mpg123_new(nullptr, &error));
    if (!handle) {
        detail = std::string("cannot start the MP3 decoder: ") + mpg123_plain_strerror(error);
        return FMOD_ERR_MEMORY;
    }
    if (mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0) !=
            MPG123_OK ||
        !AcceptSigned16Output(handle.get())) {
        detail = std::string("cannot set up the MP3 decoder: ") + mpg123_strerror(handle.get());
        return FMOD_ERR_FORMAT;
    }
    if (mpg123_open_fd(handle.get(), file.get()) != MPG123_OK) {
        detail = "cannot read " + Quoted(path) + ": " + mpg123_strerror(handle.get());
        return FMOD_ERR_FILE_BAD;
    }

    try {
        const FMOD_RESULT result = DecodeOpened(path, handle.get(), out, detail);
        if (result != FMOD_OK) out = DecodedAudio{};
        return result;
    } catch (const std::bad_alloc&) {
        out = DecodedAudio{};
        detail = "not enough memory to decode " + Quoted(path);
        return FMOD_ERR_MEMORY;
    }
}

}  // namespace sound
