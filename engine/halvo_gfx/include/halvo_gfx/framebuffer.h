#pragma once
// A render target: colour attachments and optional depth and stencil ones.
#include <cstddef>
#include <cstdint>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/api_specific.h>
#include <halvo_gfx/texture.h>

namespace hlv_gfx {

// Producers append colour attachments and set the depth and stencil
// attachments, then queue the framebuffer's creation and validation.
class CFramebuffer : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CFramebuffer)

    explicit CFramebuffer(const std::string& name) : IResource(name) {}

    // Colour attachment i, or an empty handle when there is no attachment i.
    const hlv_core::CResourceHandle<CTexture>* GetColorAttachment(std::size_t index) const;
    hlv_core::CResourceHandle<CTexture> GetDepthAttachment() const { return depthAttachment; }
    hlv_core::CResourceHandle<CTexture> GetStencilAttachment() const { return stencilAttachment; }

    // Made by the graphics system; empty until then.
    hlv_core::CResourceHandle<IApiSpecific> apiObject;
    // 1 until a validation succeeded.
    std::uint8_t validationPending = 1;
    // Attachment i is drawn to as colour attachment i.
    std::vector<hlv_core::CResourceHandle<CTexture>> colorAttachments;
    hlv_core::CResourceHandle<CTexture> depthAttachment;
    hlv_core::CResourceHandle<CTexture> stencilAttachment;
};
HLV_DEFINE_RESOURCE_CLASS(CFramebuffer, hlv_core::IResource)

}  // namespace hlv_gfx
