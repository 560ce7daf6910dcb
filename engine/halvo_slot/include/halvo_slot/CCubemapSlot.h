#pragma once
// Output and input slots of cube-map textures.
#include <halvo_core/handle.h>
#include <halvo_gfx/cube_map_texture.h>
#include <halvo_slot/CGenericSlot.h>

namespace hlv_slot {

class CCubemapInputSlot;

class CCubemapOutputSlot : public CGenericOutputSlot<CCubemapOutputSlot, CCubemapInputSlot,
                                                     hlv_core::CResourceHandle<hlv_gfx::CCubeMapTexture>> {
public:
    using CGenericOutputSlot::CGenericOutputSlot;
};

class CCubemapInputSlot : public CGenericInputSlot<CCubemapInputSlot, CCubemapOutputSlot,
                                                   hlv_core::CResourceHandle<hlv_gfx::CCubeMapTexture>> {};

}  // namespace hlv_slot
