#pragma once
// Output and input slots of depth textures.
#include <halvo_gfx/depth_texture.h>
#include <halvo_slot/CScaledTextureSlot.h>

namespace hlv_slot {

class CDepthTexture2DInputSlot;

class CDepthTexture2DOutputSlot
    : public CScaledTextureOutputSlot<CDepthTexture2DOutputSlot, CDepthTexture2DInputSlot, hlv_gfx::CDepthTexture> {
public:
    using CScaledTextureOutputSlot::CScaledTextureOutputSlot;
};

class CDepthTexture2DInputSlot
    : public CScaledTextureInputSlot<CDepthTexture2DInputSlot, CDepthTexture2DOutputSlot, hlv_gfx::CDepthTexture> {};

}  // namespace hlv_slot
