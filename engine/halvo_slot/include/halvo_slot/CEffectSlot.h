#pragma once
// Output and input slots of effects.
#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_slot/CGenericSlot.h>

namespace hlv_slot {

class CEffectInputSlot;

class CEffectOutputSlot
    : public CGenericOutputSlot<CEffectOutputSlot, CEffectInputSlot, hlv_core::CResourceHandle<hlv_gfx::CEffect>> {
public:
    using CGenericOutputSlot::CGenericOutputSlot;
};

class CEffectInputSlot
    : public CGenericInputSlot<CEffectInputSlot, CEffectOutputSlot, hlv_core::CResourceHandle<hlv_gfx::CEffect>> {};

}  // namespace hlv_slot
