#include <halvo_core/fatal.h>

#include <cstdio>
#include <cstdlib>

namespace hlv_core {

void FatalFailure(const char* message, const char* expression, const char* file, int line) noexcept
{
    std::fflush(stdout);
    if (message && *message) std::fprintf(stderr, "%s\n", message);
    if (expression)
        std::fprintf(stderr, "Fatal check failed: %s (%s:%d)\n", expression, file, line);
    else
        std::fprintf(stderr, "Fatal error (%s:%d)\n", file, line);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

}  // namespace hlv_core
