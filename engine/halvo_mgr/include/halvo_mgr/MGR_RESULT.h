#pragma once
// Result codes of the slot managers.
#include <halvo_core/RESULT.h>

namespace hlv_mgr {

// clang-format off
#define HLV_MGR_RESULT_LIST(V, R) \
    V(MGRR_OK) V(MGRR_FAIL) V(MGRR_INVALID_ARGUMENT)
// clang-format on
HLV_DECLARE_ENUM(MGR_RESULT, HLV_MGR_RESULT_LIST)

}  // namespace hlv_mgr
