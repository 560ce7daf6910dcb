#pragma once
// Node and light kinds (names for messages and tools; node kinds are told
// apart by class records).
#include <halvo_core/enum_names.h>

namespace hlv_sg {

// clang-format off
#define HLV_NODE_ID_LIST(V, R)                                                           \
    V(NID_UNDEFINED) V(NID_NODE) V(NID_GROUPNODE) V(NID_GEONODE) V(NID_TRAFONODE)        \
    V(NID_DECONODE) V(NID_CAMNODE) V(NID_RENDERSTATE) V(NID_SOUND) V(NID_ANI)            \
    V(NID_KEYANI) V(NID_TRAFOKEYANI) V(NID_POSTPROC) V(NID_SWITCH) V(NID_PARTICLESYSTEM)
// clang-format on
HLV_DECLARE_ENUM(NODE_ID, HLV_NODE_ID_LIST)

#define HLV_LIGHT_TYPE_LIST(V, R) V(LT_UNDEFINED) V(LT_DIRECTIONAL) V(LT_POINT) V(LT_SPOT)
HLV_DECLARE_ENUM(LIGHT_TYPE, HLV_LIGHT_TYPE_LIST)

}  // namespace hlv_sg
