#pragma once
// Named 2D texture outputs.
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/texture.h>
#include <halvo_mgr/CFlaggedSlotManager.h>
#include <halvo_slot/CTexture2DSlot.h>

namespace hlv_mgr {

class CTextureSlotManager : public CFlaggedSlotManager<hlv_slot::CTexture2DOutputSlot> {
public:
    // Publishes texture under name: the name's output is created on first use,
    // then its value is set (connected inputs receive it at once) and the
    // name's changed flag set. Returns the output.
    hlv_slot::CTexture2DOutputSlot* SetTexture(const std::string& name,
                                               const hlv_core::CResourceHandle<hlv_gfx::CTexture>& texture);
};

}  // namespace hlv_mgr
