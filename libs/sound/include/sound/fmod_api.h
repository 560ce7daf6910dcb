#pragma once
// The demo's sound services: one system, the sounds it decoded and the
// channels that play them, under the call names the demo uses.
//
// How it works
//   - createSound decodes the whole MP3 file into memory (libmpg123, gapless,
//     so the length is exact) and converts it to the output format once.
//     It reads regular files only, and never waits on a FIFO or a device.
//     A frame whose header gives another format than the stream's (a corrupt
//     byte) is skipped and played as silence of a frame's length, so later
//     positions keep their time; one line on the standard error stream counts
//     such frames. A file with no MPEG audio (a WAVE file, other data) is
//     refused with FMOD_ERR_FORMAT.
//   - The system plays through SDL2: the audio callback copies the channels'
//     samples to the device. A channel's position is the count of its samples
//     handed to the device, so it advances only while the channel plays.
//   - When no audio device opens (no sound card, a headless machine), init
//     reopens SDL audio with its "dummy" driver. That driver consumes samples
//     in real time and discards them: positions advance and tracks end on time,
//     in silence.
//
// Environment
//   SOUND_LAYER_SILENT  Set to any value other than "" or "0" to skip the real
//                       audio device and play through the "dummy" driver
//                       (silent mode) from the start.
//
// Threads
//   Every call may be made from any thread and is safe against the audio
//   callback. Pointers handed out stay valid until System::release.
//
// Results
//   Every call returns FMOD_OK (0) on success. FMOD_ERR_INVALID_HANDLE (36)
//   from Channel::isPlaying means the channel has played to its end, or its
//   slot was taken over by a later playSound. sound::ResultName and
//   sound::LastErrorDetail (sound/fmod_check.h) describe a failure.
//
// Channels
//   playSound takes a channel slot that was never used, else the one that
//   ended longest ago; the handle of a channel whose slot was taken over
//   answers FMOD_ERR_INVALID_HANDLE to every call.
//   A channel that has played to its end stays at the end of its sound:
//     - isPlaying answers FMOD_ERR_INVALID_HANDLE, getPosition the length,
//       getPaused the pause state;
//     - setPaused records the pause state; the channel stays at its end;
//     - setPosition revives it: it goes on from that position, playing or
//       paused as its pause state says.
//   setPosition past the end of the sound moves the channel to the end.
//
// Only the millisecond time unit is supported.

#include <cstdint>

// The results, as X(name, value), so that their names come from one list.
// clang-format off
#define SOUND_FMOD_RESULT_LIST(X)                                                                 \
    X(FMOD_OK, 0)                                                                                 \
    X(FMOD_ERR_INVALID_PARAM, 1)   /* a null pointer, an unknown flag, a value out of range */   \
    X(FMOD_ERR_UNINITIALIZED, 2)   /* the system has not been initialised */                     \
    X(FMOD_ERR_INITIALIZED, 3)     /* init called a second time */                               \
    X(FMOD_ERR_OUTPUT_INIT, 4)     /* no audio output opens, not even the silent one */          \
    X(FMOD_ERR_FILE_NOT_FOUND, 5)  /* the sound's file does not exist */                         \
    X(FMOD_ERR_FILE_BAD, 6)        /* the sound's file cannot be read */                         \
    X(FMOD_ERR_FORMAT, 7)          /* the file holds no decodable MPEG audio */                  \
    X(FMOD_ERR_MEMORY, 8)          /* the decoded sound does not fit in memory */                \
    X(FMOD_ERR_CHANNEL_ALLOC, 9)   /* every channel is still playing */                          \
    X(FMOD_ERR_INVALID_HANDLE, 36) /* the channel has ended or its slot was reused */
// clang-format on

#define SOUND_FMOD_RESULT_ENUMERATOR(name, value) name = value,
enum FMOD_RESULT : int { SOUND_FMOD_RESULT_LIST(SOUND_FMOD_RESULT_ENUMERATOR) };
#undef SOUND_FMOD_RESULT_ENUMERATOR

using FMOD_INITFLAGS = unsigned int;
using FMOD_MODE = unsigned int;
using FMOD_TIMEUNIT = unsigned int;
using FMOD_CHANNELINDEX = int;

inline constexpr FMOD_INITFLAGS FMOD_INIT_NORMAL = 0;
inline constexpr FMOD_MODE FMOD_SOFTWARE = 0x40;  // mixed by the layer itself (the only way)
inline constexpr FMOD_TIMEUNIT FMOD_TIMEUNIT_MS = 1;
inline constexpr FMOD_CHANNELINDEX FMOD_CHANNEL_FREE = -1;

namespace FMOD {

class Sound;
class Channel;

// Objects of these classes are made only by the layer; the caller holds
// pointers to them.
class System {
public:
    // Opens the audio output with room for maxchannels channels playing at once
    // (1 to 4096). flags: FMOD_INIT_NORMAL; extradriverdata: null.
    FMOD_RESULT init(int maxchannels, FMOD_INITFLAGS flags, void* extradriverdata);
    // Decodes the MP3 file at name. mode: FMOD_SOFTWARE or 0; exinfo: null.
    // On failure *sound is null.
    FMOD_RESULT createSound(const char* name, FMOD_MODE mode, const void* exinfo, Sound** sound);
    // Starts sound on a new channel at position 0. channelid: FMOD_CHANNEL_FREE.
    // channel may be null.
    FMOD_RESULT playSound(FMOD_CHANNELINDEX channelid, Sound* sound, bool paused, Channel** channel);
    // Per-frame service call; playback itself runs on the audio callback.
    FMOD_RESULT update();
    // The output clock in frames of the 44.1 kHz output (high and low 32
    // bits): the frames the device has played, counted whether or not a
    // channel plays; it advances as the audio device consumes samples, so a
    // clock taken from it keeps time with the music.
    FMOD_RESULT getDSPClock(unsigned int* hi, unsigned int* lo);
    // Stops the output and frees the system, its sounds and channels.
    FMOD_RESULT release();

protected:
    System() = default;
    ~System() = default;
    System(const System&) = delete;
    System& operator=(const System&) = delete;
};

class Sound {
public:
    FMOD_RESULT getLength(unsigned int* length, FMOD_TIMEUNIT lengthtype);

protected:
    Sound() = default;
    ~Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
};

class Channel {
public:
    FMOD_RESULT setPaused(bool paused);
    FMOD_RESULT getPaused(bool* paused);
    FMOD_RESULT setPosition(unsigned int position, FMOD_TIMEUNIT postype);
    FMOD_RESULT getPosition(unsigned int* position, FMOD_TIMEUNIT postype);
    FMOD_RESULT isPlaying(bool* isplaying);

protected:
    Channel() = default;
    ~Channel() = default;
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;
};

}  // namespace FMOD

// Creates a system that is not yet initialised.
FMOD_RESULT FMOD_System_Create(FMOD::System** system);

namespace sound {

// The environment variable that forces silent mode (see above).
inline constexpr const char* kSilentModeVariable = "SOUND_LAYER_SILENT";

}  // namespace sound
