#pragma once
// Builds render passes with variables the way the graphics system leaves
// them after linking: one variable per uniform, storage of the type's size.
// Also the demo's usual pass, shared by the benchmarks.
#include <cstring>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/render_pass.h>
#include <halvo_gfx/shader_variable.h>
#include <halvo_gfx/texture.h>

namespace hlv_gfx_test {

inline hlv_core::CResourceHandle<hlv_gfx::CShaderVariable> AddVariable(hlv_gfx::CRenderPass& pass,
                                                                       const std::string& name, std::uint32_t type,
                                                                       bool withStorage = true)
{
    auto variable = hlv_core::Adopt(new hlv_gfx::CShaderVariable(name));
    variable->SetType(type);
    if (withStorage) variable->AllocateValue(hlv_gfx::ShaderVariableTypeSize(type));
    pass.GetVariables().push_back(variable);
    return variable;
}

// A texture description of the given size.
inline hlv_core::CResourceHandle<hlv_gfx::CTexture> SizedTexture(const std::string& name, std::uint64_t width,
                                                                 std::uint64_t height)
{
    auto texture = hlv_core::Adopt(new hlv_gfx::CTexture(name));
    texture->width = width;
    texture->height = height;
    return texture;
}

template <typename T, std::size_t N>
void WriteValue(hlv_gfx::CShaderVariable& variable, const T (&values)[N])
{
    std::memcpy(variable.GetValue(), values, sizeof values);
}

// The demo's usual pass: three matrices, the camera position, four
// controller floats and two sampled textures.
inline hlv_core::CResourceHandle<hlv_gfx::CRenderPass> TypicalPass()
{
    using namespace hlv_gfx;
    auto pass = hlv_core::Adopt(new CRenderPass("pass"));
    AddVariable(*pass, "mat_proj", SVT_FLOAT_MAT4);
    AddVariable(*pass, "mat_view", SVT_FLOAT_MAT4);
    AddVariable(*pass, "mat_world", SVT_FLOAT_MAT4);
    AddVariable(*pass, "vec_cam_pos_ws", SVT_FLOAT_VEC3);
    for (const char* name : {"fade", "time", "glow", "scale"}) AddVariable(*pass, name, SVT_FLOAT);
    AddVariable(*pass, "diffuse", SVT_SAMPLER_2D);
    AddVariable(*pass, "detail", SVT_SAMPLER_2D);
    pass->SetTexture(hlv_core::Adopt(new CTexture("a")), "diffuse");
    pass->SetTexture(hlv_core::Adopt(new CTexture("b")), "detail");
    return pass;
}

}  // namespace hlv_gfx_test
