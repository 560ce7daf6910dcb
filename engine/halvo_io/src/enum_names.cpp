#include <halvo_io/IO_RESULT.h>

namespace hlv_io {

HLV_DEFINE_ENUM_NAMES(IO_RESULT, HLV_IO_RESULT_LIST)

}  // namespace hlv_io
