#include "RegularFile.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hlv_io {

RegularFile OpenRegularFile(const std::string& path)
{
    RegularFile result;
    // Without O_NONBLOCK, opening a FIFO waits for a writer, for ever if none comes.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        result.problem = std::error_code(errno, std::generic_category()).message();
        return result;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        result.problem = "not a regular file";
        return result;
    }
    std::FILE* file = ::fdopen(descriptor, "rb");
    if (!file) {
        result.problem = std::error_code(errno, std::generic_category()).message();
        ::close(descriptor);
        return result;
    }
    result.file.reset(file);
    result.size = static_cast<std::uint64_t>(status.st_size);
    return result;
}

}  // namespace hlv_io
