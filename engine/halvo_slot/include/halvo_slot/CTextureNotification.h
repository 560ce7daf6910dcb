#pragma once
// Notifications that bind an input slot's texture to a sampler of a render
// pass whenever the input receives a texture.
#include <cstdint>
#include <string>
#include <utility>

#include <halvo_core/handle.h>
#include <halvo_gfx/render_pass.h>
#include <halvo_slot/CCubemapSlot.h>
#include <halvo_slot/CDepthTexture2DSlot.h>
#include <halvo_slot/CTexture2DSlot.h>
#include <halvo_slot/INotification.h>

namespace hlv_slot {

// Bind is the render pass's binding operation for the texture kind.
template <typename InputSlot, typename Tex,
          std::uint32_t (hlv_gfx::CRenderPass::*Bind)(const hlv_core::CResourceHandle<Tex>&, const std::string&)>
class CTextureBindingNotification : public INotification {
public:
    using pass_handle = hlv_core::CResourceHandle<hlv_gfx::CRenderPass>;

    CTextureBindingNotification(std::string samplerName, InputSlot* slot, pass_handle pass)
        : m_samplerName(std::move(samplerName)), m_slot(slot), m_pass(std::move(pass))
    {
    }

    // Binds the slot's texture to the sampler. Without a pass or slot nothing
    // happens; what the pass refuses (an empty texture, an unknown sampler)
    // stays unbound.
    void Notify() override
    {
        hlv_gfx::CRenderPass* pass = m_pass.get();
        if (!pass || !m_slot) return;
        (pass->*Bind)(m_slot->GetValue(), m_samplerName);
    }

    // The pass to bind into from now on.
    void SetRenderPass(const pass_handle& pass) { m_pass = pass; }
    const pass_handle& GetRenderPass() const { return m_pass; }
    const std::string& GetSamplerName() const { return m_samplerName; }
    InputSlot* GetSlot() const { return m_slot; }

private:
    std::string m_samplerName;
    InputSlot* m_slot;
    pass_handle m_pass;
};

using CTexture2DNotification =
    CTextureBindingNotification<CTexture2DInputSlot, hlv_gfx::CTexture, &hlv_gfx::CRenderPass::SetTexture>;
using CDepthTexture2DNotification = CTextureBindingNotification<CDepthTexture2DInputSlot, hlv_gfx::CDepthTexture,
                                                                &hlv_gfx::CRenderPass::SetDepthTexture>;
using CCubemapNotification =
    CTextureBindingNotification<CCubemapInputSlot, hlv_gfx::CCubeMapTexture, &hlv_gfx::CRenderPass::SetCubeMapTexture>;

}  // namespace hlv_slot
