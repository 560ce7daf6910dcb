#pragma once
// The render commands: each carries one IRenderer call from a producer
// thread to the render thread (see mt_renderer.h).
#include <array>
#include <cstdint>
#include <vector>

#include <halvo_gfx/effect_snapshot.h>
#include <halvo_gfx/pooled_command.h>
#include <halvo_gfx/render_pass_snapshot.h>
#include <halvo_gfx/renderer.h>

namespace hlv_gfx {

// Base of every render command.
using renderer_command = TQueuedCommand<IRenderer>;

// 16 floats, row-major, copied by value into the command.
using Matrix4x4 = std::array<float, 16>;

// A matrix goes to the renderer as a pointer to its floats; every other
// argument as it is stored.
template <class T>
T& PassArgument(T& argument)
{
    return argument;
}
inline const float* PassArgument(Matrix4x4& matrix) { return matrix.data(); }

// Recycled snapshots drop their handles and keep their storage.
inline void ResetArgument(CEffectSnapshot& values) { values.Clear(); }
inline void ResetArgument(CRenderPassSnapshot& values) { values.Clear(); }

// The commands whose call depends on a flag.
inline std::uint32_t ApplyBlendFunction(IRenderer& r, bool separate, std::uint32_t colour,
                                        std::uint32_t alpha)
{
    return separate ? r.SetRenderState(BLEND_EQUATION{colour}, BLEND_EQUATION{alpha})
                    : r.SetRenderState(BLEND_EQUATION{colour});
}

inline std::uint32_t ApplyBlendFactor(IRenderer& r, bool separate, std::uint32_t sourceColour,
                                      std::uint32_t destinationColour, std::uint32_t sourceAlpha,
                                      std::uint32_t destinationAlpha)
{
    return separate ? r.SetRenderState(BLEND_FACTOR{sourceColour}, BLEND_FACTOR{destinationColour},
                                       BLEND_FACTOR{sourceAlpha}, BLEND_FACTOR{destinationAlpha})
                    : r.SetRenderState(BLEND_FACTOR{sourceColour}, BLEND_FACTOR{destinationColour});
}

inline std::uint32_t ApplyRenderState(IRenderer& r, bool enable, std::uint32_t state)
{
    return enable ? r.EnableRenderState(state) : r.DisableRenderState(state);
}

// One line per render command, in pool order:
//   X(class, call on the renderer `r` with the arguments `a...`, argument types...)
// The two commands that select shader values store a snapshot beside the
// handle; the front end captures it when the command is queued.
#define HLV_RENDER_COMMAND_LIST(X)                                                                   \
    X(comr_push_attrib, r.PushAttrib(a...), std::uint32_t)                                           \
    X(comr_pop_attrib, r.PopAttrib())                                                                \
    X(comr_rs_clear_color, r.SetClearColor(a...), float, float, float, float)                        \
    X(comr_rs_clear, r.Clear(a...), std::uint32_t)                                                   \
    X(comr_rs_fill_mode, r.SetFillMode(a...), std::uint32_t, std::uint32_t)                          \
    X(comr_rs_cull_mode, r.SetCullMode(a...), std::uint32_t)                                         \
    X(comr_rs_front_face, r.SetFrontFace(a...), std::uint32_t)                                       \
    X(comr_set_matrix_mode, r.SetMatrixMode(a...), std::uint32_t)                                    \
    X(comr_set_transformation, r.SetTransformation(PassArgument(a)...), Matrix4x4)                   \
    X(comr_set_viewport, r.SetViewport(a...), std::uint64_t, std::uint64_t, std::uint64_t,           \
      std::uint64_t)                                                                                 \
    X(comr_push_matrix, r.PushMatrix())                                                              \
    X(comr_pop_matrix, r.PopMatrix())                                                                \
    X(comr_set_texture_matrix, r.SetTextureMatrix(PassArgument(a)...), Matrix4x4, std::uint64_t)     \
    X(comr_use_effect, r.UseEffect(a...), HandleOf<CEffect>, CEffectSnapshot)                        \
    X(comr_use_render_pass, r.UseRenderPass(a...), HandleOf<CRenderPass>, CRenderPassSnapshot)       \
    X(comr_use_framebuffer, r.UseFramebuffer(a...), HandleOf<CFramebuffer>)                          \
    X(comr_switch_render_target, r.SwitchRenderTarget(a...), std::vector<unsigned>, std::uint64_t)   \
    X(comr_load_vertex_buffer, r.LoadBufferData(a...), HandleOf<CVertexBuffer>, std::uint32_t)       \
    X(comr_load_index_buffer, r.LoadBufferData(a...), HandleOf<CIndexBuffer>, std::uint32_t)         \
    X(comr_load_texture_buffer, r.LoadTexture(a...), HandleOf<CTextureBuffer>)                       \
    X(comr_render, r.Render(a...), std::uint32_t, HandleOf<CVertexBuffer>, HandleOf<CIndexBuffer>)   \
    X(comr_render_instanced, r.RenderInstanced(a...), std::uint32_t, HandleOf<CVertexBuffer>,        \
      HandleOf<CIndexBuffer>, std::uint64_t)                                                         \
    X(comr_udpate_texture_buffer, r.UpdateBufferData(a...), HandleOf<CTextureBuffer>, std::uint64_t, \
      std::uint64_t)                                                                                 \
    X(comr_render_effect, r.RenderEffect(a...), std::uint32_t, HandleOf<CVertexBuffer>,              \
      HandleOf<CIndexBuffer>)                                                                        \
    X(comr_render_quad, r.RenderQuad())                                                              \
    X(comr_render_effect_instanced, r.RenderEffectInstanced(a...), std::uint32_t,                    \
      HandleOf<CVertexBuffer>, HandleOf<CIndexBuffer>, std::uint64_t)                                \
    X(comr_blend_func, (ApplyBlendFunction(r, a...)), bool, std::uint32_t, std::uint32_t)            \
    X(comr_blend_fac, (ApplyBlendFactor(r, a...)), bool, std::uint32_t, std::uint32_t,               \
      std::uint32_t, std::uint32_t)                                                                  \
    X(comr_render_state, (ApplyRenderState(r, a...)), bool, std::uint32_t)

#define HLV_DECLARE_RENDER_COMMAND(name, call, ...) \
    HLV_DECLARE_POOLED_COMMAND(name, ::hlv_gfx::renderer_command, r, call, __VA_ARGS__)
HLV_RENDER_COMMAND_LIST(HLV_DECLARE_RENDER_COMMAND)
#undef HLV_DECLARE_RENDER_COMMAND

}  // namespace hlv_gfx
