#include <halvo_mgr/MGR_RESULT.h>

namespace hlv_mgr {

HLV_DEFINE_ENUM_NAMES(MGR_RESULT, HLV_MGR_RESULT_LIST)

}  // namespace hlv_mgr
