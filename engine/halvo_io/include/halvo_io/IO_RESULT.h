#pragma once
// Result codes of the input and output services.
#include <halvo_core/RESULT.h>

namespace hlv_io {

// clang-format off
#define HLV_IO_RESULT_LIST(V, R) \
    V(IOR_OK) V(IOR_FAIL) V(IOR_INVALID_ARGUMENT) V(IOR_API_FAIL) V(IOR_NOT_INIT)
// clang-format on
HLV_DECLARE_ENUM(IO_RESULT, HLV_IO_RESULT_LIST)

}  // namespace hlv_io
