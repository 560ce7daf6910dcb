#include <halvo_shade/framebuffer_2d_node.h>

#include <halvo_core/class_info.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_shade/SHADE_RESULT.h>
#include <halvo_shade/shade_node_visitor.h>

namespace hlv_shade {

CFramebuffer2DNode::~CFramebuffer2DNode() { ClearOutputs(); }

std::uint32_t CFramebuffer2DNode::Accept(IShadeNodeVisitor* visitor)
{
    if (!visitor) return MSNR_INVALID_ARGUMENT;
    visitor->EnterFramebuffer2DNode(this);
    visitor->LeaveFramebuffer2DNode(this);
    return MSNR_OK;
}

std::uint32_t CFramebuffer2DNode::Traverse(IShadeNodeVisitor* visitor) { return Accept(visitor); }

void CFramebuffer2DNode::SetFramebuffer(const FramebufferHandle& framebuffer)
{
    if (framebuffer == m_framebuffer) return;
    ClearOutputs();
    if (framebuffer) {
        for (const auto& attachment : framebuffer->colorAttachments)
            m_colorOutputs.push_back(std::make_unique<hlv_slot::CTexture2DOutputSlot>(attachment));
        hlv_gfx::CTexture* depth = framebuffer->depthAttachment.get();
        if (depth && hlv_core::IsKindOf<hlv_gfx::CDepthTexture>(depth)) {
            m_depthOutput = std::make_unique<hlv_slot::CDepthTexture2DOutputSlot>(
                hlv_core::CResourceHandle<hlv_gfx::CDepthTexture>(static_cast<hlv_gfx::CDepthTexture*>(depth)));
        }
    }
    m_framebuffer = framebuffer;
    SetViewport(m_viewport);
}

void CFramebuffer2DNode::SetViewport(const hlv_gfx::VIEWPORT& viewport)
{
    if (m_colorOutputs.empty()) return;
    for (const auto& output : m_colorOutputs) output->SetViewport(viewport);
    if (m_depthOutput) m_depthOutput->SetViewport(viewport);
    m_viewport = viewport;
}

void CFramebuffer2DNode::ClearOutputs()
{
    // Deleting an output disconnects its inputs.
    m_colorOutputs.clear();
    m_depthOutput.reset();
}

}  // namespace hlv_shade
