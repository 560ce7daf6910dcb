#include <halvo_sg/RESULT.h>
#include <halvo_sg/sg_types.h>

namespace hlv_sg {

HLV_DEFINE_ENUM_NAMES(HALVO_SG_RESULT, HLV_SG_RESULT_LIST)
HLV_DEFINE_ENUM_NAMES(NODE_ID, HLV_NODE_ID_LIST)
HLV_DEFINE_ENUM_NAMES(LIGHT_TYPE, HLV_LIGHT_TYPE_LIST)

}  // namespace hlv_sg
