#include <halvo_app/APP_RESULT.h>

namespace hlv_app {

HLV_DEFINE_ENUM_NAMES(APP_RESULT, HLV_APP_RESULT_LIST)

}  // namespace hlv_app
