#pragma once
// The render commands that apply a render-state set, in the order the set
// lists its states. The multithreaded renderer queues them; a test target
// records them.
#include <concepts>
#include <cstdint>

#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/render_state_set.h>

namespace hlv_gfx {

// A target receives one call per render command:
//   ClearColor(r, g, b, a)                       comr_rs_clear_color
//   Clear(mask)                                  comr_rs_clear
//   RenderState(enable, state)                   comr_render_state
//   CullMode(mode)                               comr_rs_cull_mode
//   FrontFace(winding)                           comr_rs_front_face
//   FillMode(face, mode)                         comr_rs_fill_mode
//   BlendFunction(separate, colour, alpha)       comr_blend_func
//   BlendFactor(separate, srcColour, dstColour, srcAlpha, dstAlpha)
//                                                comr_blend_fac (the joint form
//                                                uses the first two factors)
// clang-format off
template <typename T>
concept RenderStateCommandTarget = requires(T& t, float f, std::uint32_t u, bool b) {
    t.ClearColor(f, f, f, f);
    t.Clear(u);
    t.RenderState(b, u);
    t.CullMode(u);
    t.FrontFace(u);
    t.FillMode(u, u);
    t.BlendFunction(b, u, u);
    t.BlendFactor(b, u, u, u, u);
};
// clang-format on

// For each id of the set's changed-state list, in order:
//   RS_CLEARSCREEN  clear colour, then clear with the set's flags;
//   RS_CULLMODE     enable culling, then the cull mode;
//   RS_FRONTFACE    the winding;
//   RS_FILLMODE     the fill mode of each face 0, 1, 2 whose flag is set;
//   RS_BLEND        enable blending, the blend function (separate or joint),
//                   the blend factors (separate or joint);
//   RS_DEPTH_TEST   enable or disable depth testing by the set's flag;
//   other ids       nothing.
template <RenderStateCommandTarget Target>
void ForEachRenderStateCommand(const CRenderStateSet& set, Target& target)
{
    for (const std::uint32_t id : set.changedStates) {
        switch (id) {
        case RS_CLEARSCREEN:
            target.ClearColor(set.clearColor[0], set.clearColor[1], set.clearColor[2], set.clearColor[3]);
            target.Clear(set.clearFlags);
            break;
        case RS_CULLMODE:
            target.RenderState(true, RS_CULLMODE);
            target.CullMode(set.cullMode);
            break;
        case RS_FRONTFACE: target.FrontFace(set.frontFace); break;
        case RS_FILLMODE:
            for (std::uint32_t face = 0; face < 3; ++face)
                if (set.fillModeSet[face]) target.FillMode(face, set.fillMode[face]);
            break;
        case RS_BLEND:
            target.RenderState(true, RS_BLEND);
            target.BlendFunction(set.separateBlendFunction, set.blendEquation,
                                 set.separateBlendFunction ? set.blendEquationAlpha : 0u);
            // The set stores source colour, source alpha, destination colour,
            // destination alpha.
            if (set.separateBlendFactor)
                target.BlendFactor(true, set.blendFactors[0], set.blendFactors[2], set.blendFactors[1],
                                   set.blendFactors[3]);
            else
                target.BlendFactor(false, set.blendFactors[0], set.blendFactors[2], 0u, 0u);
            break;
        case RS_DEPTH_TEST: target.RenderState(set.depthTest, RS_DEPTH_TEST); break;
        default: break;
        }
    }
}

}  // namespace hlv_gfx
