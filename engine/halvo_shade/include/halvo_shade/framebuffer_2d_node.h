#pragma once
// Publishes the attachments of an existing framebuffer as texture outputs,
// so that shade nodes can read what a scene drew. It draws nothing.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/viewport.h>
#include <halvo_shade/shade_node.h>
#include <halvo_slot/CDepthTexture2DSlot.h>
#include <halvo_slot/CTexture2DSlot.h>

namespace hlv_shade {

class CFramebuffer2DNode : public IPostProcessShadeNode {
public:
    using FramebufferHandle = hlv_core::CResourceHandle<hlv_gfx::CFramebuffer>;

    CFramebuffer2DNode() = default;
    ~CFramebuffer2DNode() override;

    // EnterFramebuffer2DNode, then LeaveFramebuffer2DNode;
    // MSNR_INVALID_ARGUMENT for a null visitor.
    std::uint32_t Accept(IShadeNodeVisitor* visitor) override;
    std::uint32_t Traverse(IShadeNodeVisitor* visitor) override;

    // The framebuffer it publishes. A different one replaces the outputs: one
    // colour output per colour attachment, in attachment order, and a depth
    // output when the depth attachment is a depth texture. Then the stored
    // viewport goes to the new outputs. The same framebuffer changes nothing.
    void SetFramebuffer(const FramebufferHandle& framebuffer);
    // Without colour outputs nothing happens. Otherwise the viewport goes to
    // every output (their texture scales follow) and the inputs connected to
    // them, and is stored.
    void SetViewport(const hlv_gfx::VIEWPORT& viewport);
    // Removes every output; their inputs are disconnected.
    void ClearOutputs();

    const FramebufferHandle& GetFramebuffer() const { return m_framebuffer; }
    const hlv_gfx::VIEWPORT& GetViewport() const { return m_viewport; }
    std::size_t GetColorOutputCount() const { return m_colorOutputs.size(); }
    // Colour output i, or null.
    hlv_slot::CTexture2DOutputSlot* GetColorOutput(std::size_t i) const
    {
        return i < m_colorOutputs.size() ? m_colorOutputs[i].get() : nullptr;
    }
    // Null when the framebuffer has no depth texture.
    hlv_slot::CDepthTexture2DOutputSlot* GetDepthOutput() const { return m_depthOutput.get(); }

private:
    FramebufferHandle m_framebuffer;
    hlv_gfx::VIEWPORT m_viewport;
    std::vector<std::unique_ptr<hlv_slot::CTexture2DOutputSlot>> m_colorOutputs;
    std::unique_ptr<hlv_slot::CDepthTexture2DOutputSlot> m_depthOutput;
};

}  // namespace hlv_shade
