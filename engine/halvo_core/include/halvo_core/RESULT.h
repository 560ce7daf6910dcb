#pragma once
// Result codes of the engine core. 0 is success throughout the engine.
#include <halvo_core/enum_names.h>

// A result counts as success when it equals 0.
#define SUCCESSED(res) ((res) == 0)

namespace hlv_core {

// clang-format off
#define HLV_CORE_RESULT_LIST(V, R) \
    V(MC_OK) V(MC_FAIL) V(MS_INVALID_ARGUMENT) V(MC_OUTOFMEM) V(MC_NOMEMSPEC)
// clang-format on
HLV_DECLARE_ENUM(HALVO_CORE_RESULT, HLV_CORE_RESULT_LIST)
inline constexpr unsigned int NUM_HALVO_CORE_RESULTS = HALVO_CORE_RESULT_COUNT;

}  // namespace hlv_core
