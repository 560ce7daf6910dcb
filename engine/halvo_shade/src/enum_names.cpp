#include <halvo_shade/SHADE_RESULT.h>

namespace hlv_shade {

HLV_DEFINE_ENUM_NAMES(HALVO_SHADE_RESULT, HLV_SHADE_RESULT_LIST)

}  // namespace hlv_shade
