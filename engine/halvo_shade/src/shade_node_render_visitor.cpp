#include <halvo_shade/shade_node_render_visitor.h>

#include <halvo_shade/SHADE_RESULT.h>
#include <halvo_shade/custom_shade_node.h>

namespace hlv_shade {

namespace {

// diag(x scale, y scale, 1, 1).
hlv_gfx::Matrix4x4 TextureScaleMatrix(const hlv_slot::TextureScale& scale)
{
    hlv_gfx::Matrix4x4 matrix{};
    matrix[0] = scale.x;
    matrix[5] = scale.y;
    matrix[10] = 1.0f;
    matrix[15] = 1.0f;
    return matrix;
}

}  // namespace

std::uint32_t CShadeNodeRenderVisitor::EnterCustomShadeNode(CCustomShadeNode* node)
{
    if (!m_recorder.HasRenderer()) return MSNR_INVALID_RENDERER;
    if (!node) return MSNR_INVALID_ARGUMENT;
    if (m_recorder.UseFramebuffer(node->GetFramebuffer()) != hlv_gfx::GFXR_OK) return MSNR_FAIL_GFX;
    m_recorder.SwitchRenderTarget(node->GetDrawBuffers());

    const auto& textures = node->GetTexture2DInputs();
    for (std::size_t i = 0; i < textures.size(); ++i) {
        if (const hlv_slot::CTexture2DInputSlot* input = textures[i])
            m_recorder.SetTextureMatrix(TextureScaleMatrix(input->GetTextureScale()), i);
    }

    if (m_recorder.UseRenderPass(node->GetRenderPass()) != hlv_gfx::GFXR_OK) return MSNR_FAIL_GFX;
    if (m_recorder.SetViewport(node->GetViewportInput().GetValue()) != hlv_gfx::GFXR_OK) return MSNR_FAIL_GFX;
    m_recorder.RenderQuad();
    m_recorder.UseFramebuffer({});
    return MSNR_OK;
}

std::uint32_t CShadeNodeRenderVisitor::EnterFramebuffer2DNode(CFramebuffer2DNode*) { return MSNR_OK; }

std::uint32_t CShadeNodeRenderVisitor::LeaveCustomShadeNode(CCustomShadeNode*) { return MSNR_OK; }

std::uint32_t CShadeNodeRenderVisitor::LeaveFramebuffer2DNode(CFramebuffer2DNode*) { return MSNR_OK; }

}  // namespace hlv_shade
