#include <halvo_gfx/framebuffer.h>

namespace hlv_gfx {

namespace {
const hlv_core::CResourceHandle<CTexture> kNoAttachment;
}

const hlv_core::CResourceHandle<CTexture>* CFramebuffer::GetColorAttachment(std::size_t index) const
{
    return index < colorAttachments.size() ? &colorAttachments[index] : &kNoAttachment;
}

}  // namespace hlv_gfx
