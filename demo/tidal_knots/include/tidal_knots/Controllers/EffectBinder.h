#pragma once
// How the text controllers reach an effect's shader variables: a custom shade
// node that holds the effect's first render pass and is never drawn. Its
// named inputs write every value they receive into that pass's variables.
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_shade/SHADE_RESULT.h>
#include <halvo_shade/custom_shade_node.h>
#include <halvo_slot/CVariantSlot.h>

namespace dmo_nimra {

class CEffectBinder {
public:
    // Takes render pass 0 of the effect (none for an empty effect or one
    // without passes), which rebuilds the named inputs.
    void Bind(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect)
    {
        m_node.SetRenderPass(effect ? effect->GetRenderPass(0) : hlv_core::CResourceHandle<hlv_gfx::CRenderPass>());
    }

    // Connects the float variable of that name to output (an earlier source
    // lets it go); false, and nothing connected, when the pass has no such
    // variable.
    bool Connect(const std::string& name, hlv_slot::CVariantOutputSlot<float>& output)
    {
        return m_node.ConnectFloatInput(name, &output) == hlv_shade::MSNR_OK;
    }

    hlv_shade::CCustomShadeNode& Node() { return m_node; }

private:
    hlv_shade::CCustomShadeNode m_node;
};

}  // namespace dmo_nimra
