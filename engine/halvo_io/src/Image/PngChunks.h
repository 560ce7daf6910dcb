#pragma once
// A check of a PNG file's chunk lengths before the PNG decoder sees them:
// the decoder allocates the length a chunk declares before reading it, so a
// few hundred bytes declaring a 2 GB chunk made it ask for 2 GB.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace hlv_io {

// Why the chunks of the PNG file of fileSize bytes cannot be read (a chunk
// that declares more bytes than the file holds after it), or empty. The file
// position is left anywhere.
std::optional<std::string> FindPngChunkProblem(std::FILE* file, std::uint64_t fileSize);

}  // namespace hlv_io
