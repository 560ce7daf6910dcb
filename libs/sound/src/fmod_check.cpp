#include <sound/fmod_check.h>

#include <halvo_core/fatal.h>

#include <cstdio>
#include <string>

namespace sound {

const char* ResultName(FMOD_RESULT result)
{
    switch (result) {
#define SOUND_FMOD_RESULT_CASE(name, value) \
    case name: return #name;
        SOUND_FMOD_RESULT_LIST(SOUND_FMOD_RESULT_CASE)
#undef SOUND_FMOD_RESULT_CASE
    }
    return "unknown result";
}

void CheckResult(FMOD_RESULT result, const char* call, const char* file, int line)
{
    if (result == FMOD_OK) return;
    std::string message = "Fmod error.\n";
    message += ResultName(result);
    message += " (" + std::to_string(static_cast<int>(result)) + ")";
    const std::string detail = LastErrorDetail();
    if (!detail.empty()) message += ": " + detail;
    ::hlv_core::FatalFailure(message.c_str(), call, file, line);
}

}  // namespace sound
