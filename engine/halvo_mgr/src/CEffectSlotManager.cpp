#include <halvo_mgr/CEffectSlotManager.h>

namespace hlv_mgr {

hlv_slot::CEffectOutputSlot* CEffectSlotManager::SetEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect,
                                                           bool changed)
{
    if (!effect) return nullptr;
    const std::string& name = effect->GetName();
    hlv_slot::CEffectOutputSlot* slot = GetSlot(name);
    if (!slot) {
        slot = new hlv_slot::CEffectOutputSlot();
        InsertSlot(name, slot);
    }
    slot->SetValue(effect);
    SetChangedFlag(name, changed);
    return slot;
}

}  // namespace hlv_mgr
