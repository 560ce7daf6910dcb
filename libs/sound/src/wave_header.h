#pragma once
// Recognising RIFF WAVE files. A WAVE file holds MPEG audio only under an MPEG
// format tag; any other (PCM above all) holds none, however much its samples
// happen to look like MPEG frame headers to a decoder that searches for them.
#include <optional>
#include <string>

namespace sound {

// When the file open at fd starts as a WAVE file whose audio is not MPEG,
// what it holds ("PCM audio", "audio of format tag 0x0003"); otherwise
// nothing, a file that cannot be read included. Reads with pread, so the
// file's offset stays where it is.
std::optional<std::string> WaveWithoutMpegAudio(int fd);

}  // namespace sound
