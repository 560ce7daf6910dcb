#pragma once
// Result codes of the scene graph.
#include <halvo_core/RESULT.h>

namespace hlv_sg {

// clang-format off
#define HLV_SG_RESULT_LIST(V, R) \
    V(MSGR_OK) V(MSGR_FAIL) V(MSGR_INVALID_ARGUMENT) V(MSGR_INVALID_ID) \
    V(MSGR_NO_TRAVERSAL_IMPL) V(MSGR_NOT_A_CHILD) V(MSGR_NOT_IMPLEMENTED) \
    V(MSGR_NOT_IN_TIMERANGE)
// clang-format on
HLV_DECLARE_ENUM(HALVO_SG_RESULT, HLV_SG_RESULT_LIST)
inline constexpr unsigned int NUM_HALVO_SG_RESULTS = HALVO_SG_RESULT_COUNT;

}  // namespace hlv_sg
