#pragma once
// Command line of the window program.
#include <cstdint>
#include <optional>
#include <string>

namespace hlv_app_window {

struct WINDOW_OPTIONS {
    // Quit with status 0 once this many frames were presented after start-up.
    std::optional<std::uint64_t> frames;
    // Press Escape (a synthetic key event) once this many frames were presented.
    std::optional<std::uint64_t> escapeAfter;
    // Window size; full screen when not given.
    int width = 0;
    int height = 0;
    // Print monotonic time stamps of the start-up, the stop and the frames.
    bool times = false;
    // No engine: a plain GL window that clears and swaps on the GUI thread
    // (the baseline of the start-up and exit measurements).
    bool plain = false;
};

// Empty error on success; else one line naming the option and its bad value
// ("--size: '0x240' is not WxH with 1..16384"). A size is two whole
// numbers from 1 to 16384, counts are whole numbers from 0.
WINDOW_OPTIONS ParseOptions(int argc, char** argv, std::string& error);

// Nanoseconds of the system's monotonic clock (comparable between processes).
std::int64_t MonotonicNanoseconds();

// "<what> <nanoseconds>" on the standard output stream, flushed.
void PrintTime(const char* what);

}  // namespace hlv_app_window
