#include <tidal_knots/demo_types.h>

namespace dmo_nimra {

HLV_DEFINE_ENUM_NAMES(C_LEVEL, DMO_C_LEVEL_LIST)
HLV_DEFINE_ENUM_NAMES(VECTOR_MATRIX_TYPE, DMO_VECTOR_MATRIX_TYPE_LIST)

}  // namespace dmo_nimra
