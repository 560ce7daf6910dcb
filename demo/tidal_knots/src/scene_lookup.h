#pragma once
// How the scene builders find the demo's objects in the named context by
// name. A missing asset gives an empty handle or a null slot (what would use
// it then draws nothing); the Require forms stop the program instead, for
// what a scene cannot do without.
#include <string>

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/texture.h>
#include <halvo_slot/CEffectSlot.h>
#include <halvo_slot/CTexture2DSlot.h>
#include <halvo_slot/CVariantSlot.h>
#include <halvo_slot/CViewportSlot.h>
#include <plovdane/math_types.h>

namespace dmo_nimra {

// The effect output of the effect slot manager under key, and its effect.
hlv_slot::CEffectOutputSlot* FindEffectOutput(hlv_app::CManagedContext& context, const std::string& key);
hlv_core::CResourceHandle<hlv_gfx::CEffect> FindEffect(hlv_app::CManagedContext& context, const std::string& key);
// An effect with at least one render pass.
hlv_core::CResourceHandle<hlv_gfx::CEffect> RequireEffect(hlv_app::CManagedContext& context, const std::string& key);
// A loaded texture and its output slot (texture slot manager).
hlv_core::CResourceHandle<hlv_gfx::CTexture> FindTexture(hlv_app::CManagedContext& context, const std::string& name);
hlv_slot::CTexture2DOutputSlot* FindTextureSlot(hlv_app::CManagedContext& context, const std::string& name);
hlv_core::CResourceHandle<hlv_gfx::CFramebuffer> FindFramebuffer(hlv_app::CManagedContext& context,
                                                                 const std::string& key);
hlv_slot::CViewportOutputSlot* FindViewport(hlv_app::CManagedContext& context, const std::string& name);
hlv_slot::CViewportOutputSlot& RequireViewport(hlv_app::CManagedContext& context, const std::string& name);
// Named float and vector output slots (the keyframe slots among them).
hlv_slot::CVariantOutputSlot<float>& RequireFloatSlot(hlv_app::CManagedContext& context, const std::string& name);
hlv_slot::CVariantOutputSlot<pld_math::vec3f>& RequireVectorSlot(hlv_app::CManagedContext& context,
                                                                 const std::string& name);

}  // namespace dmo_nimra
