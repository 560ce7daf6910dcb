#pragma once
// The file a fuzz target hands its input to a loader through: one per
// process in the temporary directory (TMPDIR, for example /dev/shm).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace hlv_io_fuzz {

inline const std::string& ScratchPath(const char* suffix)
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("hlv_io_fuzz_" + std::to_string(::getpid()) + suffix)).string();
    return path;
}

// Replaces the file's contents with the bytes; aborts when it cannot, since
// every later input would then test nothing.
inline void WriteScratchFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) __builtin_trap();
}

}  // namespace hlv_io_fuzz
