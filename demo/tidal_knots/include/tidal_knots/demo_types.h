#pragma once
// Enumerations of the demo (names for messages and tools).
#include <halvo_core/enum_names.h>

namespace dmo_nimra {

#define DMO_C_LEVEL_LIST(V, R) V(C0) V(C1) V(C2)
HLV_DECLARE_ENUM(C_LEVEL, DMO_C_LEVEL_LIST)

#define DMO_VECTOR_MATRIX_TYPE_LIST(V, R) V(PT_VEC3) V(PT_VEC4) V(PT_MAT3) V(PT_MAT4)
HLV_DECLARE_ENUM(VECTOR_MATRIX_TYPE, DMO_VECTOR_MATRIX_TYPE_LIST)

// How a keyframe record maps demo time into its sequence.
#define DMO_ANIMATION_MODE_LIST(V, R) V(AM_REPEAT) V(AM_CLAMP) V(AM_CYCLE) V(AM_BACK)
HLV_DECLARE_ENUM(ANIMATION_MODE, DMO_ANIMATION_MODE_LIST)

}  // namespace dmo_nimra
