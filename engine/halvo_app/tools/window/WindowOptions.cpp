#include "WindowOptions.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace hlv_app_window {

namespace {

bool ParseCount(std::string_view text, std::uint64_t& out)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseSize(std::string_view text, int& width, int& height)
{
    const auto x = text.find('x');
    if (x == std::string_view::npos) return false;
    const auto [wEnd, wError] = std::from_chars(text.data(), text.data() + x, width);
    const auto [hEnd, hError] = std::from_chars(text.data() + x + 1, text.data() + text.size(), height);
    return wError == std::errc() && hError == std::errc() && wEnd == text.data() + x &&
           hEnd == text.data() + text.size() && width > 0 && height > 0;
}

}  // namespace

WINDOW_OPTIONS ParseOptions(int argc, char** argv, std::string& error)
{
    WINDOW_OPTIONS options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        const bool hasValue = i + 1 < argc;
        std::uint64_t count = 0;
        if (argument == "--frames" && hasValue && ParseCount(argv[i + 1], count)) {
            options.frames = count;
            ++i;
        } else if (argument == "--escape-after" && hasValue && ParseCount(argv[i + 1], count)) {
            options.escapeAfter = count;
            ++i;
        } else if (argument == "--size" && hasValue && ParseSize(argv[i + 1], options.width, options.height)) {
            ++i;
        } else if (argument == "--times") {
            options.times = true;
        } else if (argument == "--plain") {
            options.plain = true;
        } else {
            error = "unknown or incomplete argument: " + std::string(argument);
            return options;
        }
    }
    return options;
}

std::int64_t MonotonicNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void PrintTime(const char* what)
{
    std::printf("%s %lld\n", what, static_cast<long long>(MonotonicNanoseconds()));
    std::fflush(stdout);
}

}  // namespace hlv_app_window
