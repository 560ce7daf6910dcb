#pragma once
// Data files opened for reading without blocking: a FIFO, a device or a
// directory is refused before anything is read from it.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace hlv_io {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

struct RegularFile {
    FilePtr file;            // null when the path names no readable regular file
    std::uint64_t size = 0;  // bytes, as the file system gave them at opening
    std::string problem;     // why file is null, for example "not a regular file"
};

RegularFile OpenRegularFile(const std::string& path);

}  // namespace hlv_io
