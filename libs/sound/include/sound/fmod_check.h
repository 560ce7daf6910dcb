#pragma once
// Describing and stopping on sound failures.
//
// FMOD_CHECK(call): runs the call once; when it returns anything but FMOD_OK,
// writes "Fmod error." and an end of line to the standard error stream, then
// the result's name, what failed (the file and the decoder's or the audio
// driver's own words, where there are some) and the call with its place in
// the source, and ends the process with a non-zero status.
#include <sound/fmod_api.h>

#include <string>

namespace sound {

// The enumerator's name, "FMOD_ERR_FORMAT" for FMOD_ERR_FORMAT; "unknown
// result" for a value the layer never returns.
const char* ResultName(FMOD_RESULT result);

// What went wrong in the latest call on this thread that failed; empty when it
// has nothing to add to the result.
std::string LastErrorDetail();

// Returns when result is FMOD_OK; otherwise prints as FMOD_CHECK describes and
// ends the process.
void CheckResult(FMOD_RESULT result, const char* call, const char* file, int line);

}  // namespace sound

#define FMOD_CHECK(call) ::sound::CheckResult((call), #call, __FILE__, __LINE__)
