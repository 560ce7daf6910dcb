#include "WindowOptions.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace hlv_app_window {

namespace {

// The largest window side accepted. The window's size becomes the GL viewport
// and the size of the renderer's full-screen render targets: OpenGL 4.1 and
// later guarantee viewports and textures of 16384 a side, Mesa's drivers
// offer exactly that, and a larger side would also overflow the X protocol's
// 16-bit window geometry soon after. Options are read before there is a GL
// context whose own limits could be asked.
constexpr int kMaxWindowSide = 16384;

bool ParseCount(std::string_view text, std::uint64_t& out)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseSide(std::string_view text, int& side)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), side);
    return error == std::errc() && end == text.data() + text.size() && side > 0 && side <= kMaxWindowSide;
}

bool ParseSize(std::string_view text, int& width, int& height)
{
    const auto x = text.find('x');
    return x != std::string_view::npos && ParseSide(text.substr(0, x), width) && ParseSide(text.substr(x + 1), height);
}

// "--size: '0x240' is not WxH with 1..16384"
std::string BadValue(std::string_view option, std::string_view value, std::string_view expected)
{
    return std::string(option) + ": '" + std::string(value) + "' is not " + std::string(expected);
}

}  // namespace

WINDOW_OPTIONS ParseOptions(int argc, char** argv, std::string& error)
{
    static const std::string kSizeForm = "WxH with 1.." + std::to_string(kMaxWindowSide);
    WINDOW_OPTIONS options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        const bool takesValue = argument == "--frames" || argument == "--escape-after" || argument == "--size";
        if (takesValue && i + 1 >= argc) {
            error = std::string(argument) + " needs a value";
            return options;
        }
        const std::string_view value = takesValue ? std::string_view(argv[i + 1]) : std::string_view();
        std::uint64_t count = 0;
        if (argument == "--frames" || argument == "--escape-after") {
            if (!ParseCount(value, count)) {
                error = BadValue(argument, value, "a count of frames");
                return options;
            }
            (argument == "--frames" ? options.frames : options.escapeAfter) = count;
            ++i;
        } else if (argument == "--size") {
            if (!ParseSize(value, options.width, options.height)) {
                error = BadValue(argument, value, kSizeForm);
                return options;
            }
            ++i;
        } else if (argument == "--times") {
            options.times = true;
        } else if (argument == "--plain") {
            options.plain = true;
        } else {
            error = "unknown argument: '" + std::string(argument) + "'";
            return options;
        }
    }
    return options;
}

std::int64_t MonotonicNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void PrintTime(const char* what)
{
    std::printf("%s %lld\n", what, static_cast<long long>(MonotonicNanoseconds()));
    std::fflush(stdout);
}

}  // namespace hlv_app_window
