#pragma once
// Output and input slots of 2D textures.
#include <halvo_gfx/texture.h>
#include <halvo_slot/CScaledTextureSlot.h>

namespace hlv_slot {

class CTexture2DInputSlot;

class CTexture2DOutputSlot
    : public CScaledTextureOutputSlot<CTexture2DOutputSlot, CTexture2DInputSlot, hlv_gfx::CTexture> {
public:
    using CScaledTextureOutputSlot::CScaledTextureOutputSlot;
};

class CTexture2DInputSlot
    : public CScaledTextureInputSlot<CTexture2DInputSlot, CTexture2DOutputSlot, hlv_gfx::CTexture> {};

}  // namespace hlv_slot
