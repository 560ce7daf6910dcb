#include <halvo_ptl/PTL_RESULT.h>

namespace hlv_ptl {

HLV_DEFINE_ENUM_NAMES(PTL_RESULT, HLV_PTL_RESULT_LIST)

}  // namespace hlv_ptl
