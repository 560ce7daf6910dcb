#include "track_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sound {
namespace {

const char* KindOfFile(mode_t mode)
{
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    return "not a regular file";
}

FMOD_RESULT NotRegular(const char* path, mode_t mode, std::string& detail)
{
    detail = std::string("cannot read \"") + path + "\": " + KindOfFile(mode) + ", not a regular file";
    return FMOD_ERR_FILE_BAD;
}

FMOD_RESULT CannotOpen(const char* path, int error, std::string& detail)
{
    detail = std::string("cannot open \"") + path + "\": " + std::strerror(error);
    return error == ENOENT || error == ENOTDIR ? FMOD_ERR_FILE_NOT_FOUND : FMOD_ERR_FILE_BAD;
}

}  // namespace

void FileDescriptor::Reset(int fd)
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

FMOD_RESULT OpenTrackFile(const char* path, FileDescriptor& file, std::uint64_t& bytes, std::string& detail)
{
    file.Reset();
    bytes = 0;
    struct stat info {};
    if (::stat(path, &info) != 0) return CannotOpen(path, errno, detail);
    if (!S_ISREG(info.st_mode)) return NotRegular(path, info.st_mode, detail);

    // Should the path have become a FIFO or a device since the check, the
    // open still returns at once, and the second check refuses it.
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return CannotOpen(path, errno, detail);
    file.Reset(fd);
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        file.Reset();
        return CannotOpen(path, error, detail);
    }
    if (!S_ISREG(info.st_mode)) {
        file.Reset();
        return NotRegular(path, info.st_mode, detail);
    }
    // Reads of a regular file never wait; the decoder gets a plain descriptor
    // all the same.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    bytes = static_cast<std::uint64_t>(info.st_size);
    return FMOD_OK;
}

}  // namespace sound
