#pragma once
// Opening a track's file: regular files only, and never an open that waits. A
// FIFO opened for reading waits for a writer, a device may wait for anything.
#include <sound/fmod_api.h>

#include <cstdint>
#include <string>

namespace sound {

// Owns an open file descriptor.
class FileDescriptor {
public:
    FileDescriptor() = default;
    ~FileDescriptor() { Reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // Closes the descriptor held, if any, and takes fd.
    void Reset(int fd = -1);

private:
    int fd_ = -1;
};

// Opens the regular file at path for reading; file then holds it, and bytes
// its size. On failure returns FMOD_ERR_FILE_NOT_FOUND (no such file) or
// FMOD_ERR_FILE_BAD (anything else, a file that is not a regular one among
// them) and sets detail, which names the file.
FMOD_RESULT OpenTrackFile(const char* path, FileDescriptor& file, std::uint64_t& bytes, std::string& detail);

}  // namespace sound
