#pragma once
// Result codes of the application shell.
#include <halvo_core/RESULT.h>

namespace hlv_app {

// clang-format off
#define HLV_APP_RESULT_LIST(V, R) \
    V(APPR_OK) V(APPR_FAIL) V(APPR_INVALID_ARGUMENT) V(APPR_INVALID_OPERATION) \
    V(APPR_INTERNAL_RENDERPASS_INITIALIZED) V(APPR_RENDER_THREAD_HALTED) \
    V(APPR_RENDER_THREAD_UNHALTED) V(APPR_INVALID_WIN32_HANDLE)
// clang-format on
HLV_DECLARE_ENUM(APP_RESULT, HLV_APP_RESULT_LIST)
inline constexpr unsigned int NUM_APP_RESULTS = APP_RESULT_COUNT;

}  // namespace hlv_app
