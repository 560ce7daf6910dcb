#include <halvo_mgr/CTextureSlotManager.h>

namespace hlv_mgr {

hlv_slot::CTexture2DOutputSlot* CTextureSlotManager::SetTexture(
    const std::string& name, const hlv_core::CResourceHandle<hlv_gfx::CTexture>& texture)
{
    hlv_slot::CTexture2DOutputSlot* slot = GetSlot(name);
    if (!slot) {
        slot = new hlv_slot::CTexture2DOutputSlot();
        InsertSlot(name, slot);
    }
    slot->SetValue(texture);
    SetChangedFlag(name, true);
    return slot;
}

}  // namespace hlv_mgr
