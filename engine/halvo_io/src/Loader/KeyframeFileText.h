#pragma once
// The bytes of a keyframe file, read and prepared for the XML parser.
#include <cstdint>
#include <string>

namespace hlv_io {

struct KeyframeFileText {
    // The file's text with its line ends made "\n" and a leading UTF-8 byte
    // order mark dropped, followed by NUL bytes, so that a parser stepping
    // over a multi-byte sequence at the end still reads inside the buffer.
    std::string text;
    std::string problem;  // why the file cannot be used; empty when it can
    int line = 0;         // the problem's line, 0 when it has none
};

// NUL bytes after the text.
inline constexpr std::size_t kKeyframeTextPadding = 8;

// Reads a regular file of at most maxBytes bytes that holds no NUL byte.
KeyframeFileText ReadKeyframeFileText(const std::string& path, std::uint64_t maxBytes);

}  // namespace hlv_io
