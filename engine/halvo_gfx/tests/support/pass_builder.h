#pragma once
// Builds render passes with variables the way the graphics system leaves
// them after linking: one variable per uniform, storage of the type's size.
#include <cstring>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/render_pass.h>
#include <halvo_gfx/shader_variable.h>

namespace hlv_gfx_test {

inline hlv_core::CResourceHandle<hlv_gfx::CShaderVariable> AddVariable(hlv_gfx::CRenderPass& pass,
                                                                        const std::string& name,
                                                                        std::uint32_t type, bool withStorage = true)
{
    auto variable = hlv_core::Adopt(new hlv_gfx::CShaderVariable(name));
    variable->SetType(type);
    if (withStorage) variable->AllocateValue(hlv_gfx::ShaderVariableTypeSize(type));
    pass.GetVariables().push_back(variable);
    return variable;
}

template <typename T, std::size_t N>
void WriteValue(hlv_gfx::CShaderVariable& variable, const T (&values)[N])
{
    std::memcpy(variable.GetValue(), values, sizeof values);
}

}  // namespace hlv_gfx_test
