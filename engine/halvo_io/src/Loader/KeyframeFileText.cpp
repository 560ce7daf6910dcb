#include "Loader/KeyframeFileText.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "RegularFile.h"

namespace hlv_io {

namespace {

// "\r\n" and a lone "\r" become "\n", as TinyXML's own file loading does.
std::string WithNewlineEnds(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() + kKeyframeTextPadding);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            text += bytes[i];
            continue;
        }
        text += '\n';
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
    return text;
}

}  // namespace

KeyframeFileText ReadKeyframeFileText(const std::string& path, std::uint64_t maxBytes)
{
    KeyframeFileText result;
    const std::string tooLarge = "larger than " + std::to_string(maxBytes) + " bytes";
    const RegularFile opened = OpenRegularFile(path);
    if (!opened.file) {
        result.problem = opened.problem;
        return result;
    }
    if (opened.size > maxBytes) {
        result.problem = tooLarge;
        return result;
    }

    // The size may have changed since the file was opened: read up to the
    // limit and one byte more.
    std::string bytes(static_cast<std::size_t>(opened.size) + 1, '\0');
    std::size_t filled = 0;
    while (true) {
        if (filled == bytes.size()) {
            if (bytes.size() > maxBytes) break;
            bytes.resize(std::min<std::uint64_t>(maxBytes + 1, bytes.size() * 2));
        }
        const std::size_t read = std::fread(bytes.data() + filled, 1, bytes.size() - filled, opened.file.get());
        filled += read;
        if (read == 0) break;
    }
    if (std::ferror(opened.file.get())) {
        result.problem = "read error";
        return result;
    }
    if (filled > maxBytes) {
        result.problem = tooLarge;
        return result;
    }
    bytes.resize(filled);

    std::string_view content = bytes;
    if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
    result.text = WithNewlineEnds(content);
    if (const std::size_t nul = result.text.find('\0'); nul != std::string::npos) {
        result.problem = "a NUL byte";
        result.line = 1 + static_cast<int>(std::count(result.text.begin(),
                                                      result.text.begin() + static_cast<std::ptrdiff_t>(nul), '\n'));
        result.text.clear();
        return result;
    }
    result.text.append(kKeyframeTextPadding, '\0');
    return result;
}

}  // namespace hlv_io
