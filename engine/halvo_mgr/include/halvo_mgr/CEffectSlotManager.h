#pragma once
// Effect outputs named after their effects.
#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_mgr/CFlaggedSlotManager.h>
#include <halvo_slot/CEffectSlot.h>

namespace hlv_mgr {

class CEffectSlotManager : public CFlaggedSlotManager<hlv_slot::CEffectOutputSlot> {
public:
    // Publishes effect under its resource name: the output is created on first
    // use, its value set (connected inputs receive it at once) and the name's
    // changed flag set to changed. Returns the output; an empty handle has no
    // name, changes nothing and gives null.
    hlv_slot::CEffectOutputSlot* SetEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect, bool changed);
};

}  // namespace hlv_mgr
