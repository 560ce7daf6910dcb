#include "scene_lookup.h"

#include <halvo_core/fatal.h>

namespace dmo_nimra {

hlv_slot::CEffectOutputSlot* FindEffectOutput(hlv_app::CManagedContext& context, const std::string& key)
{
    return context.effectSlotManager.GetSlot(key);
}

hlv_core::CResourceHandle<hlv_gfx::CEffect> FindEffect(hlv_app::CManagedContext& context, const std::string& key)
{
    const hlv_slot::CEffectOutputSlot* output = FindEffectOutput(context, key);
    return output ? output->GetValue() : hlv_core::CResourceHandle<hlv_gfx::CEffect>();
}

hlv_core::CResourceHandle<hlv_gfx::CEffect> RequireEffect(hlv_app::CManagedContext& context, const std::string& key)
{
    hlv_core::CResourceHandle<hlv_gfx::CEffect> effect = FindEffect(context, key);
    HLV_FATAL_CHECK(effect.IsValid(), "effect.IsValid()");
    HLV_FATAL_CHECK(!effect->passes.empty(), "effect->GetNumRenderPasses()!=0");
    return effect;
}

hlv_core::CResourceHandle<hlv_gfx::CTexture> FindTexture(hlv_app::CManagedContext& context, const std::string& name)
{
    const hlv_slot::CTexture2DOutputSlot* output = FindTextureSlot(context, name);
    return output ? output->GetValue() : hlv_core::CResourceHandle<hlv_gfx::CTexture>();
}

hlv_slot::CTexture2DOutputSlot* FindTextureSlot(hlv_app::CManagedContext& context, const std::string& name)
{
    return context.textureSlotManager.GetSlot(name);
}

hlv_core::CResourceHandle<hlv_gfx::CFramebuffer> FindFramebuffer(hlv_app::CManagedContext& context,
                                                                 const std::string& key)
{
    return hlv_core::CResourceHandle<hlv_gfx::CFramebuffer>(context.framebuffers.Get(key));
}

hlv_slot::CViewportOutputSlot* FindViewport(hlv_app::CManagedContext& context, const std::string& name)
{
    return context.viewportSlotManager.GetSlot(name);
}

hlv_slot::CViewportOutputSlot& RequireViewport(hlv_app::CManagedContext& context, const std::string& name)
{
    hlv_slot::CViewportOutputSlot* viewport = FindViewport(context, name);
    HLV_FATAL_CHECK(viewport != nullptr, "The viewport slot of the scene is missing.");
    return *viewport;
}

hlv_slot::CVariantOutputSlot<float>& RequireFloatSlot(hlv_app::CManagedContext& context, const std::string& name)
{
    auto& slots = context.VariantSlots<float>();
    const std::size_t index = slots.GetIndex(name);
    HLV_FATAL_CHECK(index != slots.npos, "index != osm_float_t::INVALID_INDEX");
    return *slots.GetSlot(index);
}

hlv_slot::CVariantOutputSlot<pld_math::vec3f>& RequireVectorSlot(hlv_app::CManagedContext& context,
                                                                 const std::string& name)
{
    auto& slots = context.VariantSlots<pld_math::vec3f>();
    const std::size_t index = slots.GetIndex(name);
    HLV_FATAL_CHECK(index != slots.npos, "index != osm_vec3_t::INVALID_INDEX");
    return *slots.GetSlot(index);
}

}  // namespace dmo_nimra
