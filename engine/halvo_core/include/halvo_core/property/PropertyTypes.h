#pragma once
// Property kinds and the value types and structures that layouts, images and
// keyframe files describe their elements with.
#include <halvo_core/enum_names.h>

namespace hlv_core {

// clang-format off
#define HLV_PROPERTY_TYPE_LIST(V, R)                                                   \
    V(PT_UNKNOWN) V(PT_BOOL) V(PT_CHAR) V(PT_UCHAR) V(PT_INT) V(PT_UINT) V(PT_LONG)    \
    V(PT_LONG_LONG) V(PT_FLOAT) V(PT_DOUBLE) V(PT_STRING_C_REF) V(PT_STRING_C)         \
    V(PT_STRING) V(PT_COMPOUND)
// clang-format on
HLV_DECLARE_ENUM(PROPERTY_TYPE, HLV_PROPERTY_TYPE_LIST)
inline constexpr unsigned int NUM_PROPERTY_TYPES = PROPERTY_TYPE_COUNT;

#define HLV_PROPERTY_ACCESS_TYPE_LIST(V, R) V(PAT_NO_ACCESS) V(PAT_READ_ONLY) V(PAT_READ_WRITE)
HLV_DECLARE_ENUM(PROPERTY_ACCESS_TYPE, HLV_PROPERTY_ACCESS_TYPE_LIST)
inline constexpr unsigned int NUM_PROPERTY_ACCESS_TYPES = PROPERTY_ACCESS_TYPE_COUNT;

// clang-format off
#define HLV_VALUE_TYPE_LIST(V, R)                                                      \
    V(T_UNDEFINED) V(T_CHAR) V(T_UCHAR) V(T_SHORT) V(T_USHORT) V(T_INT) V(T_UINT)      \
    V(T_FLOAT) V(T_DOUBLE) V(T_BOOL)
HLV_DECLARE_ENUM(VALUE_TYPE, HLV_VALUE_TYPE_LIST)

// Value 0 is named "T_UNDEFINED" like VALUE_TYPE's; its C++ name differs.
#define HLV_VALUE_STRUCTURE_LIST(V, R)                                                 \
    R(TS_UNDEFINED, "T_UNDEFINED") V(TS_SCALAR) V(TS_VECTOR2) V(TS_VECTOR3)            \
    V(TS_VECTOR4) V(TS_MATRIX2x2) V(TS_MATRIX3x3) V(TS_MATRIX4x4)
// clang-format on
HLV_DECLARE_ENUM(VALUE_STRUCTURE, HLV_VALUE_STRUCTURE_LIST)

}  // namespace hlv_core
