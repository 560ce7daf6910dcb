#pragma once
// Draws the shade nodes of one post-processing node: each custom shade node
// becomes one full-screen quad drawn with its render pass into its
// framebuffer. Runs on the update thread and only records commands.
#include <cstdint>

#include <halvo_core/handle.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_gfx/render_command_recorder.h>
#include <halvo_shade/shade_node_visitor.h>

namespace hlv_shade {

class CShadeNodeRenderVisitor : public IShadeNodeVisitor {
public:
    CShadeNodeRenderVisitor() : m_recorder("CShadeNodeRenderVisitor") {}

    // The renderer to record on; empty at construction.
    void SetRenderer(const hlv_core::CResourceHandle<hlv_gfx::MTRenderer>& renderer)
    {
        m_recorder.SetRenderer(renderer);
    }
    const hlv_core::CResourceHandle<hlv_gfx::MTRenderer>& GetRenderer() const { return m_recorder.GetRenderer(); }

    // The node's framebuffer and draw buffers, its texture matrices (input i
    // scaled by its texture scale), its render pass, its viewport, the quad,
    // and the default framebuffer again. MSNR_INVALID_RENDERER without a
    // renderer; MSNR_FAIL_GFX when the framebuffer, pass or viewport is
    // refused (an empty pass stops before the quad, with the node's
    // framebuffer still selected).
    std::uint32_t EnterCustomShadeNode(CCustomShadeNode* node) override;
    // A framebuffer node only publishes textures: nothing is recorded.
    std::uint32_t EnterFramebuffer2DNode(CFramebuffer2DNode* node) override;
    std::uint32_t LeaveCustomShadeNode(CCustomShadeNode* node) override;
    std::uint32_t LeaveFramebuffer2DNode(CFramebuffer2DNode* node) override;

private:
    hlv_gfx::CRenderCommandRecorder m_recorder;
};

}  // namespace hlv_shade
