#pragma once
// Checks that must stop the program, active in every build type.
//
// HLV_FATAL_CHECK(expr, message): when expr is false, prints the message, the
// failed expression and where it failed to the standard error stream, flushes
// and ends the process with a non-zero status without running destructors or
// exit handlers (other threads may still be running).

namespace hlv_core {

[[noreturn]] void FatalFailure(const char* message, const char* expression, const char* file, int line) noexcept;

}  // namespace hlv_core

#define HLV_FATAL_CHECK(expr, message)                                               \
    do {                                                                             \
        if (!(expr)) ::hlv_core::FatalFailure((message), #expr, __FILE__, __LINE__); \
    } while (false)

#define HLV_FATAL(message) ::hlv_core::FatalFailure((message), nullptr, __FILE__, __LINE__)
