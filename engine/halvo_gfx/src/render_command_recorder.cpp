#include <halvo_gfx/render_command_recorder.h>

#include <iostream>

#include <halvo_gfx/render_state_commands.h>

namespace hlv_gfx {

namespace {

// Counts the commands a render-state set turns into, per pool.
struct RenderStateCommandCounter {
    std::size_t clearColor = 0, clear = 0, renderState = 0, cullMode = 0, frontFace = 0, fillMode = 0,
                blendFunction = 0, blendFactor = 0;

    void ClearColor(float, float, float, float) { ++clearColor; }
    void Clear(std::uint32_t) { ++clear; }
    void RenderState(bool, std::uint32_t) { ++renderState; }
    void CullMode(std::uint32_t) { ++cullMode; }
    void FrontFace(std::uint32_t) { ++frontFace; }
    void FillMode(std::uint32_t, std::uint32_t) { ++fillMode; }
    void BlendFunction(bool, std::uint32_t, std::uint32_t) { ++blendFunction; }
    void BlendFactor(bool, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) { ++blendFactor; }
};

}  // namespace

bool CRenderCommandRecorder::RenderThreadHalted(const MTRenderer& renderer)
{
    return renderer.IsShutDown() || renderer.IsPaused();
}

bool CRenderCommandRecorder::GiveUp()
{
    if (!m_givenUp) {
        m_givenUp = true;
        std::cerr << m_owner
                  << ": a render command pool is empty and the render thread is stopped or paused; "
                     "render commands are dropped until it executes commands again."
                  << std::endl;
    }
    return false;
}

std::uint32_t CRenderCommandRecorder::UseFramebuffer(const HandleOf<CFramebuffer>& framebuffer)
{
    return Record<comr_use_framebuffer>([&](MTRenderer& r) { return r.UseFramebuffer(framebuffer); });
}

std::uint32_t CRenderCommandRecorder::SwitchRenderTarget(std::uint32_t id)
{
    return Record<comr_switch_render_target>([&](MTRenderer& r) { return r.SwitchRenderTarget(id); });
}

std::uint32_t CRenderCommandRecorder::SwitchRenderTarget(const std::vector<unsigned>& ids)
{
    return Record<comr_switch_render_target>([&](MTRenderer& r) { return r.SwitchRenderTarget(ids, ids.size()); });
}

std::uint32_t CRenderCommandRecorder::SetClearColor(float red, float green, float blue, float alpha)
{
    return Record<comr_rs_clear_color>([&](MTRenderer& r) { return r.SetClearColor(red, green, blue, alpha); });
}

std::uint32_t CRenderCommandRecorder::Clear(std::uint32_t mask)
{
    return Record<comr_rs_clear>([&](MTRenderer& r) { return r.Clear(mask); });
}

std::uint32_t CRenderCommandRecorder::SetViewport(const VIEWPORT& viewport)
{
    return Record<comr_set_viewport>([&](MTRenderer& r) { return r.SetViewport(viewport); });
}

std::uint32_t CRenderCommandRecorder::SetMatrixMode(std::uint32_t mode) { return Queue<comr_set_matrix_mode>(mode); }

std::uint32_t CRenderCommandRecorder::PushMatrix() { return Queue<comr_push_matrix>(); }

std::uint32_t CRenderCommandRecorder::PopMatrix() { return Queue<comr_pop_matrix>(); }

std::uint32_t CRenderCommandRecorder::SetTransformation(const float* matrix)
{
    return Record<comr_set_transformation>([&](MTRenderer& r) { return r.SetTransformation(matrix); });
}

std::uint32_t CRenderCommandRecorder::SetTextureMatrix(const Matrix& matrix, std::uint64_t index)
{
    return Queue<comr_set_texture_matrix>(matrix, index);
}

std::uint32_t CRenderCommandRecorder::UseEffect(const HandleOf<CEffect>& effect)
{
    return Record<comr_use_effect>([&](MTRenderer& r) { return r.UseEffect(effect); });
}

std::uint32_t CRenderCommandRecorder::UseRenderPass(const HandleOf<CRenderPass>& pass)
{
    if (!pass) return GFXR_INVALID_ARGUMENT;
    return Record<comr_use_render_pass>([&](MTRenderer& r) { return r.UseRenderPass(pass); });
}

std::uint32_t CRenderCommandRecorder::RenderEffect(std::uint32_t primitive, const HandleOf<CVertexBuffer>& vertices,
                                                   const HandleOf<CIndexBuffer>& indices)
{
    if (!vertices || !indices) return GFXR_INVALID_ARGUMENT;
    return Record<comr_render_effect>([&](MTRenderer& r) { return r.RenderEffect(primitive, vertices, indices); });
}

std::uint32_t CRenderCommandRecorder::RenderEffectInstanced(std::uint32_t primitive,
                                                            const HandleOf<CVertexBuffer>& vertices,
                                                            const HandleOf<CIndexBuffer>& indices,
                                                            std::uint64_t instances)
{
    if (!vertices || !indices) return GFXR_INVALID_ARGUMENT;
    return Record<comr_render_effect_instanced>(
        [&](MTRenderer& r) { return r.RenderEffectInstanced(primitive, vertices, indices, instances); });
}

std::uint32_t CRenderCommandRecorder::RenderQuad()
{
    return Record<comr_render_quad>([](MTRenderer& r) { return r.RenderQuad(); });
}

std::uint32_t CRenderCommandRecorder::PushAttrib(std::uint32_t flags)
{
    return Record<comr_push_attrib>([&](MTRenderer& r) { return r.PushAttrib(flags, nullptr); });
}

std::uint32_t CRenderCommandRecorder::PopAttrib()
{
    return Record<comr_pop_attrib>([](MTRenderer& r) { return r.PopAttrib(nullptr); });
}

std::uint32_t CRenderCommandRecorder::SetRenderStateSet(const CRenderStateSet* set)
{
    if (!m_renderer) return GFXR_INVALID_HANDLE;
    if (!set) return m_renderer->SetRenderStateSet(set);
    RenderStateCommandCounter counts;
    ForEachRenderStateCommand(*set, counts);
    // Each reservation may wait for the render thread, which only ever gives
    // commands back: the earlier reservations still hold afterwards.
    const bool reserved = Reserve<comr_rs_clear_color>(counts.clearColor) && Reserve<comr_rs_clear>(counts.clear) &&
                          Reserve<comr_render_state>(counts.renderState) &&
                          Reserve<comr_rs_cull_mode>(counts.cullMode) &&
                          Reserve<comr_rs_front_face>(counts.frontFace) &&
                          Reserve<comr_rs_fill_mode>(counts.fillMode) &&
                          Reserve<comr_blend_func>(counts.blendFunction) && Reserve<comr_blend_fac>(counts.blendFactor);
    if (!reserved) return GFXR_MT_NO_COMMAND;
    return m_renderer->SetRenderStateSet(set);
}

std::uint32_t CRenderCommandRecorder::Flush(std::uint32_t keep)
{
    if (!m_renderer) return GFXR_INVALID_HANDLE;
    return m_renderer->Flush(keep);
}

std::uint32_t CRenderCommandRecorder::SubmitBatch()
{
    if (!m_renderer) return GFXR_INVALID_HANDLE;
    m_renderer->FlushSecondQueue();
    return m_renderer->Flush(1);
}

}  // namespace hlv_gfx
